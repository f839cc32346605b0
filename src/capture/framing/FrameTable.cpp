#include "capture/framing/FrameTable.h"

namespace vemra {

namespace {
constexpr int kPurposeSignature = 2;
constexpr int kSourceVideoForWindows = 1;
constexpr int kSourceDirectShow = 61;
}  // namespace

ScreenSize CaptureFrameSize(int purpose, int source, int videoWindowHeight) {
  if (purpose == kPurposeSignature)
    return source == kSourceVideoForWindows ? kVideoSignatureFrame : kSignatureFrame;
  if (source == kSourceDirectShow) {
    const int height = RoundEven(videoWindowHeight / 1.1);
    const int width = RoundEven(height * 0.75);
    if (width > 0 && height > 0) return {width, height};
  }
  return kPhotoFrame;
}

ScreenSize StillDialogSize(ScreenSize frame) {
  return {frame.width + kButtonColumnWidth + 36, frame.height + kBottomBarHeight + 58};
}

ScreenSize ScaleForDpi(ScreenSize size, int pixelsPerInch) {
  if (pixelsPerInch == 96 || pixelsPerInch <= 0) return size;
  return {RoundEven(size.width * double(pixelsPerInch) / 96.0),
          RoundEven(size.height * double(pixelsPerInch) / 96.0)};
}

}  // namespace vemra
