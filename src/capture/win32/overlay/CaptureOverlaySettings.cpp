#include "capture/win32/overlay/CaptureOverlaySettings.h"

#include <commctrl.h>

#include <string>

#include "base/win32/ModalScope.h"
#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "capture/win32/overlay/CaptureOverlay.h"

namespace vemra {

namespace {

constexpr int kSwatch = 11;

struct Settings {
  explicit Settings(OverlayLook start) : model(start) {}
  OverlaySettingsModel model;
  HWND window = nullptr, tooltip = nullptr;
  std::wstring hint;  // the combo's: the colour as RRGGBB
  bool done = false, ok = false;

  HWND Item(int id) const { return GetDlgItem(window, id); }

  void ShowHint() {
    if (!tooltip) return;
    hint = WideFromUtf8(model.ChosenHex());
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = UINT_PTR(Item(kIdOverlayColour));
    tool.lpszText = hint.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, LPARAM(&tool));
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
  }

  void ShowOpacity() {
    SetWindowTextW(Item(kIdOverlayOpacityLabel), WideFromUtf8(model.Label()).c_str());
  }

  // Out of the topmost layer while the colour dialog is open, or it would
  // open underneath.
  void SetTopmost(bool topmost) {
    for (HWND w : {CaptureOverlayWindow(), window})
      if (w)
        SetWindowPos(w, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  void AskColour() {
    static COLORREF custom[16];
    const Rgb start = model.Look().colour;
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = window;
    cc.rgbResult = RGB(start.red, start.green, start.blue);
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    SetTopmost(false);
    const BOOL chosen = ChooseColorW(&cc);
    SetTopmost(true);
    if (!chosen) return;
    model.ColourChosen({GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)});
    ApplyOverlayLook(model.Look());
    ShowHint();
    InvalidateRect(Item(kIdOverlayColour), nullptr, TRUE);
  }

  void ColourPicked() {
    const int index = int(SendMessageW(Item(kIdOverlayColour), CB_GETCURSEL, 0, 0));
    switch (model.PickItem(index)) {
      case OverlaySettingsModel::Pick::kUnchanged: return;
      case OverlaySettingsModel::Pick::kApplied: ApplyOverlayLook(model.Look()); return;
      case OverlaySettingsModel::Pick::kAskColour: AskColour(); return;
    }
  }

  void Scrolled() {
    model.MoveTrackBar(int(SendMessageW(Item(kIdOverlayOpacity), TBM_GETPOS, 0, 0)));
    ShowOpacity();
    ApplyOverlayLook(model.Look());
  }

  void DrawItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == UINT(-1)) return;
    const bool selected = d.itemState & ODS_SELECTED;
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = int(d.itemID);
    const std::string text = ColourItemText(index);
    RECT swatch{d.rcItem.left + 2, d.rcItem.top + 2, d.rcItem.left + 2 + kSwatch,
                d.rcItem.top + 2 + kSwatch};
    const ColourItemKind kind = KindOfColourItem(text);
    if (kind != ColourItemKind::kNone) {
      const Rgb c = kind == ColourItemKind::kChoose
                        ? ParseHex(model.ChosenHex())
                        : kOverlayColours[std::size_t(index - kFirstNamedColourItem)].colour;
      HBRUSH brush = CreateSolidBrush(RGB(c.red, c.green, c.blue));
      FillRect(d.hDC, &swatch, brush);
      DeleteObject(brush);
    }
    FrameRect(d.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = d.rcItem;
    r.left = swatch.right + 4;
    const std::wstring wide = WideFromUtf8(text);
    DrawTextW(d.hDC, wide.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }

  HWND Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                             reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(), nullptr);
    SendMessageW(c, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
  }

  bool Create(HWND owner);
};

Settings* StateOf(HWND window) {
  return reinterpret_cast<Settings*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT Message(Settings& s, HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case IDOK: s.ok = s.done = true; return 0;
        case IDCANCEL: s.done = true; return 0;
        case kIdOverlayColour:
          if (HIWORD(w) == CBN_SELCHANGE) s.ColourPicked();
          return 0;
      }
      break;
    case WM_HSCROLL:
      if (HWND(l) == s.Item(kIdOverlayOpacity)) s.Scrolled();
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = kSwatch + 4;
      return TRUE;
    case WM_DRAWITEM:
      s.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_CLOSE: s.done = true; return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK SettingsProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    if (Settings* s = StateOf(window)) return Message(*s, window, message, w, l);
  } catch (...) {
  }
  return DefWindowProcW(window, message, w, l);
}

bool Settings::Create(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterWindowClassOnce(ThisModule(), kOverlaySettingsClassName, SettingsProc)) return false;
  RECT r{0, 0, 240, 150};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
  const int w = r.right - r.left, h = r.bottom - r.top;
  window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                           kOverlaySettingsClassName, WideFromUtf8("Inställningar").c_str(), style,
                           (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, owner, nullptr,
                           ThisModule(), this);
  if (!window) return false;
  HWND combo = Add(L"COMBOBOX", L"", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                                         WS_VSCROLL | WS_TABSTOP,
                   kIdOverlayColour, 12, 12, 216, 300);
  for (int i = 0; i < kColourItemCount; ++i)
    SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(WideFromUtf8(ColourItemText(i)).c_str()));
  SendMessageW(combo, CB_SETCURSEL, WPARAM(model.SelectedItem()), 0);
  tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                            0, 0, window, nullptr, ThisModule(), nullptr);
  ShowHint();
  Add(L"STATIC", L"", 0, kIdOverlayOpacityLabel, 12, 44, 216, 16);
  HWND bar = Add(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, kIdOverlayOpacity,
                 8, 62, 224, 30);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageW(bar, TBM_SETTICFREQ, 10, 0);
  SendMessageW(bar, TBM_SETPOS, TRUE, model.OpacityPosition());
  ShowOpacity();
  Add(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 68, 112, 76, 25);
  Add(L"BUTTON", L"Avbryt", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 152, 112, 76, 25);
  return true;
}

}  // namespace

bool EditCaptureOverlay() {
  Settings s(ShownOverlayLook());
  // Modal towards the capture dialog: "Frys", OK and "Avbryt" wait.
  ModalScope modal;
  struct Cleanup {
    Settings& s;
    ModalScope& modal;
    ~Cleanup() {
      modal.EnableOthers();
      if (s.window) DestroyWindow(s.window);
    }
  } cleanup{s, modal};
  if (!s.Create(modal.Owner())) return false;
  ShowWindow(s.window, SW_SHOW);
  SetForegroundWindow(s.window);
  RunModalLoop(s.window, s.done);
  if (!s.ok) {
    ApplyOverlayLook(s.model.Original());
    return false;
  }
  LibraryOverlayLook() = s.model.Look();
  ApplyOverlayLook(s.model.Look());
  return true;
}

}  // namespace vemra
