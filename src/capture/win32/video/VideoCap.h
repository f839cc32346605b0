#pragma once
// TVideoCap: a Video for Windows capture window inside a black control,
// with the driver's video menu on a right click.
#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/framing/FramingGeometry.h"
#include "imaging/Bitmap.h"

namespace vemra {

class TVideoCap {
 public:
  // Creates the control filling `parent`.
  TVideoCap(HWND parent, int& chosenDriver);
  ~TVideoCap();
  TVideoCap(const TVideoCap&) = delete;
  TVideoCap& operator=(const TVideoCap&) = delete;

  // Every step may throw; the caller abandons the step.
  void StartVideo(int driverIndex);
  bool ReconnectVideo();
  // The frame on screen, grabbed from the driver; empty without one.
  Bitmap FreezeVideoFrame();
  void Disconnect();

  HWND Control() const { return control_; }
  void ShowMenu(int x, int y);
  void MenuCommand(int id);

 private:
  void SetDriverIndex(int index);
  void Connect();
  bool HasOverlay();
  void SetOverlay(bool on);
  void SetPreview(bool on);
  void FetchStatus();
  void SizeCaptureWindow();
  void DriverDialog(UINT message);
  static LRESULT CALLBACK KeepFrame(HWND capture, VIDEOHDR* header);

  HWND control_ = nullptr, capture_ = nullptr;
  int& chosenDriver_;
  int driverIndex_ = -1;
  std::string driverName_;
  std::vector<std::string> drivers_;
  CAPDRIVERCAPS caps_{};
  CAPSTATUS status_{};
  std::vector<std::uint8_t> grabbed_;  // the last grabbed frame, as the driver gave it
  bool capsKnown_ = false, overlayOn_ = false, previewOn_ = false;
};

// The driver dialog a video menu item opens, each the one its caption
// names ("Display..." the display dialog, "Format..." the format dialog);
// 0 for items that open none.
UINT DriverDialogMessage(int menuId);

}  // namespace vemra
