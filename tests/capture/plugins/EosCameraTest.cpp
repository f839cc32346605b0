// The Canon EOS plug-in in use: loading with settings and rights, the
// picture call and what the user is told, against a fake library.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "capture/plugins/EosCamera.h"

namespace vemra {
namespace {

struct FakeEos : EosLibrary {
  bool loadable = true;
  std::map<int, std::pair<int, std::string>> answers;  // function: result, text out
  std::vector<std::string> calls;
  bool Load(const std::string& path) override {
    calls.push_back("load " + path);
    return loadable;
  }
  int Params(int function, std::string& params) override {
    calls.push_back(std::to_string(function) + " " + params);
    auto [result, text] = answers.count(function) ? answers[function]
                                                  : std::pair<int, std::string>{0, ""};
    params = text;
    return result;
  }
};

using Calls = std::vector<std::string>;

struct Eos {
  FakeEos lib;
  std::vector<std::string> told;
  EosCamera camera;
  explicit Eos(EosOptions options = {"C:\\Host\\eos.dll", false, "", ""})
      : camera(lib, std::move(options), [this](const std::string& t) { told.push_back(t); }) {}
};

TEST(EosCamera, AMissingLibraryIsReportedWithItsPath) {
  Eos eos;
  eos.lib.loadable = false;
  std::string answer = "old";
  EXPECT_FALSE(eos.camera.GetImage(false, answer));
  EXPECT_EQ(answer, "");
  EXPECT_EQ(eos.told, (Calls{"Failed to load C:\\Host\\eos.dll"}));
  // Quiet: the same failure, nobody told.
  EXPECT_FALSE(eos.camera.GetImage(true, answer));
  EXPECT_EQ(eos.camera.LastError(), "Failed to load C:\\Host\\eos.dll");
  EXPECT_EQ(eos.told.size(), 1u);
}

TEST(EosCamera, FailuresOfThePictureCallAreTold) {
  struct Case { int result; const char* text; const char* told; } cases[] = {
      {-1, "Kameran svarar inte", "Kameran svarar inte"},
      {-98, "", "GetImage - Unknown Error: "},
      {7, "busy", "GetImage - Unknown Error: busy"},
  };
  for (const Case& c : cases) {
    Eos eos;
    eos.lib.answers[kEosGetImage] = {c.result, c.text};
    std::string answer;
    EXPECT_FALSE(eos.camera.GetImage(false, answer));
    EXPECT_EQ(answer, "") << "the text is cleared";
    EXPECT_EQ(eos.told, (Calls{c.told}));
  }
}

TEST(EosCamera, LoadsOnceAndAnswersWithThePictureList) {
  Eos eos;
  eos.lib.answers[kEosGetImage] = {0, "Fil=C:\\1.jpg\tAngle=90\t"};
  std::string answer;
  EXPECT_TRUE(eos.camera.GetImage(false, answer));
  EXPECT_EQ(answer, "Fil=C:\\1.jpg\tAngle=90\t");
  EXPECT_TRUE(eos.camera.GetImage(false, answer));
  EXPECT_EQ(eos.lib.calls, (Calls{"load C:\\Host\\eos.dll", "1 ", "1 "}));
  EXPECT_TRUE(eos.told.empty());
}

TEST(EosCamera, SettingsAndRightsGoOutAfterLoadingAndARefusalStillCountsAsLoaded) {
  Eos eos({"C:\\eos.dll", true, "Iso=100\t", "admin"});
  eos.lib.answers[kEosSetRights] = {-1, "no rights"};
  std::string answer;
  EXPECT_FALSE(eos.camera.GetImage(false, answer));
  EXPECT_EQ(eos.told, (Calls{"no rights"}));
  eos.lib.answers.erase(kEosSetRights);
  EXPECT_TRUE(eos.camera.GetImage(false, answer));
  EXPECT_EQ(eos.lib.calls, (Calls{"load C:\\eos.dll", "4 Iso=100\t", "6 admin", "1 "}));
}

TEST(EosCamera, ChangedSettingsAreFetchedOnlyWhenHandled) {
  for (bool handled : {false, true}) {
    Eos eos({"C:\\eos.dll", handled, "Iso=100\t", ""});
    eos.lib.answers[kEosGetImage] = {0, "Fil=C:\\1.jpg\tSettingsChanged=1\t"};
    eos.lib.answers[kEosGetSettings] = {0, "Iso=400\t"};
    std::string answer;
    EXPECT_TRUE(eos.camera.GetImage(false, answer));
    EXPECT_EQ(eos.camera.Settings(), handled ? "Iso=400\t" : "Iso=100\t");
    EXPECT_EQ(eos.lib.calls.back(), handled ? "3 " : "1 ");
  }
}

}  // namespace
}  // namespace vemra
