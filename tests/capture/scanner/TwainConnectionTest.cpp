#include "capture/scanner/TwainConnection.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemra {
namespace {

// What the fake component answers, and what was asked of it.
struct Script {
  bool loads = true;
  int openManager = 0, select = 0, openSource = 0, closeAll = 0;
  bool unloadThrows = false;
  std::vector<std::string> calls;
  int alive = 0;

  std::string Calls() const {
    std::string all;
    for (const std::string& c : calls) all += (all.empty() ? "" : ",") + c;
    return all;
  }
};

class FakeComponent final : public TwainComponent {
 public:
  explicit FakeComponent(Script& s) : s_(s) { ++s_.alive; }
  ~FakeComponent() override { --s_.alive; }
  bool LoadSourceManager() override { return Log("load"), s_.loads; }
  int OpenSourceManager() override { return Log("manager"), s_.openManager; }
  int SelectSource(const std::string& name) override { return Log("select:" + name), s_.select; }
  int OpenSource() override { return Log("source"), s_.openSource; }
  int AcquireNative(DibHandle& picture) override {
    picture = &s_;
    return Log("acquire"), 0;
  }
  int CloseAll() override { return Log("close"), s_.closeAll; }
  void UnloadSourceManager() override {
    Log("unload");
    if (s_.unloadThrows) throw std::runtime_error("unload");
  }
  void SetShowUI(bool) override {}

 private:
  void Log(const std::string& call) { s_.calls.push_back(call); }
  Script& s_;
};

class Connection : public ::testing::Test {
 protected:
  Script script;
  TwainConnection twain{[this] { return std::make_unique<FakeComponent>(script); }};

  // Brings the connection to `state` with every step succeeding, then
  // forgets the calls that took it there.
  void Reach(int state) {
    if (state == 1) twain.TwainLoad();
    if (state == 2) twain.TwainOpenManager();
    if (state == 3) twain.TwainOpenSource();
    ASSERT_EQ(twain.State(), state);
    script.calls.clear();
  }
};

struct Move {
  int from, target;
  const char* calls;
  int end;
};

TEST_F(Connection, SetStateTakesTheStepsBetweenStates) {
  const Move moves[] = {
      {0, 1, "load", 1},
      {0, 2, "load,manager,source", 3},  // asking for 2 opens the source
      {0, 3, "load,manager,source", 3},
      {1, 0, "unload", 0},
      {1, 2, "manager,source", 3},
      {2, 0, "close,unload", 0},
      {2, 1, "close", 1},
      {2, 3, "source", 3},
      {3, 0, "close,unload", 0},
      {3, 1, "close", 1},
      {3, 2, "", 3},
      {3, 3, "", 3},  // nothing is opened twice
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(std::to_string(m.from) + " -> " + std::to_string(m.target));
    Reach(m.from);
    twain.TwainSetState(m.target);
    EXPECT_EQ(script.Calls(), m.calls);
    EXPECT_EQ(twain.State(), m.end);
    twain.TwainUnload();
  }
}

TEST_F(Connection, FailedStepsLeaveTheStateWhereItWas) {
  script.loads = false;
  EXPECT_EQ(twain.TwainOpenSource(), kTwainNotReady);
  EXPECT_EQ(script.Calls(), "load");
  EXPECT_EQ(twain.State(), 0);

  script = Script{};
  script.openManager = 0x8005;
  EXPECT_EQ(twain.TwainOpenSource(), kTwainNotReady);
  EXPECT_EQ(script.Calls(), "load,manager");
  EXPECT_EQ(twain.State(), 1);

  script.calls.clear();
  script.openManager = 0;
  script.openSource = 0x8005;
  EXPECT_EQ(twain.TwainOpenSource(), 0x8005);
  EXPECT_EQ(script.Calls(), "manager,source");
  EXPECT_EQ(twain.State(), 2);
}

TEST_F(Connection, SourceByNameIsSelectedOnceAndRemembered) {
  EXPECT_EQ(twain.TwainOpenSource("Flatbed"), 0);
  EXPECT_EQ(script.Calls(), "load,manager,select:Flatbed,source");
  EXPECT_EQ(twain.SelectedSource(), "Flatbed");

  script.calls.clear();
  twain.TwainCloseAll();
  EXPECT_EQ(twain.TwainOpenSource("Flatbed"), 0);
  EXPECT_EQ(script.Calls(), "close,manager,source");

  script.calls.clear();
  script.select = kTwainEndOfList;
  EXPECT_EQ(twain.TwainOpenSource("Missing"), kTwainNotReady);
  EXPECT_EQ(script.Calls(), "close,manager,select:Missing");
  EXPECT_EQ(twain.SelectedSource(), "Flatbed");

  twain.TwainUnload();
  EXPECT_EQ(twain.SelectedSource(), "");
}

TEST_F(Connection, SelectingASourceEndsInTheStateItStartedFrom) {
  for (int from = 0; from <= 3; ++from) {
    SCOPED_TRACE(from);
    Reach(from);
    EXPECT_TRUE(twain.SelectScannerSource());
    EXPECT_EQ(twain.State(), from);
    EXPECT_NE(script.Calls().find("select:"), std::string::npos) << script.Calls();
    twain.TwainUnload();
  }
  // From an open source the manager is closed and opened again first, so
  // that it can answer the selection.
  Reach(3);
  twain.SelectScannerSource();
  EXPECT_EQ(script.Calls(), "close,manager,select:,source");
}

TEST_F(Connection, UnloadClosesFirstAndStaysLoadedWhenClosingFails) {
  Reach(3);
  script.closeAll = 0x800B;
  twain.TwainUnload();
  EXPECT_EQ(script.Calls(), "close");
  EXPECT_EQ(twain.State(), 3);
  EXPECT_EQ(script.alive, 1);

  script.calls.clear();
  script.closeAll = 0;
  twain.TwainUnload();
  EXPECT_EQ(script.Calls(), "close,unload");
  EXPECT_EQ(twain.State(), 0);
  EXPECT_EQ(script.alive, 0);

  script.calls.clear();
  twain.TwainUnload();
  EXPECT_EQ(twain.TwainCloseAll(), kTwainNotReady);
  EXPECT_EQ(script.Calls(), "");
}

TEST_F(Connection, UnloadSwallowsFailuresOfTheLibrary) {
  Reach(1);
  script.unloadThrows = true;
  EXPECT_NO_THROW(twain.TwainUnload());
}

TEST_F(Connection, AcquireNeedsAnOpenSource) {
  DibHandle picture = &script;
  Reach(2);
  EXPECT_EQ(twain.TwainAcquire(picture), kTwainNotReady);
  EXPECT_EQ(picture, nullptr);
  twain.TwainOpenSource();
  script.calls.clear();
  EXPECT_EQ(twain.TwainAcquire(picture), 0);
  EXPECT_EQ(script.Calls(), "acquire");
}

}  // namespace
}  // namespace vemra
