#include "capture/scanner/NativeTransfer.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vemra {
namespace {

DibHandle Picture(int n) { return reinterpret_cast<DibHandle>(std::uintptr_t(0x1000 * n)); }

constexpr int kCondition = 0x8004;

// A source that answers from queues; the thread's message queue runs dry
// into a quit, so a loop that waits for too long ends.
class ScriptedSession final : public TransferSession {
 public:
  int enable = kTwainSuccess;
  std::deque<std::pair<int, int>> events;  // result, TWAIN message
  std::deque<std::pair<int, int>> transfers;  // result, picture number
  std::deque<int> pending;
  std::vector<std::string> calls;
  std::set<DibHandle> freed;
  int dispatched = 0;

  int Enable() override { return Log("enable"), enable; }
  NextMessage WaitMessage() override {
    return events.empty() ? NextMessage::kQuit : NextMessage::kMessage;
  }
  int ProcessEvent(int& message) override {
    const auto [result, m] = events.front();
    events.pop_front();
    message = m;
    return result;
  }
  void DispatchMessage() override { ++dispatched; }
  int TransferNative(DibHandle& picture) override {
    Log("transfer");
    const auto [result, n] = transfers.front();
    transfers.pop_front();
    picture = n ? Picture(n) : nullptr;
    return result;
  }
  int EndTransfer(int& count) override {
    Log("end");
    count = pending.empty() ? 0 : pending.front();
    if (!pending.empty()) pending.pop_front();
    return kTwainSuccess;
  }
  int ResetTransfers() override { return Log("reset"), kTwainSuccess; }
  void FreePicture(DibHandle picture) override { EXPECT_TRUE(freed.insert(picture).second); }
  int FailureResult() override { return kCondition; }

  std::string Calls() const {
    std::string all;
    for (const std::string& c : calls) all += (all.empty() ? "" : ",") + c;
    return all;
  }

 private:
  void Log(const char* call) { calls.push_back(call); }
};

const std::pair<int, int> kReady{kTwainDsEvent, kTwainMsgTransferReady};
const std::pair<int, int> kOther{kTwainNotDsEvent, kTwainMsgNull};

struct Case {
  const char* name;
  int enable;
  std::deque<std::pair<int, int>> events;
  std::deque<std::pair<int, int>> transfers;
  std::deque<int> pending;
  int result;
  int picture;  // number of the picture handed out, 0 for none
  std::set<int> freed;
  const char* calls;
};

TEST(NativeTransfer, FollowsTheSourcesAnswers) {
  const Case cases[] = {
      {"one picture", kTwainSuccess, {kOther, kReady}, {{kTwainTransferDone, 1}}, {0},
       kTwainSuccess, 1, {}, "enable,transfer,end"},
      {"several pictures: the last one wins", kTwainSuccess, {kReady},
       {{kTwainTransferDone, 1}, {kTwainTransferDone, 2}, {kTwainTransferDone, 3}}, {2, 1, 0},
       kTwainSuccess, 3, {1, 2}, "enable,transfer,end,transfer,end,transfer,end"},
      {"unknown count", kTwainSuccess, {kReady},
       {{kTwainTransferDone, 1}, {kTwainTransferDone, 2}}, {-1, 0}, kTwainSuccess, 2, {1},
       "enable,transfer,end,transfer,end"},
      {"user closes the source", kTwainSuccess, {kOther, {kTwainDsEvent, kTwainMsgCloseRequest}},
       {}, {}, kTwainCancel, 0, {}, "enable"},
      {"cancel after a picture", kTwainSuccess, {kReady},
       {{kTwainTransferDone, 1}, {kTwainCancel, 2}}, {1, 1}, kTwainCancel, 0, {1, 2},
       "enable,transfer,end,transfer,end,reset"},
      {"cancel of the last", kTwainSuccess, {kReady}, {{kTwainCancel, 0}}, {0}, kTwainCancel, 0,
       {}, "enable,transfer,end"},
      {"transfer fails", kTwainSuccess, {kReady}, {{kTwainFailure, 0}}, {}, kCondition, 0, {},
       "enable,transfer,reset"},
      {"second transfer fails", kTwainSuccess, {kReady},
       {{kTwainTransferDone, 1}, {kTwainFailure, 0}}, {1}, kCondition, 0, {1},
       "enable,transfer,end,transfer,reset"},
      {"enable fails", kTwainFailure, {kReady}, {}, {}, kCondition, 0, {}, "enable"},
      {"enable with check status goes on", kTwainCheckStatus, {kReady},
       {{kTwainTransferDone, 1}}, {0}, kTwainSuccess, 1, {}, "enable,transfer,end"},
      {"event fails", kTwainSuccess, {{kTwainFailure, 0}}, {}, {}, kCondition, 0, {}, "enable"},
      {"empty source event is not dispatched", kTwainSuccess,
       {{kTwainDsEvent, kTwainMsgNull}, kReady}, {{kTwainTransferDone, 1}}, {0}, kTwainSuccess, 1,
       {}, "enable,transfer,end"},
      {"host quits while waiting", kTwainSuccess, {kOther}, {}, {}, kTwainCancel, 0, {}, "enable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSession s;
    s.enable = c.enable;
    s.events = c.events;
    s.transfers = c.transfers;
    s.pending = c.pending;
    DibHandle picture = Picture(99);
    EXPECT_EQ(RunNativeTransfer(s, picture), c.result);
    EXPECT_EQ(picture, c.picture ? Picture(c.picture) : nullptr);
    std::set<DibHandle> freed;
    for (int n : c.freed) freed.insert(Picture(n));
    EXPECT_EQ(s.freed, freed);
    EXPECT_EQ(s.Calls(), c.calls);
  }
}

TEST(NativeTransfer, OtherMessagesReachTheirWindows) {
  ScriptedSession s;
  s.events = {kOther, kOther, kReady};
  s.transfers = {{kTwainTransferDone, 1}};
  DibHandle picture = nullptr;
  EXPECT_EQ(RunNativeTransfer(s, picture), kTwainSuccess);
  EXPECT_EQ(s.dispatched, 2);
}

}  // namespace
}  // namespace vemra
