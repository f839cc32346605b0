#pragma once
// One native-transfer acquisition: enable the source, pass the thread's
// messages to it until it has pictures or gives up, and take them. The
// platform side supplies the calls; the order and the rules live here.
#include "capture/scanner/TwainConnection.h"

namespace vemra {

enum class NextMessage { kMessage, kQuit, kError };

// TWAIN messages the loop acts on.
constexpr int kTwainMsgNull = 0;
constexpr int kTwainMsgTransferReady = 0x0101;
constexpr int kTwainMsgCloseRequest = 0x0102;

class TransferSession {
 public:
  virtual ~TransferSession() = default;
  virtual int Enable() = 0;
  // Waits for the thread's next message; a quit is put back for the host.
  virtual NextMessage WaitMessage() = 0;
  // The source's answer to the current message, and the TWAIN message it
  // carries for a data-source event.
  virtual int ProcessEvent(int& twainMessage) = 0;
  virtual void DispatchMessage() = 0;
  virtual int TransferNative(DibHandle& picture) = 0;
  // Sets the count of transfers still pending (-1 when unknown).
  virtual int EndTransfer(int& pending) = 0;
  virtual int ResetTransfers() = 0;
  virtual void FreePicture(DibHandle picture) = 0;
  // A failure's result: 0x8000 + condition code, or 1.
  virtual int FailureResult() = 0;
};

// 0 with the last picture in `picture`, 3 when the user cancelled or closed
// the source, otherwise the failure's result; `picture` is set only with 0.
int RunNativeTransfer(TransferSession& session, DibHandle& picture);

}  // namespace vemra
