// The Canon and Canon PR plug-ins in use: when they load, connect and are
// asked for pictures, against a fake library.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "capture/plugins/CanonCamera.h"

namespace vemra {
namespace {

struct FakeLibrary : CanonLibrary {
  std::deque<int> loads;  // results to give, then kCanonLoadedBefore
  std::deque<std::string> connects;
  std::vector<std::string> calls;
  int Load() override {
    calls.push_back("load");
    if (loads.empty()) return kCanonLoadedBefore;
    const int r = loads.front();
    loads.pop_front();
    return r;
  }
  std::string ConnectInit(const std::string& settings) override {
    calls.push_back("connect " + settings);
    const std::string r = connects.front();
    if (connects.size() > 1) connects.pop_front();
    return r;
  }
  std::string GetImage(bool automatic) override {
    calls.push_back(automatic ? "auto" : "image");
    return "C:\\p.jpg\t90";
  }
};

using Calls = std::vector<std::string>;

TEST(CanonCamera, ConnectsOnceAndAsksForOnePicturePerPress) {
  FakeLibrary lib;
  lib.loads = {kCanonLoaded};
  lib.connects = {"EOS 400D"};
  CanonCamera camera(lib);
  EXPECT_EQ(camera.GetImage(), "C:\\p.jpg\t90");
  EXPECT_EQ(camera.GetImage(true), "C:\\p.jpg\t90");
  EXPECT_EQ(lib.calls, (Calls{"load", "connect ", "image", "auto"}));
  EXPECT_TRUE(camera.Connected());
  EXPECT_EQ(camera.CameraName(), "EOS 400D");
}

TEST(CanonCamera, AnErrorAnswerBringsNoPictureAndIsKept) {
  FakeLibrary lib;
  lib.loads = {kCanonLoaded};
  lib.connects = {"Error: x", "ERROR:", "Camera: ready"};
  CanonCamera camera(lib, "cam.ini");
  EXPECT_EQ(camera.GetImage(), "");
  EXPECT_EQ(camera.LastError(), "Error: x");
  EXPECT_EQ(camera.GetImage(), "");
  EXPECT_EQ(camera.LastError(), "ERROR:");
  EXPECT_FALSE(camera.Connected());
  // Any other answer connects, and the whole of it names the camera.
  EXPECT_EQ(camera.GetImage(), "C:\\p.jpg\t90");
  EXPECT_EQ(camera.CameraName(), "Camera: ready");
  EXPECT_EQ(lib.calls, (Calls{"load", "connect cam.ini", "connect cam.ini", "connect cam.ini",
                              "image"}));
}

TEST(CanonCamera, AnEmptyConnectAnswerConnectsWithoutAName) {
  FakeLibrary lib;
  lib.loads = {kCanonLoaded};
  lib.connects = {""};
  CanonCamera camera(lib);
  EXPECT_NE(camera.GetImage(), "");
  EXPECT_TRUE(camera.Connected());
  EXPECT_EQ(camera.CameraName(), "");
}

TEST(CanonCamera, EveryLoadResultButZeroEndsWithoutAnAnswer) {
  for (int result : {kCanonMissing, kCanonLoadFailed, kCanonLoadedBefore}) {
    FakeLibrary lib;
    lib.loads = {result, result};
    lib.connects = {"cam"};
    CanonCamera camera(lib);
    EXPECT_EQ(camera.GetImage(), "") << result;
    EXPECT_EQ(camera.GetImage(), "") << result;
    EXPECT_EQ(lib.calls, (Calls{"load", "load"})) << "tried again at each press";
  }
  // A library that loads later (put in place meanwhile) connects then.
  FakeLibrary lib;
  lib.loads = {kCanonMissing, kCanonLoaded};
  lib.connects = {"cam"};
  CanonCamera camera(lib);
  EXPECT_EQ(camera.GetImage(), "");
  EXPECT_NE(camera.GetImage(), "");
}

}  // namespace
}  // namespace vemra
