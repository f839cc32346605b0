// A settings save through the platform's profile functions is all or
// nothing: a write that fails anywhere leaves the file byte for byte as it
// was, and no copy behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sdk/Settings.h"
#include "sdk/win32/PrivateProfileFile.h"

namespace vemra::test {
namespace {

constexpr const char* kBefore =
    "; av kommunen\r\n[Utskrift]\r\nVemra Skrivare=Kortskrivare\r\n"
    "[BildImport]\r\nFotoQ=90\r\nL\xe4s in bild kontroller=2\r\n";

// A data folder of its own for each test.
class Folder {
 public:
  Folder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("vemra-save-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter++));
    // Wine reuses ended processes' ids: start from nothing an earlier run left.
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Windows() const { return path_.string() + "\\"; }
  std::filesystem::path Path() const { return path_; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::filesystem::path path_;
};

class SettingsSaveTest : public ::testing::Test {
 protected:
  SettingsSaveTest() { folder.Write("VemraSDK.ini", kBefore); }

  SettingsContext Context() const {
    SettingsContext c;
    c.dataFolder = folder.Windows();
    c.currentPrinter = "Kortskrivare";
    return c;
  }

  // A save that changes every key, its writes failing from number `failAt`
  // on (0: none fail); the number of writes it made.
  int Save(int failAt) {
    int writes = 0;
    Lynini ini([&](const std::string& path) {
      return OpenPrivateProfileFileWith(
          path, [&](const char* section, const char* key, const char* value, const char* file) {
            if (++writes == failAt) return SetLastError(ERROR_DISK_FULL), false;
            return WritePrivateProfileStringA(section, key, value, file) != FALSE;
          });
    });
    Settings settings;
    LoadSettings(ini, Context(), settings);
    settings.printer = "CardPDF";
    settings.topOffset = 1.5;
    settings.photoQuality = 55;
    settings.issuerLine1 = "  Kommunen";
    settings.mailServer = "smtp.kommun";
    SaveSettings(ini, Context(), settings);
    return writes;
  }

  int FilesInFolder() const {
    return int(std::distance(std::filesystem::directory_iterator(folder.Path()),
                             std::filesystem::directory_iterator()));
  }

  Folder folder;
};

TEST_F(SettingsSaveTest, AFailedWriteLeavesTheFileAsItWas) {
  const int all = Save(0);  // counts the writes of a whole save
  ASSERT_GT(all, 3);
  folder.Write("VemraSDK.ini", kBefore);
  for (int failAt : {1, all / 2, all}) {
    SCOPED_TRACE(failAt);
    EXPECT_THROW(Save(failAt), ProfileWriteError);
    EXPECT_EQ(folder.Read("VemraSDK.ini"), kBefore);
    EXPECT_EQ(FilesInFolder(), 1);
  }
}

TEST_F(SettingsSaveTest, ACompleteSaveReplacesTheFileAndKeepsItsOtherLines) {
  Save(0);
  const std::string after = folder.Read("VemraSDK.ini");
  for (const char* line : {"; av kommunen\r\n", "Vemra Skrivare=CardPDF\r\n", "FotoQ=55\r\n",
                           "L\xe4s in bild kontroller=2\r\n", "MailServer=smtp.kommun\r\n",
                           "KommunRad1=\xfe\"  Kommunen\"\r\n"})
    EXPECT_NE(after.find(line), std::string::npos) << line << " in\n" << after;
  EXPECT_EQ(FilesInFolder(), 1);
}

}  // namespace
}  // namespace vemra::test
