#include "capture/win32/video/VideoCap.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "capture/video/VideoDrivers.h"
#include "capture/video/VideoFitting.h"
#include "capture/win32/video/LiveVideos.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {

namespace {

constexpr int kCaptureWindowId = 5001;

std::optional<VideoDriverDescription> DescribeDriver(int index) {
  char name[80] = "", version[80] = "";
  if (!capGetDriverDescriptionA(UINT(index), name, sizeof name, version, sizeof version))
    return std::nullopt;
  return VideoDriverDescription{name, version};
}

LRESULT PaintBlack(HWND window, HDC dc) {
  RECT r{};
  GetClientRect(window, &r);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  return 1;
}

// What `draw` paints on a w x h canvas, as a 24-bit picture.
Bitmap Drawn(int w, int h, const std::function<void(HDC)>& draw) {
  if (w <= 0 || h <= 0) return {};
  const BITMAPINFO info = TopDown24BitInfo(w, h);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return {};
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, dib);
  draw(memory);
  GdiFlush();
  Bitmap picture(w, h);
  const std::size_t stride = std::size_t(w * 3 + 3) & ~std::size_t(3);
  for (int y = 0; y < h; ++y)
    std::memcpy(picture.Row(y), static_cast<const std::uint8_t*>(bits) + std::size_t(y) * stride,
                std::size_t(w) * 3);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  return picture;
}

TVideoCap* ControlOf(HWND window) {
  return reinterpret_cast<TVideoCap*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    if (message == WM_ERASEBKGND) return PaintBlack(window, HDC(w));
    if (message == WM_RBUTTONUP)
      if (TVideoCap* v = ControlOf(window)) {
        POINT p{short(LOWORD(l)), short(HIWORD(l))};
        ClientToScreen(window, &p);
        v->ShowMenu(p.x, p.y);
        return 0;
      }
  } catch (...) {
  }
  return DefWindowProcW(window, message, w, l);
}

// The capture window covers the control: its mouse messages go to the
// control, so that a right click on the live picture opens the menu.
LRESULT CALLBACK ForwardMouse(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
      HWND parent = GetParent(window);
      POINT p{short(LOWORD(l)), short(HIWORD(l))};
      MapWindowPoints(window, parent, &p, 1);
      return SendMessageW(parent, message, w, MAKELPARAM(p.x, p.y));
    }
    case WM_NCDESTROY: RemoveWindowSubclass(window, ForwardMouse, 0); break;
  }
  return DefSubclassProc(window, message, w, l);
}

}  // namespace

LRESULT CALLBACK TVideoCap::KeepFrame(HWND capture, VIDEOHDR* header) {
  try {
    auto* self = reinterpret_cast<TVideoCap*>(capGetUserData(capture));
    if (self && header && header->lpData)
      self->grabbed_.assign(header->lpData, header->lpData + header->dwBytesUsed);
  } catch (...) {
  }
  return TRUE;
}

TVideoCap::TVideoCap(HWND parent, int& chosenDriver) : chosenDriver_(chosenDriver) {
  drivers_ = ListVideoDrivers(DescribeDriver);
  if (!RegisterWindowClassOnce(ThisModule(), kVideoCapClassName, ControlProc)) return;
  RECT r{};
  GetClientRect(parent, &r);
  control_ = CreateWindowExW(0, kVideoCapClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                             0, r.right, r.bottom, parent, nullptr, ThisModule(), this);
}

TVideoCap::~TVideoCap() {
  Disconnect();
  if (control_ && IsWindow(control_)) DestroyWindow(control_);
}

void TVideoCap::SetDriverIndex(int index) {
  if (index == driverIndex_) return;
  Disconnect();
  capsKnown_ = false;
  driverIndex_ = ChooseVideoDriver(index, DescribeDriver, driverName_);
}

