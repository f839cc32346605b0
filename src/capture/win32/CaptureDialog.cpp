#include "capture/win32/CaptureDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "base/win32/ModalScope.h"
#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "capture/framing/ColourCount.h"
#include "capture/framing/FramingTools.h"
#include "capture/framing/InspectionBox.h"
#include "capture/framing/StatusLine.h"
#include "capture/session/CaptureSession.h"
#include "capture/session/CaptureTexts.h"
#include "capture/video/VideoFitting.h"
#include "capture/win32/NewFotoDialog.h"
#include "capture/win32/ToneControlsPanel.h"
#include "capture/win32/adjust/AdjustDialog.h"
#include "capture/win32/ZoomCursor.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {

namespace {

constexpr int kButtonHeight = 24, kCaptureButtonHeight = 30, kGap = 3, kColumnMargin = 3;
constexpr int kOkWidth = 80, kOkHeight = 25;
constexpr UINT_PTR kStartVideoTimer = 1;  // Timer1: live video starts once the dialog is up
constexpr UINT kStartVideoDelayMs = 100;
// The buttons of the column, top to bottom; the dialog never gets so low
// that they would overlap the bottom bar.
constexpr int kToolColumnHeight = kCaptureButtonHeight + 6 * (kButtonHeight + kGap) + 2 * kGap;

bool ShiftAlone() {
  return GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

}  // namespace

struct TdlgCapture::State {
  explicit State(CaptureDialogSettings& s) : settings(s) {}

  CaptureDialogSettings& settings;
  // The host as it was when the scan request began, before the file dialog.
  HostFocus host = HostFocus::Now();
  CaptureFraming framing;
  FramingTools tools{framing};
  ToneControlsPanel tone{framing};
  InspectionBox inspection;
  ColourCounter counter;
  CaptureRequest request;
  std::wstring caption = WideFromUtf8(capture_texts::kDefaultCaption);
  ScreenSize dialogSize = StillDialogSize(kPhotoFrame);
  CaptureCommands* commands = nullptr;

  HWND window = nullptr, frame = nullptr, status = nullptr, tooltip = nullptr;
  HWND videoPanel = nullptr;
  bool liveLaidOut = false;
  HCURSOR zoomCursor = nullptr;
  POINT frameOrigin{};  // in the dialog's client area
  bool done = false, ok = false;
  bool pictureChanged = false;
  bool ctrlHeld = false, showInspection = false;

  // ---- what the model says, on screen

  bool InspectionVisible() const { return showInspection || ctrlHeld; }

  void SetStatus(int kind) {
    if (!status) return;
    const StatusTexts texts = StatusLineTexts(kind, StatusFactsOf(framing, counter.LastCount()));
    for (int i = 0; i < int(texts.size()); ++i)
      if (texts[i]) SendMessageW(status, SB_SETTEXTW, i, LPARAM(WideFromUtf8(*texts[i]).c_str()));
  }

  void CountColoursAndShow() {
    if (!framing.HasPicture()) return;
    counter.Count(framing.Shown());
    SetStatus(kStatusColours);
  }

  // After a new picture: everything in the status line is new.
  void TakeNewPicture() {
    if (!pictureChanged || !window) return;
    pictureChanged = false;
    SetStatus(kStatusAll);
    CountColoursAndShow();
  }

  HWND Item(int id) const { return GetDlgItem(window, id); }

  void Repaint() {
    if (!window) return;
    InvalidateRect(window, nullptr, TRUE);
    InvalidateRect(frame, nullptr, FALSE);
  }

  bool Live() const { return commands && commands->LiveShown(); }

