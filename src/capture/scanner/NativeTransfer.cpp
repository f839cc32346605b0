#include "capture/scanner/NativeTransfer.h"

namespace vemra {
namespace {

// Takes the pending pictures one after the other; each new one replaces
// (and frees) the one before, so the last picture of the batch wins. A
// source with more pictures pending stays ready to transfer, so they are
// taken at once rather than after another transfer-ready event.
class Transfers {
 public:
  explicit Transfers(TransferSession& session) : s_(session) {}
  ~Transfers() { Drop(); }

  // The acquisition's result; the last picture stays here with 0.
  int TakeAll() {
    for (;;) {
      DibHandle picture = nullptr;
      const int answer = s_.TransferNative(picture);
      if (answer == kTwainFailure) {
        const int result = s_.FailureResult();
        Drop();
        Reset();
        return result;
      }
      if (answer == kTwainCancel) {
        if (picture) s_.FreePicture(picture);
        Drop();
        int pending = 0;
        s_.EndTransfer(pending);
        if (pending != 0) Reset();
        return kTwainCancel;
      }
      if (answer != kTwainTransferDone) {
        if (picture) s_.FreePicture(picture);
        Drop();
        return answer;
      }
      Keep(picture);
      int pending = 0;
      if (s_.EndTransfer(pending) != kTwainSuccess) pending = 0;
      if (pending == 0) return kTwainSuccess;
    }
  }

  DibHandle Release() {
    DibHandle last = last_;
    last_ = nullptr;
    return last;
  }

 private:
  void Keep(DibHandle picture) {
    if (last_ && last_ != picture) s_.FreePicture(last_);
    last_ = picture;
  }
  void Drop() {
    if (last_) s_.FreePicture(last_);
    last_ = nullptr;
  }
  void Reset() { s_.ResetTransfers(); }

  TransferSession& s_;
  DibHandle last_ = nullptr;
};

}  // namespace

int RunNativeTransfer(TransferSession& session, DibHandle& picture) {
  picture = nullptr;
  const int enabled = session.Enable();
  if (enabled == kTwainFailure) return session.FailureResult();
  if (enabled != kTwainSuccess && enabled != kTwainCheckStatus) return enabled;

  Transfers transfers(session);
  for (;;) {
    switch (session.WaitMessage()) {
      case NextMessage::kQuit: return kTwainCancel;
      case NextMessage::kError: return kTwainFailure;
      case NextMessage::kMessage: break;
    }
    int twainMessage = kTwainMsgNull;
    const int answer = session.ProcessEvent(twainMessage);
    if (answer == kTwainFailure) return session.FailureResult();
    if (answer != kTwainDsEvent) {
      session.DispatchMessage();
      continue;
    }
    if (twainMessage == kTwainMsgCloseRequest) return kTwainCancel;
    if (twainMessage != kTwainMsgTransferReady) continue;
    const int result = transfers.TakeAll();
    if (result == kTwainSuccess) picture = transfers.Release();
    return result;
  }
}

}  // namespace vemra
