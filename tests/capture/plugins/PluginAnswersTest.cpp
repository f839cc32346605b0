// Reading the camera plug-ins' answers: the connect rule, the picture
// answers of both families and the turn they ask for.
#include <gtest/gtest.h>

#include "capture/plugins/PluginAnswers.h"

namespace vemra {
namespace {

TEST(PluginAnswers, OnlyErrorBeforeTheFirstColonFailsAConnect) {
  struct Case { const char* answer; bool error; } cases[] = {
      {"Error: x", true},      {"ERROR:", true},           {"error:no camera: 2", true},
      {"", false},             {"EOS 5D", false},          {"Error", false},
      {"Errors: 3", false},    {" error: x", false},       {"Camera: error: x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsConnectError(c.answer), c.error) << c.answer;
}

TEST(PluginAnswers, AnglesComeIntoRangeByOneStep) {
  struct Case { int in, out; } cases[] = {
      {0, 0}, {90, 90}, {180, 180}, {270, 270}, {-90, 270}, {-180, 180}, {-270, 90},
      {360, 0}, {450, 90}, {-450, -90}, {45, 45}, {271, -89},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalisePluginAngle(c.in), c.out) << c.in;
}

TEST(PluginAnswers, TabAnswerGivesFileAndTurnWhenTheAngleIsANumber) {
  struct Case { const char* answer; CameraShot shot; } cases[] = {
      {"C:\\p\\portrait.jpg\t-90", {"C:\\p\\portrait.jpg", 270}},
      {"C:\\a.jpg\t180\textra", {"C:\\a.jpg", 180}},
      {"C:\\a.jpg\t +90 ", {"C:\\a.jpg", 90}},
      {"C:\\a.jpg", {"C:\\a.jpg", 0}},
      {"C:\\a.jpg\t", {"C:\\a.jpg", 0}},
      {"C:\\a.jpg\tright", {"C:\\a.jpg", 0}},
      {"C:\\a.jpg\t90.0", {"C:\\a.jpg", 0}},
      {"", {"", 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTabAnswer(c.answer), c.shot) << c.answer;
}

TEST(PluginAnswers, EosAnswerIsAKeyValueList) {
  struct Case { const char* answer; CameraShot shot; } cases[] = {
      {"Fil=C:\\e\\1.jpg\tAngle=90\t", {"C:\\e\\1.jpg", 90}},
      {"angle=-90\tFIL=C:\\x=y.jpg\t", {"C:\\x=y.jpg", 270}},
      {"Fil=C:\\e\\1.jpg\t", {"C:\\e\\1.jpg", 0}},
      {"Fil=C:\\e\\1.jpg\tAngle=left\t", {"C:\\e\\1.jpg", 0}},
      {"SettingsChanged=1\t", {"", 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseEosAnswer(c.answer), c.shot) << c.answer;
}

}  // namespace
}  // namespace vemra
