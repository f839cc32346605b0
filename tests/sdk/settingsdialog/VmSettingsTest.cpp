// VmSettings from the library's side: what a confirmed, a cancelled and a
// failed dialog leave in memory, in the printer and in the file.
#include <gtest/gtest.h>

#include "sdk/Fakes.h"
#include "sdk/LibraryState.h"

namespace vemra::test {
namespace {

// The profile file of the platform, refusing every write.
class ReadOnlyProfile : public ProfileFile {
 public:
  explicit ReadOnlyProfile(std::unique_ptr<ProfileFile> file) : file_(std::move(file)) {}
  std::optional<std::string> Read(const std::string& s, const std::string& k) const override {
    return file_->Read(s, k);
  }
  void Write(const std::string&, const std::string&, const std::string&) override {
    throw ProfileWriteError("write refused");
  }
  void Remove(const std::string&, const std::string&) override {
    throw ProfileWriteError("write refused");
  }
  void Commit() override {}

 private:
  std::unique_ptr<ProfileFile> file_;
};

class VmSettingsTest : public ::testing::Test {
 protected:
  VmSettingsTest() {
    platform.hostFolder = data.Windows();
    data.Write("VemraSDK.ini", kIni);
  }
  Library& Lib() {
    if (!library) {
      LibraryServices s = platform.Services();
      s.settingsDialog = &dialog;
      if (readOnly)
        s.openProfile = [](const std::string& path) -> std::unique_ptr<ProfileFile> {
          return std::make_unique<ReadOnlyProfile>(OpenPortableProfileFile(path));
        };
      library = std::make_unique<Library>(s);
      library->VmInit(data.Windows());
    }
    return *library;
  }

  static constexpr const char* kIni =
      "[Utskrift]\r\nVemra Skrivare=Kortskrivare\r\nVemra V\xe4nsterkant=1,5\r\n"
      "[BildImport]\r\nFotoMetod=41\r\n";
  TempFolder data;
  FakePlatform platform;
  ScriptedSettingsDialog dialog;
  bool readOnly = false;
  std::unique_ptr<Library> library;
};

TEST_F(VmSettingsTest, ConfirmingSavesTheDialogsValues) {
  dialog.edit = [](SettingsDialogModel& m) {
    m.photoSource = m.signSource = 0;
    ChooseSplitDirection(m, true);
    m.printer = "CardPDF";
  };
  EXPECT_EQ(Lib().VmSettings(), 0);
  const std::string ini = data.Read("VemraSDK.ini");
  for (const char* line : {"FotoMetod=2", "SignMetod=2", "SplitVert=1", "DelaPosition=20",
                           "Vemra Skrivare=CardPDF", "Vemra V\xe4nsterkant=1,5"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  EXPECT_EQ(platform.printers.current, "CardPDF");
  EXPECT_EQ(Lib().CurrentSettings().splitPosition, 20);
}

TEST_F(VmSettingsTest, CancellingChangesNothing) {
  dialog.edit = [](SettingsDialogModel& m) { m.photoSource = 0, m.printer = "CardPDF"; };
  dialog.confirm = false;
  EXPECT_EQ(Lib().VmSettings(), 1);
  EXPECT_EQ(data.Read("VemraSDK.ini"), kIni);
  EXPECT_EQ(Lib().CurrentSettings().photoMethod, 41);
  EXPECT_EQ(platform.printers.current, "Kortskrivare");
}

TEST_F(VmSettingsTest, AFailedSaveIsToldAndLeavesMemoryAndPrinterAsTheyWere) {
  readOnly = true;
  dialog.edit = [](SettingsDialogModel& m) { m.photoSource = 0, m.printer = "CardPDF"; };
  EXPECT_EQ(Lib().VmSettings(), 1);
  ASSERT_EQ(dialog.failures.size(), 1u);
  EXPECT_NE(dialog.failures[0].find("kunde inte sparas"), std::string::npos);
  EXPECT_EQ(Lib().CurrentSettings().photoMethod, 41);
  EXPECT_EQ(Lib().CurrentSettings().printer, "Kortskrivare");
  EXPECT_EQ(platform.printers.current, "Kortskrivare");
  EXPECT_EQ(data.Read("VemraSDK.ini"), kIni);
  EXPECT_NE(data.Read("VemraSDK.log").find("write refused"), std::string::npos);
}

TEST_F(VmSettingsTest, ACallWhileTheDialogIsOpenIsRefused) {
  int inner = -1;
  dialog.whileOpen = [&] {
    dialog.whileOpen = nullptr;
    inner = Lib().VmSettings();
  };
  dialog.confirm = false;
  EXPECT_EQ(Lib().VmSettings(), 1);
  EXPECT_EQ(inner, 1);
  EXPECT_EQ(dialog.shown, 1);
}

}  // namespace
}  // namespace vemra::test
