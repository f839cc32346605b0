#include "sdk/ProfileFileContract.h"

namespace vemra::test {
namespace {

TEST_P(ProfileFileContract, ReadsValuesAsThePlatformDoes) {
  folder.Write("test.ini",
               "[BildImport]\r\n"
               "; FotoQ=1\r\n"
               "FotoQ=0x50\r\n"
               "Quoted=\"  abc  \"\r\n"
               "Blanks=  padded value \t\r\n"
               "Empty=\r\n"
               "L\xe4s in bild granska=a;b\r\n"
               "[Other]\r\n"
               "FotoQ=99\r\n");
  auto file = Open();
  struct Case { const char* section; const char* key; std::optional<std::string> value; } cases[] = {
      {"BildImport", "FotoQ", "0x50"},
      {"bildimport", "FOTOQ", "0x50"},
      {"BildImport", "Quoted", "  abc  "},
      {"BildImport", "Blanks", "padded value"},
      {"BildImport", "Empty", ""},
      {"BildImport", "L\xe4s in bild granska", "a;b"},
      {"BildImport", "Missing", std::nullopt},
      {"Other", "FotoQ", "99"},
      {"Nowhere", "FotoQ", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(file->Read(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST_P(ProfileFileContract, WritesCreateReplaceAndRemove) {
  auto file = Open();
  EXPECT_EQ(file->Read("Utskrift", "Vemra Skrivare"), std::nullopt);
  file->Write("Utskrift", "Vemra Skrivare", "CardPDF");
  file->Write("Utskrift", "Vemra Orientering", "2");
  file->Write("Kommunuppgifter", "KommunRad1", "\xfe\"  Kommun\"");
  file->Write("Utskrift", "Vemra Skrivare", "Kortskrivare");
  EXPECT_EQ(file->Read("Utskrift", "Vemra Skrivare"), "Kortskrivare");
  EXPECT_EQ(file->Read("Utskrift", "Vemra Orientering"), "2");
  EXPECT_EQ(file->Read("Kommunuppgifter", "KommunRad1"), "\xfe\"  Kommun\"");
  file->Remove("Utskrift", "Vemra Skrivare");
  EXPECT_EQ(file->Read("Utskrift", "Vemra Skrivare"), std::nullopt);
  EXPECT_EQ(file->Read("Utskrift", "Vemra Orientering"), "2");
  file->Commit();
  file = Open();
  EXPECT_EQ(file->Read("Utskrift", "Vemra Orientering"), "2");
  EXPECT_EQ(file->Read("Utskrift", "Vemra Skrivare"), std::nullopt);
}

TEST_P(ProfileFileContract, ChangesWithoutCommitLeaveTheFileAsItWas) {
  const std::string before = "[Utskrift]\r\nVemra Skrivare=CardPDF\r\n";
  folder.Write("test.ini", before);
  {
    auto file = Open();
    file->Write("Utskrift", "Vemra Orientering", "2");
    file->Remove("Utskrift", "Vemra Skrivare");
  }
  EXPECT_EQ(folder.Read("test.ini"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1) << "no copy left behind";
}

TEST_P(ProfileFileContract, RemovingFromAMissingFileCreatesNothing) {
  auto file = Open();
  file->Remove("Utskrift", "Vemra Skrivare");
  file->Commit();
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "test.ini"));
}

TEST_P(ProfileFileContract, KeepsOtherLinesAndWritesWindowsText) {
  folder.Write("test.ini", "; installerad av kommunen\r\n[Kommun]\r\nKod=0180\r\n");
  auto file = Open();
  file->Write("Kommun", "Namn", "G\xf6teborg");
  file->Commit();
  std::string text = folder.Read("test.ini");
  EXPECT_NE(text.find("; installerad av kommunen\r\n"), std::string::npos);
  EXPECT_NE(text.find("Kod=0180\r\n"), std::string::npos);
  EXPECT_NE(text.find("Namn=G\xf6teborg\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Portable, ProfileFileContract,
                         ::testing::Values(ProfileBinding{"PortableFile", OpenPortableProfileFile}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vemra::test

#ifdef _WIN32
#include "sdk/win32/PrivateProfileFile.h"
namespace vemra::test {
INSTANTIATE_TEST_SUITE_P(Windows, ProfileFileContract,
                         ::testing::Values(ProfileBinding{"PrivateProfileFunctions",
                                                          OpenPrivateProfileFile}),
                         [](const auto& info) { return std::string(info.param.name); });
}  // namespace vemra::test
#endif
