#include <gtest/gtest.h>

#include "sdk/Fakes.h"
#include "sdk/SettingsFile.h"

namespace vemra::test {
namespace {

TEST(EncodeLeadingSpace, IsOneToggleForBothDirections) {
  struct Case { std::string plain, stored; } cases[] = {
      {"  Kommunen", "\xfe\"  Kommunen\""},
      {" ", "\xfe\" \""},
      {"Kommunen ", "Kommunen "},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeLeadingSpace(c.plain), c.stored);
    EXPECT_EQ(EncodeLeadingSpace(c.stored), c.plain);
  }
  EXPECT_EQ(EncodeLeadingSpace("\xfe\""), "");  // damaged stored text
}

TEST(WriteRule, AValueEqualToAnyRecordedDefaultRemovesTheKey) {
  TempFolder folder;
  Lynini ini(OpenPortableProfileFile);
  folder.Write("a.ini", "[S]\r\nK=7\r\nL=1\r\n");
  IniSession session(ini, folder.Windows() + "a.ini");
  auto committed = [&] {
    session.Commit();
    return folder.Read("a.ini");
  };
  EXPECT_EQ(ini.IniReadInteger("S", "K", 5), 7);
  EXPECT_EQ(ini.IniReadString("S", "K", "six"), "7");
  ini.IniWriteString("s", "k", "SIX");  // any recorded default, any case
  EXPECT_EQ(committed().find("K="), std::string::npos);
  ini.IniWriteInteger("S", "K", 5);  // absent and default: nothing written
  EXPECT_EQ(committed().find("K="), std::string::npos);
  ini.IniWriteInteger("S", "K", 8);
  EXPECT_NE(committed().find("K=8"), std::string::npos);
  EXPECT_TRUE(ini.IniReadBool("S", "L", false));
  ini.IniWriteBool("S", "L", false);
  EXPECT_EQ(committed().find("L="), std::string::npos);
  EXPECT_EQ(ini.RecordedDefaults(),
            (std::vector<std::string>{"SK=5", "SK=six", "SL=0"}));
}

TEST(IniSession, ASessionLeftWithoutCommitLeavesTheFileAsItWas) {
  TempFolder folder;
  const std::string before = "[S]\r\nK=7\r\n";
  folder.Write("a.ini", before);
  Lynini ini(OpenPortableProfileFile);
  EXPECT_THROW(
      {
        IniSession session(ini, folder.Windows() + "a.ini");
        ini.IniWriteString("S", "K", "8");
        EXPECT_EQ(ini.IniReadString("S", "K", ""), "8");  // the session sees its writes
        throw ProfileWriteError("the next write failed");
      },
      ProfileWriteError);
  EXPECT_EQ(folder.Read("a.ini"), before);
}

TEST(IniOpen, DoesNothingWhileAFileIsOpen) {
  TempFolder folder;
  folder.Write("a.ini", "[S]\r\nK=a\r\n");
  folder.Write("b.ini", "[S]\r\nK=b\r\n");
  Lynini ini(OpenPortableProfileFile);
  ini.IniOpen(folder.Windows() + "a.ini");
  ini.IniOpen(folder.Windows() + "b.ini");
  EXPECT_EQ(ini.IniReadString("S", "K", ""), "a");
  ini.IniClose();
  EXPECT_THROW(ini.IniReadString("S", "K", ""), std::logic_error);
}

}  // namespace
}  // namespace vemra::test
