// The DLL in a host process: every export by name and by ordinal, with the
// kinds of text a host may pass. Tests run in file order in one process, so
// the first one sees the library before any initialisation.
#include <gtest/gtest.h>

#include <cstdio>

#include "HostDll.h"

namespace vemra::test {
namespace {

// A photo request opens the open-picture dialog; these tests answer it
// with "Avbryt" at once.
void CALLBACK CancelFileDialogs(HWND, UINT, UINT_PTR, DWORD) {
  for (HWND w = FindWindowW(L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && GetDlgItem(w, 0x47C)) PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
  }
}

struct FileDialogsCancelled {
  UINT_PTR timer = SetTimer(nullptr, 0, 20, CancelFileDialogs);
  ~FileDialogsCancelled() { KillTimer(nullptr, timer); }
};

void WriteSettings(const std::string& folder, const char* text) {
  if (FILE* f = fopen((folder + "VemraSDK.ini").c_str(), "wb")) {
    fputs(text, f);
    fclose(f);
  }
}

TEST(Exports, BeforeAnyInitVersionIsPlainAndTheHostFolderIsUsed) {
  Exports dll = ByName();
  std::string host = TestProgramFolder();
  Touch(host + "Image\\s4711.jpg");
  EXPECT_EQ(dll.version(), 402);
  EXPECT_EQ(dll.photoSignatureExists("  4711 "), 2);
  DeleteFileA((host + "Image\\s4711.jpg").c_str());
}

TEST(Exports, OrdinalsReachTheSameFunctionsAsNames) {
  Exports a = ByName(), b = ByOrdinal();
  EXPECT_EQ(a.version, b.version);
  EXPECT_EQ(a.photoSignatureExists, b.photoSignatureExists);
  EXPECT_EQ(a.print, b.print);
  EXPECT_EQ(a.settings, b.settings);
  EXPECT_EQ(a.scanImage, b.scanImage);
  EXPECT_EQ(a.init, b.init);
  EXPECT_EQ(b.version(), 402);
}

TEST(Exports, InitTrimsCreatesAndFallsBackToTheHostFolder) {
  Exports dll = ByOrdinal();
  std::string base = NewTempFolder();
  std::string folder = base + "Kort\\Data";
  EXPECT_EQ(dll.init(("  " + folder + " \t").c_str()), 0);
  EXPECT_TRUE(Exists(folder + "\\"));
  Touch(folder + "\\Image\\1.jpg");
  EXPECT_EQ(dll.photoSignatureExists("1"), 1);
  EXPECT_EQ(dll.init(nullptr), 0);
  EXPECT_EQ(dll.photoSignatureExists("1"), 3);  // now the host folder
  EXPECT_EQ(dll.init(""), 0);
  EXPECT_EQ(dll.init(folder.c_str()), 0);
  EXPECT_EQ(dll.photoSignatureExists("1"), 1);
}

TEST(Exports, SwedishLettersInTextsReachTheFileSystemUnchanged) {
  Exports dll = ByName();
  std::string folder = NewTempFolder() + "G\xf6teborg \xc5\xc4\xd6";
  ASSERT_EQ(dll.init(folder.c_str()), 0);
  Touch(folder + "\\Image\\s\xe5\xe4\xf6.jpg");
  EXPECT_EQ(dll.photoSignatureExists("\xe5\xe4\xf6"), 2);
  EXPECT_EQ(dll.photoSignatureExists("\xc5\xc4\xd6"), 2);  // the file system folds case
}

TEST(Exports, NoArgumentShapeReachesTheHostAsACrash) {
  Exports dll = ByName();
  std::string folder = NewTempFolder();
  ASSERT_EQ(dll.init(folder.c_str()), 0);
  const std::string longText(10000, 'x');
  FileDialogsCancelled cancelled;
  struct Case { const char* text; int print; } cases[] = {
      {nullptr, 2}, {"", 2}, {"   ", 2},  // no holder id
      {" \t 12 \r\n", 3}, {"\xe5\xe4\xf6\xc5\xc4\xd6\xe9", 3}, {longText.c_str(), 3},  // no photo
  };
  for (const auto& [t, print] : cases) {
    SCOPED_TRACE(t ? std::string(t).substr(0, 20) : "null");
    EXPECT_EQ(dll.photoSignatureExists(t), 3);
    EXPECT_EQ(dll.scanImage(5, t), 1);
    EXPECT_EQ(dll.scanImage(1, t), 2);  // the photo: its file dialog cancelled
    EXPECT_EQ(dll.print(0, t, t, t, t, t, t, t, t, t, t), print);
    EXPECT_EQ(dll.print(2, t, nullptr, t, nullptr, t, nullptr, t, nullptr, t, nullptr), print);
  }
  EXPECT_EQ(dll.init(longText.c_str()), 1);  // no such folder can be made
  EXPECT_EQ(dll.photoSignatureExists("1"), 3);  // and the library still answers
  EXPECT_EQ(dll.version(), 402);
}

TEST(Exports, OnlyTheLowByteOfTheKindCounts) {
  Exports dll = ByName();
  std::string folder = NewTempFolder();
  ASSERT_EQ(dll.init(folder.c_str()), 0);
  FileDialogsCancelled cancelled;
  EXPECT_EQ(dll.scanImage(0x1FF, "1"), 1);   // 255: request 0
  EXPECT_EQ(dll.scanImage(0x205, "1"), 1);   // 5
  EXPECT_EQ(dll.scanImage(0x301, "1"), 2);   // 1: photo, file dialog cancelled
}

TEST(Exports, IdsThatLeaveThePictureStoreAreNotThereAndAreLogged) {
  Exports dll = ByName();
  const std::string folder = NewTempFolder();
  ASSERT_EQ(dll.init(folder.c_str()), 0);
  Touch(folder + "secret.jpg");  // what "..\secret" would reach
  Touch(folder + "Image\\s1.jpg");
  FileDialogsCancelled cancelled;
  for (const char* id : {"..\\secret", "\\..\\secret", "Image\\s1", "C:\\x", "*", "s?",
                         "NUL", "nul.jpg", "COM1", "CON .x", "a\x01" "b"}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(dll.photoSignatureExists(id), 3);
    EXPECT_EQ(dll.scanImage(1, id), 2);
    EXPECT_EQ(dll.print(0, id, "A", "B", "0180-123-45F", "2026-03-05", "", "", "", "", ""), 3);
  }
  const std::string log = ReadText(folder + "VemraSDK.log");
  EXPECT_NE(log.find("\"..\\secret\""), std::string::npos) << log;
  EXPECT_NE(log.find("\"nul.jpg\""), std::string::npos) << log;
  EXPECT_EQ(dll.photoSignatureExists("1"), 2);  // a plain id still finds its picture
}

TEST(Exports, AFailedCaptureIsExplainedInTheDataFoldersLog) {
  Exports dll = ByName();
  std::string folder = NewTempFolder();
  WriteSettings(folder, "[BildImport]\r\nFotoMetod=99\r\n");  // no such source
  ASSERT_EQ(dll.init(folder.c_str()), 0);
  EXPECT_EQ(dll.scanImage(1, "9"), 2);
  std::string log = ReadText(folder + "VemraSDK.log");
  EXPECT_NE(log.find("bildinsamling"), std::string::npos) << log;
}

}  // namespace
}  // namespace vemra::test