void TVideoCap::Connect() {
  if (capture_) return;
  if (driverIndex_ < 0) throw std::runtime_error("No capture driver selected");
  RECT r{};
  GetClientRect(control_, &r);
  capture_ = capCreateCaptureWindowA("TVideoCap", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom,
                                     control_, kCaptureWindowId);
  if (!capture_) throw std::runtime_error("Can not create capture window");
  capSetUserData(capture_, LONG_PTR(this));
  SetWindowSubclass(capture_, ForwardMouse, 0, 0);
  if (!capDriverConnect(capture_, driverIndex_)) {
    Disconnect();
    throw std::runtime_error("Can not connect capture driver with capture window");
  }
  capPreviewScale(capture_, TRUE);
  capPreviewRate(capture_, PreviewIntervalMs(kDefaultPreviewRate));
  FetchStatus();
  SizeCaptureWindow();
}

void TVideoCap::Disconnect() {
  if (!capture_) return;
  if (IsWindow(capture_)) {
    capDriverDisconnect(capture_);
    DestroyWindow(capture_);
  }
  capture_ = nullptr;
  status_ = CAPSTATUS{};
}

void TVideoCap::FetchStatus() {
  if (capture_) capGetStatus(capture_, &status_, sizeof status_);
}

void TVideoCap::SizeCaptureWindow() {
  RECT r{};
  GetClientRect(control_, &r);
  const ScreenSize size = FitProportionally(
      {int(status_.uiImageWidth), int(status_.uiImageHeight)}, {r.right, r.bottom});
  SetWindowPos(capture_, nullptr, (r.right - size.width) / 2, (r.bottom - size.height) / 2,
               size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TVideoCap::HasOverlay() {
  if (!capsKnown_ && driverIndex_ >= 0) {
    const bool temporary = !capture_;
    Connect();
    capsKnown_ = capDriverGetCaps(capture_, &caps_, sizeof caps_) != 0;
    if (temporary) Disconnect();
  }
  return capsKnown_ && caps_.fHasOverlay;
}

void TVideoCap::SetOverlay(bool on) {
  if (on) {
    if (!HasOverlay()) throw std::runtime_error("Driver has no overlay mode");
    Connect();
    capGrabFrame(capture_);
  }
  if (capture_) capOverlay(capture_, on);
  overlayOn_ = on;
  FetchStatus();
}

void TVideoCap::SetPreview(bool on) {
  if (on) Connect();
  if (capture_) capPreview(capture_, on);
  previewOn_ = on;
  FetchStatus();
}

void TVideoCap::StartVideo(int driverIndex) {
  SetDriverIndex(driverIndex);
  if (HasOverlay()) {
    SetPreview(false);
    SetOverlay(true);
  } else {
    SetOverlay(false);
    SetPreview(true);
  }
}

bool TVideoCap::ReconnectVideo() {
  try {
    Disconnect();
    StartVideo(chosenDriver_);
  } catch (const std::exception&) {
  }
  return capture_ != nullptr;
}

Bitmap TVideoCap::FreezeVideoFrame() {
  if (!capture_) return {};
  // Straight from the driver, so the user's clipboard stays theirs: the
  // grabbed frame at the camera's resolution when it is plain RGB, else
  // the capture window's pixels, where the driver drew it.
  grabbed_.clear();
  capSetCallbackOnFrame(capture_, KeepFrame);
  capGrabFrameNoStop(capture_);
  capSetCallbackOnFrame(capture_, nullptr);
  std::vector<std::uint8_t> format(capGetVideoFormatSize(capture_));
  if (format.size() >= sizeof(BITMAPINFOHEADER) &&
      capGetVideoFormat(capture_, format.data(), DWORD(format.size()))) {
    const auto* info = reinterpret_cast<const BITMAPINFO*>(format.data());
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int w = int(h.biWidth), rows = std::abs(int(h.biHeight));
    const std::size_t needed = std::size_t((w * h.biBitCount + 31) / 32 * 4) * std::size_t(rows);
    if (h.biCompression == BI_RGB && w > 0 && rows > 0 && grabbed_.size() >= needed)
      return Drawn(w, rows, [&](HDC dc) {
        SetDIBitsToDevice(dc, 0, 0, DWORD(w), DWORD(rows), 0, 0, 0, UINT(rows), grabbed_.data(),
                          info, DIB_RGB_COLORS);
      });
  }
  RECT r{};
  GetClientRect(capture_, &r);
  HDC screen = GetDC(capture_);
  Bitmap frame = Drawn(r.right, r.bottom, [&](HDC dc) {
    BitBlt(dc, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
  });
  ReleaseDC(capture_, screen);
  return frame;
}

void TVideoCap::DriverDialog(UINT message) {
  bool shown = false;
  try {
    const bool temporary = !capture_;
    Connect();
    shown = SendMessageA(capture_, message, 0, 0) != 0;
    if (shown) {
      FetchStatus();
      SizeCaptureWindow();
      InvalidateRect(capture_, nullptr, TRUE);
    }
    if (temporary) Disconnect();
  } catch (const std::exception&) {
  }
  if (!shown) ShowMessageBox("fel", "", 0, MB_OK);
}

void TVideoCap::ShowMenu(int x, int y) {
  HMENU menu = CreatePopupMenu(), driver = CreatePopupMenu(), connect = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kIdVideoSource, L"Source...");
  AppendMenuW(menu, MF_STRING, kIdVideoDisplay, L"Display...");
  AppendMenuW(menu, MF_STRING, kIdVideoFormat, L"Format...");
  for (int i = 0; i < int(drivers_.size()); ++i)
    AppendMenuW(driver, MF_STRING | (i == chosenDriver_ ? MF_CHECKED : 0), kIdVideoDriver + i,
                WideFromUtf8(drivers_[std::size_t(i)]).c_str());
  AppendMenuW(menu, MF_POPUP, UINT_PTR(driver), L"Driver");
  bool overlayPossible = false;
  try {
    overlayPossible = HasOverlay();
  } catch (const std::exception&) {
  }
  AppendMenuW(connect, MF_STRING | (overlayOn_ ? MF_CHECKED : 0) | (overlayPossible ? 0 : MF_GRAYED),
              kIdVideoOverlay, L"Overlay");
  AppendMenuW(connect, MF_STRING | (previewOn_ ? MF_CHECKED : 0), kIdVideoPreview, L"Preview");
  AppendMenuW(menu, MF_POPUP, UINT_PTR(connect), L"Connect as");
  const int id = int(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, x, y, 0,
                                    control_, nullptr));
  DestroyMenu(menu);
  if (id) MenuCommand(id);
}

UINT DriverDialogMessage(int menuId) {
  switch (menuId) {
    case kIdVideoSource: return WM_CAP_DLG_VIDEOSOURCE;
    case kIdVideoDisplay: return WM_CAP_DLG_VIDEODISPLAY;
    case kIdVideoFormat: return WM_CAP_DLG_VIDEOFORMAT;
  }
  return 0;
}

void TVideoCap::MenuCommand(int id) {
  try {
    if (const UINT dialog = DriverDialogMessage(id)) return DriverDialog(dialog);
    switch (id) {
      case kIdVideoOverlay:
        if (!HasOverlay()) {
          MessageBoxA(nullptr, "Overlay is not possible", "String",
                      MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
          return;
        }
        Disconnect();
        SetPreview(false);
        SetOverlay(true);
        return;
      case kIdVideoPreview:
        Disconnect();
        SetOverlay(false);
        SetPreview(true);
        return;
    }
    if (id >= kIdVideoDriver && id < kIdVideoDriver + int(drivers_.size())) {
      const int previous = chosenDriver_;
      chosenDriver_ = id - kIdVideoDriver;
      if (!ReconnectVideo()) chosenDriver_ = previous;
    }
  } catch (const std::exception&) {
  }
}

}  // namespace vemra