  void UpdateButtons() {
    if (!window) return;
    const bool live = Live();
    if (live != liveLaidOut) {
      Layout();
      if (live) SetStatus(kStatusClear);
    }
    if (commands)
      SetWindowTextW(Item(kIdCapture), WideFromUtf8(commands->CaptureButtonCaption()).c_str());
    // OK stores what the frame shows: only while a still picture is there.
    EnableWindow(Item(IDOK), !live && framing.HasPicture());
    // Live video: only the capture button; the tools need a still picture.
    for (int id = kIdZoomIn; id <= kIdSettings; ++id) ShowWindow(Item(id), live ? SW_HIDE : SW_SHOWNA);
    if (live) return;
    const bool cut = tools.Mode() == ToolMode::kCut;
    CheckDlgButton(window, kIdZoomMode, cut ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(window, kIdCutMode, cut ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {kIdMarkCut, kIdMarkUndo, kIdMarkCutNot})
      ShowWindow(Item(id), cut ? SW_SHOWNA : SW_HIDE);
    EnableWindow(Item(kIdMarkCut), tools.CutEnabled());
    EnableWindow(Item(kIdMarkCutNot), tools.CutEnabled());
    EnableWindow(Item(kIdMarkUndo), tools.CutUndoEnabled());
    EnableWindow(Item(kIdZoomUndo), tools.ZoomUndoEnabled());
    const bool classic = settings.adjustMode == kAdjustClassic;
    for (int id : {kIdRot90Left, kIdRotLeft, kIdRotRight, kIdRot90Right, kIdRotReset})
      ShowWindow(Item(id), classic ? SW_SHOWNA : SW_HIDE);
    for (int id : {kIdToolAng270, kIdAngle, kIdToolAng90})
      ShowWindow(Item(id), classic ? SW_HIDE : SW_SHOWNA);
    SetWindowTextW(Item(kIdAngle), std::to_wstring(framing.Angle()).c_str());
    // Framing tools need a still picture to work on.
    const bool still = !live && framing.HasPicture();
    for (int id = kIdZoomIn; id <= kIdAngle; ++id)
      if (id != kIdMarkCut && id != kIdMarkCutNot && id != kIdMarkUndo && id != kIdZoomUndo)
        EnableWindow(Item(id), still);
    tone.Enable(still);
  }

  // ---- layout

  ScreenSize ScaledDialogSize() const {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return ScaleForDpi(dialogSize, dpi);
  }

  int StatusHeight() const {
    RECT r{};
    if (status) GetWindowRect(status, &r);
    return r.bottom - r.top;
  }

  void Place(int id, int x, int y, int w, int h) const {
    SetWindowPos(Item(id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void Layout() {
    SendMessageW(status, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(window, &client);
    const int barTop = client.bottom - StatusHeight() - kBottomBarHeight;
    const int columnLeft = client.right - kButtonColumnWidth;
    const ScreenSize f = framing.Frame();
    frameOrigin = {(columnLeft - f.width) / 2, (barTop - f.height) / 2};
    SetWindowPos(frame, nullptr, frameOrigin.x, frameOrigin.y, f.width, f.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The live picture shares the frame's centre: the frozen frame then
    // lies where the live one was.
    const bool live = Live();
    liveLaidOut = live;
    const ScreenSize v = commands ? commands->LiveArea() : ScreenSize{};
    SetWindowPos(videoPanel, nullptr, (columnLeft - v.width) / 2, (barTop - v.height) / 2, v.width,
                 v.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(videoPanel, live ? SW_SHOWNA : SW_HIDE);
    ShowWindow(frame, live ? SW_HIDE : SW_SHOWNA);

    const int x = columnLeft + kColumnMargin, full = kButtonColumnWidth - 2 * kColumnMargin;
    const int half = (full - kGap) / 2, third = (full - 2 * kGap) / 3;
    const int fifth = (full - 4 * kGap) / 5;
    int y = 8;
    Place(kIdCapture, x, y, full, kCaptureButtonHeight);
    y += kCaptureButtonHeight + 2 * kGap;
    Place(kIdZoomIn, x, y, third, kButtonHeight);
    Place(kIdZoomOut, x + third + kGap, y, third, kButtonHeight);
    Place(kIdFitAgain, x + 2 * (third + kGap), y, third, kButtonHeight);
    y += kButtonHeight + kGap;
    Place(kIdZoomMode, x, y, half, kButtonHeight);
    Place(kIdCutMode, x + half + kGap, y, half, kButtonHeight);
    y += kButtonHeight + kGap;
    Place(kIdZoomUndo, x, y, full, kButtonHeight);
    y += kButtonHeight + kGap;
    const int narrow = (full - 2 * kGap) / 4, wide = full - 2 * (narrow + kGap);
    Place(kIdMarkCut, x, y, narrow, kButtonHeight);
    Place(kIdMarkUndo, x + narrow + kGap, y, wide, kButtonHeight);
    Place(kIdMarkCutNot, x + narrow + wide + 2 * kGap, y, narrow, kButtonHeight);
    y += kButtonHeight + kGap;
    Place(kIdRot90Left, x, y, fifth, kButtonHeight);
    Place(kIdRotLeft, x + (fifth + kGap), y, fifth, kButtonHeight);
    Place(kIdRotReset, x + 2 * (fifth + kGap), y, fifth, kButtonHeight);
    Place(kIdRotRight, x + 3 * (fifth + kGap), y, fifth, kButtonHeight);
    Place(kIdRot90Right, x + 4 * (fifth + kGap), y, fifth, kButtonHeight);
    Place(kIdToolAng270, x, y, third, kButtonHeight);
    Place(kIdAngle, x + third + kGap, y + 4, third, kButtonHeight - 8);
    Place(kIdToolAng90, x + 2 * (third + kGap), y, third, kButtonHeight);
    y += kButtonHeight + kGap;
    Place(kIdSettings, x, y, full, kButtonHeight);
    y += kButtonHeight;
    if (live)
      tone.Hide();
    else
      tone.Layout(settings.adjustMode, x, y, full);

    const int buttonTop = barTop + (kBottomBarHeight - kOkHeight) / 2;
    Place(IDCANCEL, client.right - 8 - kOkWidth, buttonTop, kOkWidth, kOkHeight);
    Place(IDOK, client.right - 2 * (8 + kOkWidth), buttonTop, kOkWidth, kOkHeight);
    Repaint();
  }

  void ResizeWindow() {
    if (!window) return;
    const ScreenSize size = ScaledDialogSize();
    RECT outer{0, 0, size.width, size.height};
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RECT client{};
    GetClientRect(window, &client);
    const int needed = kToolColumnHeight + ToneControlsPanel::MaxHeight() + kBottomBarHeight + StatusHeight();
    if (client.bottom < needed) {
      GetWindowRect(window, &outer);
      SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left,
                   outer.bottom - outer.top + needed - client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    GetWindowRect(window, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Layout();
  }

  // ---- painting

  void PaintFrame(HDC dc) {
    const ScreenSize f = framing.Frame();
    RECT all{0, 0, f.width, f.height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_APPWORKSPACE));
    const Bitmap& shown = framing.Shown();
    const ScreenRect p = framing.Placement();
    if (!shown.Empty() && shown.Format() == PixelFormat::pf24bit && p.width > 0 && p.height > 0) {
      // Only the part inside the frame: zoomed far in, the displayed
      // picture is far larger than anything GDI should stretch.
      const double sx = double(shown.Width()) / p.width, sy = double(shown.Height()) / p.height;
      const int x0 = std::clamp(int(std::floor(-p.left * sx)), 0, shown.Width());
      const int x1 = std::clamp(int(std::ceil((f.width - p.left) * sx)), 0, shown.Width());
      const int y0 = std::clamp(int(std::floor(-p.top * sy)), 0, shown.Height());
      const int y1 = std::clamp(int(std::ceil((f.height - p.top) * sy)), 0, shown.Height());
      if (x1 > x0 && y1 > y0) {
        // The band of rows in view as a DIB of its own, read from its top
        // row: no reliance on how a source rectangle counts rows.
        const BITMAPINFO info = TopDown24BitInfo(shown.Width(), y1 - y0);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        const int dx = p.left + int(std::lround(x0 / sx)), dy = p.top + int(std::lround(y0 / sy));
        const int dw = int(std::lround(x1 / sx)) - int(std::lround(x0 / sx));
        const int dh = int(std::lround(y1 / sy)) - int(std::lround(y0 / sy));
        StretchDIBits(dc, dx, dy, dw, dh, x0, 0, x1 - x0, y1 - y0, shown.Row(y0), &info,
                      DIB_RGB_COLORS, SRCCOPY);
      }
    }
    if (const auto preview = tone.HoverPreview()) PaintLensPreview(dc, *preview);
    if (const auto mark = tools.Mark()) {
      RECT r{mark->left, mark->top, mark->Right(), mark->Bottom()};
      DrawFocusRect(dc, &r);
    }
    if (InspectionVisible()) {
      const ScreenRect b = inspection.Box();
      HPEN pen = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
      SetBkMode(dc, TRANSPARENT);
      Rectangle(dc, b.left, b.top, b.Right(), b.Bottom());
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
      const ScreenPoint h = inspection.Handle();
      RECT handle{h.x, h.y, h.x + kHandleSize, h.y + kHandleSize};
      FillRect(dc, &handle, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      FrameRect(dc, &handle, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
  }

  // What a colour-pad click would do, on the inspection box's part of the
  // frame only, at screen resolution.
  void PaintLensPreview(HDC dc, const ToneSettings& settings) {
    if (!framing.HasPicture()) return;
    const ScreenRect b = inspection.Box();
    Bitmap part = framing.ScreenRegion(b);
    if (part.Empty()) return;
    ApplyToneSettings(part, part, settings);
    const BITMAPINFO info = TopDown24BitInfo(part.Width(), part.Height());
    SetDIBitsToDevice(dc, b.left, b.top, part.Width(), part.Height(), 0, 0, 0, part.Height(),
                      part.Row(0), &info, DIB_RGB_COLORS);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, b.left, b.top, b.Right(), b.Bottom());
    SelectObject(dc, oldBrush);
  }

  // The border panel and the dotted outline of the whole zoomed picture,
  // behind the frame.
  void PaintDialog(HDC dc) {
    if (Live()) return;
    const ScreenSize f = framing.Frame();
    RECT border{frameOrigin.x - 2, frameOrigin.y - 2, frameOrigin.x + f.width + 2,
                frameOrigin.y + f.height + 2};
    DrawEdge(dc, &border, EDGE_SUNKEN, BF_RECT);
    if (!framing.HasPicture()) return;
    const ScreenRect p = framing.Placement();
    HPEN pen = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, frameOrigin.x + p.left - 1, frameOrigin.y + p.top - 1,
              frameOrigin.x + p.Right() + 1, frameOrigin.y + p.Bottom() + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }

  // ---- commands

  void Zoomed() {
    tools.MarkPreviewStale();
    SetStatus(kStatusZoom);
    SetStatus(kStatusStoredSize);
  }

  void Rotate(int degrees, bool absolute) {
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    struct Restore {
      HCURSOR cursor;
      ~Restore() { SetCursor(cursor); }
    } restore{old};
    if (absolute)
      framing.SetAngle(degrees);
    else
      framing.TurnBy(degrees);
    tools.MarkPreviewStale();
    SetStatus(kStatusAll);
  }

  void SetAdjustMode(int mode) {
    if (settings.adjustMode == mode) return;
    settings.adjustMode = mode;
    settings.adjustModeChanged = true;
    Layout();
  }

  // After a tone change: the status line's colours and the inspection
  // preview follow the picture.
  void Toned() {
    tools.MarkPreviewStale();
    CountColoursAndShow();
  }

  // The adjustment dialog on what the frame shows; its answer is applied
  // once to the full working copy, which also becomes the rotation source.
  void AdjustOldStyle() {
    if (!framing.HasPicture()) return;
    const Bitmap region = framing.StorePicture();
    if (region.Empty()) return;
    const auto answer = request.purpose == kSignature ? ShowSmallAdjust(region) : ShowAdjust(region);
    if (!answer) return;
    Bitmap corrected = framing.WorkingCopy();
    ApplyToneAdjustment(*answer, corrected);
    framing.AdoptCorrected(std::move(corrected));
    Toned();
    SetStatus(kStatusAll);
  }

  void ApplyPreset(InspectionPreset preset) {
    inspection.ApplyPreset(preset);
    settings.inspectionBox = inspection.Description();
    settings.inspectionBoxChanged = true;
  }

  void ShowSettingsMenu() {
    HMENU menu = CreatePopupMenu(), modes = CreatePopupMenu(), boxes = CreatePopupMenu();
    auto add = [](HMENU m, UINT flags, UINT_PTR id, const char* utf8) {
      AppendMenuW(m, flags, id, WideFromUtf8(utf8).c_str());
    };
    const int mode = settings.adjustMode;
    add(modes, MF_STRING | (mode == kAdjustClassic ? MF_CHECKED : 0), kIdModeClassic, "Klassisk");
    add(modes, MF_STRING | (mode == kAdjustStandard ? MF_CHECKED : 0), kIdModeStandard, "Standard");
    for (const InspectionPresetItem& item : kInspectionPresets)
      add(boxes, MF_STRING, kIdInspectionPreset + int(item.preset), item.caption);
    AppendMenuW(boxes, MF_SEPARATOR, 0, nullptr);
    add(boxes, MF_STRING | (showInspection ? MF_CHECKED : 0), kIdShowInspectionBox,
        kShowInspectionBoxCaption);
    add(menu, MF_POPUP, UINT_PTR(modes), "Kontroller för justering");
    add(menu, MF_POPUP, UINT_PTR(boxes), "Granskaruta");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    tone.AppendMenuItems(menu);
    if (ShiftAlone())
      add(menu, MF_STRING | (framing.HasPicture() ? 0 : MF_GRAYED), kIdAdjustOldStyle,
          "Justera som Hedenhös");
    RECT r{};
    GetWindowRect(Item(kIdSettings), &r);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, window, nullptr);
    DestroyMenu(menu);  // destroys the submenus with it
  }

  void Command(int id, int code) {
    switch (id) {
      case IDOK:
        if (commands && commands->StorePicture()) {
          ok = true;
          done = true;
        }
        return;
      case IDCANCEL: done = true; return;
      case kIdCapture:
        if (commands) {
          // A camera plug-in or program may take a while and lets messages
          // run meanwhile: the button must not be pressed again.
          HWND button = Item(kIdCapture);
          const bool focused = GetFocus() == button;
          EnableWindow(button, FALSE);
          commands->PressCapture();
          EnableWindow(button, TRUE);
          if (focused) SetFocus(button);
        }
        TakeNewPicture();
        break;
      case kIdZoomIn: framing.ZoomStep(ShiftAlone() ? kZoomInFine : kZoomInStep); Zoomed(); break;
      case kIdZoomOut: framing.ZoomStep(ShiftAlone() ? kZoomOutFine : kZoomOutStep); Zoomed(); break;
      case kIdFitAgain: framing.FitAgain(); Zoomed(); break;
      case kIdZoomUndo: tools.ZoomUndo(); Zoomed(); break;
      case kIdZoomMode: tools.SetMode(ToolMode::kZoom); break;
      case kIdCutMode: tools.SetMode(ToolMode::kCut); break;
      case kIdMarkCut: tools.CutMark(BlankArea::kMarked); break;
      case kIdMarkCutNot: tools.CutMark(BlankArea::kUnmarked); break;
      case kIdMarkUndo: tools.UndoCut(); break;
      case kIdRot90Left: Rotate(-90, false); break;
      case kIdRotLeft: Rotate(-1, false); break;
      case kIdRotRight: Rotate(1, false); break;
      case kIdRot90Right: Rotate(90, false); break;
      case kIdRotReset: Rotate(0, true); break;
      case kIdToolAng270: Rotate(GetKeyState(VK_SHIFT) < 0 ? -1 : -90, false); break;
      case kIdToolAng90: Rotate(GetKeyState(VK_SHIFT) < 0 ? 1 : 90, false); break;
      case kIdAngle:
        if (code == STN_CLICKED) Rotate(0, true);
        break;
      case kIdSettings: ShowSettingsMenu(); break;
      case kIdModeClassic: SetAdjustMode(kAdjustClassic); break;
      case kIdModeStandard: SetAdjustMode(kAdjustStandard); break;
      case kIdModeSimple: SetAdjustMode(kAdjustSimple); break;
      case kIdShowInspectionBox: showInspection = !showInspection; break;
      case kIdAdjustOldStyle: AdjustOldStyle(); break;
      default:
        if (id >= kIdInspectionPreset && id <= kIdInspectionPreset + int(InspectionPreset::kCenter)) {
          ApplyPreset(InspectionPreset(id - kIdInspectionPreset));
        } else if (const auto outcome = tone.Command(id, code); outcome != ToneControlsPanel::Outcome::kNotOurs) {
          if (outcome == ToneControlsPanel::Outcome::kHandled) return;
          Toned();
        } else {
          return;
        }
    }
    UpdateButtons();
    Repaint();
  }

  void Scrolled(HWND control) {
    if (!framing.HasPicture()) return;
    if (tone.Scroll(control) == ToneControlsPanel::Outcome::kPictureChanged) {
      tools.MarkPreviewStale();
      Repaint();
    }
  }

  // ---- the pointer on the frame

  bool OnHandle(ScreenPoint p) const {
    const ScreenPoint h = inspection.Handle();
    return p.x >= h.x && p.x < h.x + kHandleSize && p.y >= h.y && p.y < h.y + kHandleSize;
  }
  bool OnBox(ScreenPoint p) const {
    const ScreenRect b = inspection.Box();
    return p.x >= b.left && p.x < b.Right() && p.y >= b.top && p.y < b.Bottom();
  }
  bool OnMark(ScreenPoint p) const {
    const auto m = tools.Mark();
    return m && m->width > 0 && m->height > 0 && p.x >= m->left && p.x < m->Right() &&
           p.y >= m->top && p.y < m->Bottom();
  }

  void Press(ScreenPoint p, PointerButton button) {
    if (!framing.HasPicture()) return;
    if (InspectionVisible() && button == PointerButton::kLeft && (OnHandle(p) || OnBox(p))) {
      if (OnHandle(p))
        inspection.BeginResize(p);
      else
        inspection.BeginMove(p);
    } else if (OnMark(p) && !tools.Dragging()) {
      tools.HideMark();
    } else {
      tools.Press(p, button);
    }
    SetCapture(frame);
    UpdateButtons();
    Repaint();
  }

  void Move(ScreenPoint p) {
    if (inspection.Dragging()) {
      inspection.DragTo(p);
    } else if (tools.Dragging()) {
      tools.Move(p, GetKeyState(VK_SHIFT) < 0);
      SetCursor(CursorNow());
    } else {
      return;
    }
    Repaint();
  }

  void Release(ScreenPoint p, PointerButton button) {
    if (GetCapture() == frame) ReleaseCapture();
    if (inspection.Dragging()) {
      if (inspection.EndDrag()) {
        settings.inspectionBox = inspection.Description();
        settings.inspectionBoxChanged = settings.inspectionBoxChanged || inspection.Changed();
      }
    } else if (tools.Dragging()) {
      if (tools.Release(p, button, ShiftAlone())) Zoomed();
      SetCursor(CursorNow());
    }
    UpdateButtons();
    Repaint();
  }

  HCURSOR CursorNow() const {
    switch (tools.Cursor()) {
      case PictureCursor::kHand: return LoadCursor(nullptr, IDC_HAND);
      case PictureCursor::kCross: return LoadCursor(nullptr, IDC_CROSS);
      case PictureCursor::kZoom: break;
    }
    return zoomCursor ? zoomCursor : LoadCursor(nullptr, IDC_ARROW);
  }

  // ---- the window

  HWND Add(const wchar_t* cls, const std::wstring& text, DWORD style, int id, const char* hint) {
    HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                 window, reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (hint && tooltip) {
      std::wstring h = WideFromUtf8(hint);
      TOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V1_SIZE;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = window;
      tool.uId = UINT_PTR(child);
      tool.lpszText = h.data();
      SendMessageW(tooltip, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
    return child;
  }

  void AddButton(const wchar_t* text, int id, const char* hint, DWORD extra = BS_PUSHBUTTON) {
    Add(L"BUTTON", text, extra | WS_TABSTOP, id, hint);
  }

  bool Create(HWND owner);
};

namespace {

TdlgCapture::State* StateOf(HWND window) {
  return reinterpret_cast<TdlgCapture::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// A tool that failed (mostly: no memory for a larger picture) leaves the
// picture as the model kept it; the user hears why.
void ReportToolFailure(const std::exception& e) {
  ShowMessageBox(IsOutOfMemory(e) ? capture_texts::kPictureTooLarge : capture_texts::kToolFailed, "",
                 MB_ICONERROR, MB_OK);
}

ScreenPoint PointOf(LPARAM l) { return {short(LOWORD(l)), short(HIWORD(l))}; }

LRESULT FrameMessage(TdlgCapture::State& s, HWND frame, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(frame, &ps);
      s.PaintFrame(dc);
      EndPaint(frame, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: s.Press(PointOf(l), PointerButton::kLeft); return 0;
    case WM_RBUTTONDOWN: s.Press(PointOf(l), PointerButton::kRight); return 0;
    case WM_MBUTTONDOWN: s.Press(PointOf(l), PointerButton::kMiddle); return 0;
    case WM_MOUSEMOVE: s.Move(PointOf(l)); return 0;
    case WM_LBUTTONUP: s.Release(PointOf(l), PointerButton::kLeft); return 0;
    case WM_RBUTTONUP: s.Release(PointOf(l), PointerButton::kRight); return 0;
    case WM_MBUTTONUP: s.Release(PointOf(l), PointerButton::kMiddle); return 0;
    case WM_SETCURSOR:
      if (LOWORD(l) == HTCLIENT && s.framing.HasPicture()) {
        SetCursor(s.CursorNow());
        return TRUE;
      }
      break;
  }
  return DefWindowProcW(frame, message, w, l);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM w, LPARAM l) {
  try {
    if (TdlgCapture::State* s = StateOf(GetParent(frame)))
      return FrameMessage(*s, frame, message, w, l);
  } catch (const std::exception& e) {
    // A paint that failed would fail again at once: no message for it.
    if (message == WM_PAINT)
      ValidateRect(frame, nullptr);
    else
      ReportToolFailure(e);
  } catch (...) {
  }
  return DefWindowProcW(frame, message, w, l);
}

LRESULT DialogMessage(TdlgCapture::State& s, HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: s.Command(LOWORD(w), HIWORD(w)); return 0;
    case WM_HSCROLL:
      if (l) s.Scrolled(HWND(l));
      return 0;
    case WM_CLOSE: s.done = true; return 0;
    case WM_TIMER:
      if (w != kStartVideoTimer) break;
      KillTimer(window, kStartVideoTimer);
      if (s.commands) s.commands->DialogShown();
      return 0;
    case WM_MOVE:
      if (s.commands) s.commands->DialogMoved();
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      s.PaintDialog(dc);
      EndPaint(window, &ps);
      return 0;
    }
  }
  return DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    if (TdlgCapture::State* s = StateOf(window)) return DialogMessage(*s, window, message, w, l);
  } catch (const std::exception& e) {
    if (message == WM_PAINT)
      ValidateRect(window, nullptr);
    else
      ReportToolFailure(e);
  } catch (...) {
  }
  return DefWindowProcW(window, message, w, l);
}

bool RegisterClasses() {
  HINSTANCE instance = ThisModule();
  return RegisterWindowClassOnce(instance, kCaptureClassName, DialogProc) &&
         RegisterWindowClassOnce(instance, kCaptureFrameClassName, FrameProc, nullptr) &&
         RegisterWindowClassOnce(instance, kVideoPanelClassName, DefWindowProcW,
                                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace

bool TdlgCapture::State::Create(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterClasses()) return false;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kCaptureClassName,
                           caption.c_str(), style, 0, 0, 100, 100, owner, nullptr, ThisModule(),
                           this);
  if (!window) return false;
  tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                            0, 0, window, nullptr, ThisModule(), nullptr);
  frame = CreateWindowExW(0, kCaptureFrameClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                          0, 0, 10, 10, window, reinterpret_cast<HMENU>(INT_PTR(kIdFrame)),
                          ThisModule(), nullptr);
  videoPanel = CreateWindowExW(0, kVideoPanelClassName, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10,
                               10, window, reinterpret_cast<HMENU>(INT_PTR(kIdVideoPanel)),
                               ThisModule(), nullptr);
  AddButton(L"", kIdCapture, nullptr);
  AddButton(L"+", kIdZoomIn, nullptr);
  AddButton(L"\u2212", kIdZoomOut, nullptr);
  AddButton(L"[ ]", kIdFitAgain, nullptr);
  AddButton(L"Zoom", kIdZoomMode,
            "Zoom - vänster knapp för in, höger för ut, håll ner vänster och dra för att flytta",
            BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_GROUP);
  AddButton(L"Ta bort", kIdCutMode, "Markera område för att ta bort",
            BS_AUTORADIOBUTTON | BS_PUSHLIKE);
  AddButton(L"\u00c5terst\u00e4ll", kIdZoomUndo, "Återställ zoom", BS_PUSHBUTTON | WS_GROUP);
  AddButton(L"X", kIdMarkCut, "Ta bort markerat");
  AddButton(L"\u00c5ngra", kIdMarkUndo, "Ångra ta bort");
  AddButton(L"[X]", kIdMarkCutNot, "Ta bort omarkerat");
  AddButton(L"\u00ab", kIdRot90Left, "Rotera 90 grader vänster");
  AddButton(L"<", kIdRotLeft, "Rotera 1 grad vänster");
  AddButton(L"0", kIdRotReset, "Nollställ rotering");
  AddButton(L">", kIdRotRight, "Rotera 1 grad höger");
  AddButton(L"\u00bb", kIdRot90Right, "Rotera 90 grader höger");
  AddButton(L"\u00ab", kIdToolAng270, "Rotera 90 grader vänster");
  Add(L"STATIC", L"0", SS_CENTER | SS_NOTIFY, kIdAngle, "Återställ");
  AddButton(L"\u00bb", kIdToolAng90, "Rotera 90 grader höger");
  AddButton(L"Inst\u00e4llningar", kIdSettings, "Inställningar");
  tone.Create(
      window,
      [this](const wchar_t* cls, const std::wstring& text, DWORD style, int id, const char* hint) {
        return Add(cls, text, style, id, hint);
      },
      [this] { InvalidateRect(frame, nullptr, FALSE); });
  AddButton(L"OK", IDOK, nullptr, BS_DEFPUSHBUTTON | WS_GROUP);
  AddButton(L"Avbryt", IDCANCEL, nullptr);
  status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(INT_PTR(kIdStatusBar)), ThisModule(), nullptr);
  SendMessageW(status, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  int edges[5];
  int right = 0;
  for (int i = 0; i < 5; ++i) edges[i] = right += kStatusPanelWidths[size_t(i)];
  edges[4] = -1;
  SendMessageW(status, SB_SETPARTS, 5, LPARAM(edges));
  ResizeWindow();
  return true;
}

TdlgCapture::TdlgCapture(CaptureDialogSettings& settings)
    : state_(std::make_unique<State>(settings)) {
  state_->zoomCursor = CreateZoomCursor();
}

TdlgCapture::~TdlgCapture() {
  if (state_->window) DestroyWindow(state_->window);
  if (state_->zoomCursor) DestroyCursor(state_->zoomCursor);
}

HWND TdlgCapture::Window() const { return state_->window ? state_->window : state_->host.owner; }

HWND TdlgCapture::VideoPanel() const { return state_->videoPanel; }

void TdlgCapture::StartRun(const CaptureRequest& request) {
  State& s = *state_;
  s.request = request;
  s.framing.SetSplit(request.splitPosition, request.splitVertical);
  s.framing.SetFrame(CaptureFrameSize(request.purpose, request.source));
}

void TdlgCapture::SizeFrame(int videoWindowHeight) {
  State& s = *state_;
  s.framing.SetFrame(CaptureFrameSize(s.request.purpose, s.request.source, videoWindowHeight));
  const bool video = s.request.source == kVideoForWindows || s.request.source == kDirectShow;
  // Video dialogs are laid out around the live picture (the video panel
  // and the bars), which the fixed 800 x 600 could not hold.
  const ScreenSize f = s.framing.Frame();
  s.dialogSize = video ? StillDialogSize({std::max(f.width, kVideoPanelSize.width),
                                          std::max(f.height, kVideoPanelSize.height)})
                       : StillDialogSize(f);
  s.ResizeWindow();
}

void TdlgCapture::SetPicture(Bitmap picture, bool fit) {
  // The model replaces its pictures one by one; asking for the memory of
  // its copies first means a picture too large fails before the current
  // one is touched.
  {
    const int w = picture.Width(), h = picture.Height();
    const int copies = state_->request.splitPosition >= 1 && state_->request.splitPosition <= 99 ? 4 : 3;
    std::vector<Bitmap> trial;
    for (int i = 0; i < copies; ++i) trial.emplace_back(w, h);
  }
  state_->framing.SetPicture(std::move(picture), fit);
  state_->pictureChanged = true;
  state_->tools.MarkPreviewStale();
  state_->Repaint();
}

void TdlgCapture::SetFrozenFrame(Bitmap frame, ScreenSize liveArea) {
  const ScreenSize picture{frame.Width(), frame.Height()};
  const ScreenSize shown = FrozenDisplaySize(picture, liveArea, state_->framing.Frame());
  {
    // As SetPicture: the copies' memory first, the current picture stays.
    std::vector<Bitmap> trial;
    for (int i = 0; i < 3; ++i) trial.emplace_back(picture.width, picture.height);
  }
  state_->framing.SetPicture(std::move(frame), false, shown);
  state_->pictureChanged = true;
  state_->tools.MarkPreviewStale();
  state_->Repaint();
}

void TdlgCapture::ClearPicture() {
  state_->framing.ClearPicture();
  state_->pictureChanged = true;
}

void TdlgCapture::ShowKeptSheet() {
  if (state_->framing.ShowKeptSheet()) state_->pictureChanged = true;
}

bool TdlgCapture::HasPicture() const { return state_->framing.HasPicture(); }

Bitmap TdlgCapture::FramedPicture() const { return state_->framing.StorePicture(); }

void TdlgCapture::SetCaption(const std::string& utf8Caption) {
  state_->caption = WideFromUtf8(utf8Caption);
  if (state_->window) SetWindowTextW(state_->window, state_->caption.c_str());
}

bool TdlgCapture::ShowModal(CaptureCommands& commands) {
  State& s = *state_;
  s.commands = &commands;
  s.done = s.ok = false;
  s.ctrlHeld = false;
  // Each showing starts at angle 0 without rotating the picture.
  s.framing.ClearAngle();
  // The tonal values may have changed since the picture was shown last.
  s.framing.ReapplyTone();
  s.inspection.Layout(s.settings.inspectionBox, s.framing.Frame());
  ModalScope modal(s.host);
  struct Cleanup {
    State& s;
    ModalScope& modal;
    ~Cleanup() {
      // Live video stops while its windows still exist.
      if (s.commands) s.commands->DialogClosing();
      modal.EnableOthers();
      if (s.window) DestroyWindow(s.window);
      s.window = s.frame = s.status = s.tooltip = s.videoPanel = nullptr;
      s.tone.Destroyed();
      s.commands = nullptr;
      // The cut-undo copy lives only while the dialog is shown.
      s.framing.DiscardBlankUndo();
    }
  } cleanup{s, modal};
  if (!s.Create(modal.Owner())) return false;
  s.pictureChanged = true;
  s.TakeNewPicture();
  s.UpdateButtons();
  if (s.Live()) SetTimer(s.window, kStartVideoTimer, kStartVideoDelayMs, nullptr);
  ShowWindow(s.window, SW_SHOW);
  SetForegroundWindow(s.window);
  SetFocus(GetDlgItem(s.window, IDOK));
  MSG msg;
  while (!s.done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // the host's loop is ending: close and pass it on
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (got == -1) break;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
      // Ctrl alone shows the inspection box while it is held.
      const bool held = msg.message == WM_KEYDOWN && GetKeyState(VK_SHIFT) >= 0 &&
                        GetKeyState(VK_MENU) >= 0;
      if (held != s.ctrlHeld) {
        s.ctrlHeld = held;
        s.Repaint();
      }
    }
    // Escape is not bound: a stray key press must not throw the framing away.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) continue;
    if (IsDialogMessageW(s.window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return s.ok;
}

void TdlgCapture::UpdateSourceButtons() {
  state_->TakeNewPicture();
  state_->UpdateButtons();
  state_->Repaint();
}

bool TdlgCapture::AskReplace(const Bitmap& newPicture, const std::string& existingFile,
                             int purpose) {
  return ShowNewFoto(state_->window, newPicture, existingFile, purpose);
}

void TdlgCapture::ShowMessage(const std::string& utf8Text, MessageKind kind) {
  ShowMessageBox(utf8Text, "", kind == MessageKind::kError ? MB_ICONERROR : MB_ICONINFORMATION,
                 MB_OK);
}

}  // namespace vemra
