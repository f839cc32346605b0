#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

// The tests run under the Swedish user locale: the platform's answers must
// equal the reference the native tests use. Abbreviations differ between
// Windows versions ("jan" or "jan."), so only their presence is checked.
TEST(UserRegionalFormats, AgreeWithTheSwedishReference) {
  auto user = MakeUserRegionalFormats();
  SwedishFormats sv;
  EXPECT_EQ(user->DecimalSeparator(), sv.DecimalSeparator());
  EXPECT_EQ(user->ShortDateFormat(), sv.ShortDateFormat());
  EXPECT_EQ(user->DateSeparator(), sv.DateSeparator());
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(user->MonthName(m), sv.MonthName(m)) << m;
    EXPECT_FALSE(user->ShortMonthName(m).empty()) << m;
  }
  for (int d = 1; d <= 7; ++d) {
    EXPECT_EQ(user->DayName(d), sv.DayName(d)) << d;
    EXPECT_FALSE(user->ShortDayName(d).empty()) << d;
  }
}

TEST(Win32FileSystem, CreatesNestedFoldersAndListsByPattern) {
  auto files = MakeWin32FileSystem();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = std::string(temp) + "vemra-fs-" + std::to_string(GetCurrentProcessId());
  std::error_code ec;  // Wine reuses ended processes' ids: start from nothing an earlier run left
  std::filesystem::remove_all(root, ec);
  std::string deep = root + "\\a\\b\xe5\\c\\";
  ASSERT_TRUE(files->CreateFolders(deep));
  EXPECT_TRUE(files->FolderExists(deep));
  for (const char* name : {"0180b.jpg", "0180a.JPG", "0181.jpg"})
    ASSERT_TRUE(files->AppendToFile(deep + name, "x"));
  EXPECT_EQ(files->ListFiles(deep, "0180*.jpg"), (std::vector<std::string>{"0180a.JPG", "0180b.jpg"}));
  EXPECT_TRUE(files->FileExists(deep + "0181.jpg"));
  EXPECT_FALSE(files->FileExists(deep));
  EXPECT_FALSE(files->CreateFolders(deep + "0181.jpg\\x"));
  EXPECT_FALSE(HostFolder().empty());
  EXPECT_EQ(HostFolder().back(), '\\');
}

}  // namespace
}  // namespace vemra
