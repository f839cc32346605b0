#include "capture/win32/twain/Scanner.h"

#include <windows.h>

#include "base/win32/Win32Windows.h"
#include "capture/scanner/DibConversion.h"
#include "capture/win32/twain/AcquireImage.h"

namespace vemra {
namespace {

// The DIB's memory block as a 24-bit picture; the block is freed.
int TakePicture(DibHandle dib, Bitmap& out) {
  HGLOBAL block = static_cast<HGLOBAL>(dib);
  bool converted = false;
  if (const void* bytes = GlobalLock(block)) {
    converted = DibToBitmap(static_cast<const std::uint8_t*>(bytes), GlobalSize(block), out);
    GlobalUnlock(block);
  }
  GlobalFree(block);
  return converted ? kTwainSuccess : kTwainFailure;
}

}  // namespace

TwainConnection& ScannerConnection() {
  // Never destroyed: tearing TWAIN down while the process detaches this
  // library would call into other libraries under the loader lock.
  static TwainConnection* connection =
      new TwainConnection([] { return std::make_unique<TAcquireImage>(); });
  return *connection;
}

int PrepareScanner() noexcept {
  try {
    TwainConnection& twain = ScannerConnection();
    return twain.State() == 3 ? kTwainSuccess : twain.TwainOpenSource();
  } catch (...) {
    return kTwainFailure;
  }
}

int ScanPicture(bool showInterface, Bitmap& out) noexcept {
  out = Bitmap();
  DibHandle dib = nullptr;
  int result = kTwainFailure;
  try {
    TwainConnection& twain = ScannerConnection();
    if (twain.State() != 3 && twain.TwainOpenSource() != kTwainSuccess) return kScanNoSource;
    twain.TwainSetShowUI(showInterface);
    result = twain.TwainAcquire(dib);
    PumpPendingMessages();
    twain.TwainUnload();
    if (result != kTwainSuccess || !dib) {
      if (dib) GlobalFree(static_cast<HGLOBAL>(dib));
      return result;
    }
    DibHandle taken = dib;
    dib = nullptr;
    return TakePicture(taken, out);
  } catch (...) {
    if (dib) GlobalFree(static_cast<HGLOBAL>(dib));
    return kTwainFailure;
  }
}

bool SelectScannerSource() noexcept {
  try {
    return ScannerConnection().SelectScannerSource();
  } catch (...) {
    return false;
  }
}

void ShutDownTwain() noexcept {
  try {
    TwainConnection& twain = ScannerConnection();
    twain.TwainCloseAll();
    twain.TwainUnload();
  } catch (...) {
    // Shutting down after a capture; nothing is waiting for the answer.
  }
}

}  // namespace vemra
