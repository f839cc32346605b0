#include "base/win32/Win32Windows.h"
#include "capture/win32/adjust/AdjustDialog.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "capture/framing/ColourCount.h"
#include "capture/tone/AdjustPictures.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {
namespace {

constexpr wchar_t kSliderClassName[] = L"TdlgAdjustSlider";
constexpr wchar_t kVariantClassName[] = L"TdlgAdjustVariant";
constexpr wchar_t kPreviewClassName[] = L"TdlgAdjustPreview";

constexpr int kMargin = 8;
constexpr int kPreviewBox = 246;  // the longer side of the preview
constexpr int kPreviewBorder = 2;
constexpr int kCell = 92, kThumbnail = 84;
constexpr int kColumn = 48, kSliderWidth = 24, kTrackHeight = kKnobTravel + kAdjustKnobHeight;
constexpr int kButtonWidth = 112, kButtonHeight = 24;
constexpr int kLensSide = 64;

const wchar_t* const kSliderCaptions[kToneFieldCount] = {L"Ljus", L"Kontrast", L"R\u00f6d", L"Gr\u00f6n",
                                                         L"Bl\u00e5"};

struct Layout {
  int gridLeft, gridTop;     // full dialog only
  int previewLeft, previewTop;
  int slidersLeft;
  int clientWidth, clientHeight;
};

struct TdlgAdjust {
  bool full = true;
  Layout layout{};
  HWND window = nullptr, owner = nullptr, ok = nullptr, preview = nullptr, original = nullptr;
  HWND colourCount = nullptr, contrastSign = nullptr, brightnessSign = nullptr;
  HWND fields[kToneFieldCount] = {}, sliders[kToneFieldCount] = {}, variants[9] = {};
  WNDPROC okProc = nullptr, fieldProc = nullptr;

  AdjustModel model;
  std::unique_ptr<AdjustPictures> pictures;

  int selectedField = -1;  // its slider wears the selection frame
  int dragField = -1, dragGrab = 0;
  int hoverVariant = -1;
  LensRect lens;
  bool lensHover = false, lensDragging = false, lensShown = false;
  POINT lensGrab{};
  Bitmap lensPicture;
  bool settingText = false;

  bool done = false;
  std::optional<ToneAdjustment> answer;
};

TdlgAdjust* StateOf(HWND window) {
  return reinterpret_cast<TdlgAdjust*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
// Children find the dialog's state through their parent.
TdlgAdjust* StateOfChild(HWND child) { return StateOf(GetParent(child)); }

ToneField FieldAt(int index) { return static_cast<ToneField>(index); }

void DrawBitmap(HDC dc, const Bitmap& b, int x, int y, int width, int height) {
  if (b.Empty()) return;
  const BITMAPINFO info = TopDown24BitInfo(b.Width(), b.Height());
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, x, y, width, height, 0, 0, b.Width(), b.Height(), b.Row(0), &info, DIB_RGB_COLORS, SRCCOPY);
}

std::string FieldText(HWND field) {
  wchar_t buffer[64] = {};
  GetWindowTextW(field, buffer, 64);
  std::string text;
  for (const wchar_t* c = buffer; *c; ++c) text += *c < 128 ? char(*c) : '?';  // not a numeral either way
  return text;
}

void SetText(TdlgAdjust& s, HWND control, const std::string& text) {
  s.settingText = true;
  SetWindowTextW(control, std::wstring(text.begin(), text.end()).c_str());
  s.settingText = false;
}

// Origin of the shown picture inside the preview control.
POINT PictureOrigin(const TdlgAdjust& s) {
  const PixelSize shown = s.pictures->Shown();
  return {kPreviewBorder + (kPreviewBox - shown.width) / 2, kPreviewBorder + (kPreviewBox - shown.height) / 2};
}

// ---- recomputing ----

void ShowFields(TdlgAdjust& s) {
  for (int i = 0; i < kToneFieldCount; ++i) {
    if (FieldText(s.fields[i]) != s.model.Text(FieldAt(i))) SetText(s, s.fields[i], s.model.Text(FieldAt(i)));
    InvalidateRect(s.sliders[i], nullptr, TRUE);
  }
}

// The whole preview (and the colour count) with the settings OK would return.
void Recompute(TdlgAdjust& s) {
  s.pictures->Update(s.model.Settings());
  s.lensShown = false;
  if (s.full) SetWindowTextW(s.colourCount, std::to_wstring(CountColours(s.pictures->Preview())).c_str());
  InvalidateRect(s.preview, nullptr, FALSE);
}

// While a knob moves: the lens only.
void RecomputeLens(TdlgAdjust& s) {
  s.lensPicture = s.pictures->Lens(s.model.Settings(), s.lens);
  s.lensShown = true;
  InvalidateRect(s.preview, nullptr, FALSE);
}

void Checked(TdlgAdjust& s, int index, const FieldCheck& check) {
  SetText(s, s.fields[index], check.text);
  InvalidateRect(s.sliders[index], nullptr, TRUE);
}

void OnFieldChanged(TdlgAdjust& s, int index) {
  const std::string typed = FieldText(s.fields[index]);
  const FieldCheck check = s.model.Edit(FieldAt(index), typed);
  if (check.kind == FieldCheck::kNotNumeral) {
    ShowMessageBox(kNumeralsOnlyMessage, "", MB_ICONINFORMATION, MB_OK);
    SetText(s, s.fields[index], "");
  } else if (check.text != typed) {
    SetText(s, s.fields[index], check.text);
  }
  // An empty field counts as 0 at OK; knob and preview say so too.
  InvalidateRect(s.sliders[index], nullptr, TRUE);
  Recompute(s);
}

void StepField(TdlgAdjust& s, int index, int delta) {
  Checked(s, index, s.model.Step(FieldAt(index), delta));
  Recompute(s);
}

void ChooseVariant(TdlgAdjust& s, int index) {
  s.model.ChooseVariant(index);
  ShowFields(s);
  SetText(s, s.contrastSign, s.model.ContrastSign());
  SetText(s, s.brightnessSign, s.model.BrightnessSign());
  Recompute(s);
  SetFocus(s.ok);
}

void SetColourMode(TdlgAdjust& s, ColourMode mode) {
  s.model.SetMode(mode);
  s.pictures->SetColourMode(mode);
  ShowWindow(s.original, s.model.OriginalShown() ? SW_SHOW : SW_HIDE);
  for (HWND v : s.variants)
    if (v) InvalidateRect(v, nullptr, FALSE);
  Recompute(s);
}

// ---- the sliders ----

void PaintSlider(TdlgAdjust& s, HWND slider, HDC dc) {
  const int index = GetDlgCtrlID(slider) - kAdjustSliderId;
  RECT client{};
  GetClientRect(slider, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT track{kSliderWidth / 2 - 3, 0, kSliderWidth / 2 + 3, kTrackHeight};
  DrawEdge(dc, &track, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  const int top = s.model.KnobTopOf(FieldAt(index));
  RECT knob{2, top, kSliderWidth - 2, top + kAdjustKnobHeight};
  DrawEdge(dc, &knob, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  if (s.selectedField == index) DrawFocusRect(dc, &client);
}

LRESULT SliderMessage(HWND slider, UINT message, WPARAM w, LPARAM l) {
  TdlgAdjust* s = StateOfChild(slider);
  if (!s || !s->pictures) return DefWindowProcW(slider, message, w, l);
  const int index = GetDlgCtrlID(slider) - kAdjustSliderId;
  const int y = short(HIWORD(l));
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(slider, &ps);
      PaintSlider(*s, slider, dc);
      EndPaint(slider, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      const int top = s->model.KnobTopOf(FieldAt(index));
      const int step = TrackClickStep(y, top, kAdjustKnobHeight);
      if (step != 0) {
        StepField(*s, index, step);
        return 0;
      }
      s->dragField = index;
      s->dragGrab = y - top;
      SetCapture(slider);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (s->dragField == index) {
        Checked(*s, index, s->model.DragKnob(FieldAt(index), y - s->dragGrab));
        UpdateWindow(slider);
        RecomputeLens(*s);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (s->dragField == index) {
        s->dragField = -1;
        if (message == WM_LBUTTONUP) ReleaseCapture();
        Recompute(*s);
      }
      return 0;
  }
  return DefWindowProcW(slider, message, w, l);
}

// ---- the variant grid ----

LRESULT VariantMessage(HWND panel, UINT message, WPARAM w, LPARAM l) {
  TdlgAdjust* s = StateOfChild(panel);
  if (!s || !s->pictures) return DefWindowProcW(panel, message, w, l);
  const int index = GetDlgCtrlID(panel) - kAdjustVariantId;
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(panel, &ps);
      RECT client{};
      GetClientRect(panel, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      const Bitmap& b = s->pictures->Variant(index);
      DrawBitmap(dc, b, (kCell - b.Width()) / 2, (kCell - b.Height()) / 2, b.Width(), b.Height());
      if (s->hoverVariant == index) DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
      EndPaint(panel, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (s->hoverVariant != index) {
        const int before = s->hoverVariant;
        s->hoverVariant = index;
        if (before >= 0) InvalidateRect(s->variants[before], nullptr, FALSE);
        InvalidateRect(panel, nullptr, FALSE);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, panel, 0};
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (s->hoverVariant == index) s->hoverVariant = -1;
      InvalidateRect(panel, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: ChooseVariant(*s, index); return 0;
  }
  return DefWindowProcW(panel, message, w, l);
}

// ---- the preview and its lens ----

void PaintPreview(TdlgAdjust& s, HDC dc) {
  RECT client{};
  GetClientRect(s.preview, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
  const POINT o = PictureOrigin(s);
  const PixelSize shown = s.pictures->Shown();
  DrawBitmap(dc, s.pictures->ShownPreview(), o.x, o.y, shown.width, shown.height);
  const LensRect lens = s.pictures->ClampLens(s.lens);
  if (s.lensShown) DrawBitmap(dc, s.lensPicture, o.x + lens.left, o.y + lens.top, lens.width, lens.height);
  if (s.lensHover || s.lensDragging || s.lensShown) {
    RECT r{o.x + lens.left, o.y + lens.top, o.x + lens.left + lens.width, o.y + lens.top + lens.height};
    DrawFocusRect(dc, &r);
  }
}

// A point of the preview control in shown-picture pixels.
POINT InPicture(const TdlgAdjust& s, LPARAM l) {
  const POINT o = PictureOrigin(s);
  return {short(LOWORD(l)) - o.x, short(HIWORD(l)) - o.y};
}

LRESULT PreviewMessage(HWND preview, UINT message, WPARAM w, LPARAM l) {
  TdlgAdjust* s = StateOfChild(preview);
  if (!s || !s->pictures) return DefWindowProcW(preview, message, w, l);
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(preview, &ps);
      // Drawn off screen: the lens moves over the picture without flicker.
      RECT client{};
      GetClientRect(preview, &client);
      HDC memory = CreateCompatibleDC(dc);
      HBITMAP surface = CreateCompatibleBitmap(dc, client.right, client.bottom);
      HGDIOBJ old = SelectObject(memory, surface);
      PaintPreview(*s, memory);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteObject(surface);
      DeleteDC(memory);
      EndPaint(preview, &ps);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!s->lensHover) {
        s->lensHover = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, preview, 0};
        TrackMouseEvent(&track);
        InvalidateRect(preview, nullptr, FALSE);
      }
      if (s->lensDragging) {
        const POINT p = InPicture(*s, l);
        s->lens = s->pictures->ClampLens({p.x - s->lensGrab.x, p.y - s->lensGrab.y, s->lens.width, s->lens.height});
        InvalidateRect(preview, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      s->lensHover = false;
      InvalidateRect(preview, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT p = InPicture(*s, l);
      const LensRect& r = s->lens;
      if (p.x >= r.left && p.x < r.left + r.width && p.y >= r.top && p.y < r.top + r.height) {
        s->lensDragging = true;
        s->lensGrab = {p.x - r.left, p.y - r.top};
        SetCapture(preview);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (s->lensDragging) {
        s->lensDragging = false;
        ReleaseCapture();
        s->lensPicture = s->pictures->Lens(s->model.Settings(), s->lens);
        InvalidateRect(preview, nullptr, FALSE);
      }
      return 0;
  }
  return DefWindowProcW(preview, message, w, l);
}

// ---- OK button and value fields (subclassed) ----

RECT GridFrame(const TdlgAdjust& s) {
  return {s.layout.gridLeft - 3, s.layout.gridTop - 3, s.layout.gridLeft + 3 * kCell + 3,
          s.layout.gridTop + 3 * kCell + 3};
}


LRESULT OkMessage(HWND ok, UINT message, WPARAM w, LPARAM l) {
  TdlgAdjust* s = StateOfChild(ok);
  if (!s) return DefWindowProcW(ok, message, w, l);
  if (message == WM_KEYDOWN && s->full && w >= VK_NUMPAD1 && w <= VK_NUMPAD9 && GetFocus() == ok) {
    ChooseVariant(*s, VariantOfKeypadDigit(int(w - VK_NUMPAD0)));
    return 0;
  }
  const LRESULT result = CallWindowProcW(s->okProc, ok, message, w, l);
  if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && s->full) {
    const RECT frame = GridFrame(*s);
    InvalidateRect(s->window, &frame, TRUE);
  }
  return result;
}

LRESULT FieldMessage(HWND field, UINT message, WPARAM w, LPARAM l) {
  TdlgAdjust* s = StateOfChild(field);
  if (!s) return DefWindowProcW(field, message, w, l);
  if (message == WM_KEYDOWN && s->pictures) {
    const int index = GetDlgCtrlID(field) - kAdjustFieldId;
    switch (w) {
      case VK_UP: StepField(*s, index, FieldKeyStep(FieldKey::kUp)); return 0;
      case VK_DOWN: StepField(*s, index, FieldKeyStep(FieldKey::kDown)); return 0;
      case VK_PRIOR: StepField(*s, index, FieldKeyStep(FieldKey::kPageUp)); return 0;
      case VK_NEXT: StepField(*s, index, FieldKeyStep(FieldKey::kPageDown)); return 0;
    }
  }
  return CallWindowProcW(s->fieldProc, field, message, w, l);
}

// ---- the window ----

void Finish(TdlgAdjust& s, bool confirmed) {
  if (s.done) return;
  s.done = true;
  if (confirmed) s.answer = s.model.Answer();
}

void OnCommand(TdlgAdjust& s, int id, int code) {
  if (id >= kAdjustFieldId && id < kAdjustFieldId + kToneFieldCount) {
    const int index = id - kAdjustFieldId;
    if (code == EN_CHANGE && !s.settingText) OnFieldChanged(s, index);
    if (code == EN_SETFOCUS) {
      s.selectedField = index;
      SendMessageW(s.fields[index], EM_SETSEL, 0, -1);
      InvalidateRect(s.sliders[index], nullptr, FALSE);
    }
    if (code == EN_KILLFOCUS && s.selectedField == index) {
      s.selectedField = -1;
      InvalidateRect(s.sliders[index], nullptr, FALSE);
    }
    return;
  }
  switch (id) {
    case kAdjustOkId: Finish(s, true); break;
    case kAdjustCancelId: Finish(s, false); break;
    case kAdjustGreyId: SetColourMode(s, ColourMode::kGreyScale); break;
    case kAdjustHistogramId: SetColourMode(s, ColourMode::kHistogramContrast); break;
    case kAdjustOriginalId: SetColourMode(s, ColourMode::kNone); break;
  }
}

// The dotted frame round the grid while OK has the focus (the keypad
// then picks a variant).
void PaintWindow(TdlgAdjust& s, HDC dc) {
  if (!s.full) return;
  const RECT frame = GridFrame(s);
  HPEN pen = CreatePen(GetFocus() == s.ok ? PS_DOT : PS_NULL, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

LRESULT DialogMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  TdlgAdjust* s = StateOf(window);
  if (!s || !s->pictures) return DefWindowProcW(window, message, w, l);
  switch (message) {
    case WM_COMMAND: OnCommand(*s, LOWORD(w), HIWORD(w)); return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      PaintWindow(*s, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE: Finish(*s, false); return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

bool RegisterClasses(HINSTANCE instance) {
  return RegisterWindowClassOnce(instance, kAdjustClassName, GuardedWindowProc<DialogMessage>) &&
         RegisterWindowClassOnce(instance, kSmallAdjustClassName, GuardedWindowProc<DialogMessage>) &&
         RegisterWindowClassOnce(instance, kSliderClassName, GuardedWindowProc<SliderMessage>) &&
         RegisterWindowClassOnce(instance, kVariantClassName, GuardedWindowProc<VariantMessage>) &&
         RegisterWindowClassOnce(instance, kPreviewClassName, GuardedWindowProc<PreviewMessage>);
}

HWND AddChild(TdlgAdjust& s, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w,
              int h, DWORD exStyle = 0) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, s.window,
                               reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(), nullptr);
  SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

Layout MakeLayout(bool full) {
  Layout l{};
  l.gridLeft = kMargin + 3;
  l.gridTop = kMargin + 3;
  l.previewLeft = full ? l.gridLeft + 3 * kCell + 3 + kMargin : kMargin;
  l.previewTop = kMargin;
  l.slidersLeft = l.previewLeft + kPreviewBox + 2 * kPreviewBorder + kMargin;
  l.clientWidth = l.slidersLeft + kToneFieldCount * kColumn + kMargin;
  l.clientHeight = (full ? l.gridTop + 3 * kCell + 3 + kMargin + 20 : l.previewTop + kPreviewBox + 2 * kPreviewBorder + kMargin);
  return l;
}

void AddSliders(TdlgAdjust& s) {
  const Layout& l = s.layout;
  for (int i = 0; i < kToneFieldCount; ++i) {
    const int x = l.slidersLeft + i * kColumn;
    AddChild(s, L"STATIC", kSliderCaptions[i], SS_CENTER, -1, x, kMargin, kColumn, 16);
    s.sliders[i] = AddChild(s, kSliderClassName, L"", 0, kAdjustSliderId + i, x + (kColumn - kSliderWidth) / 2,
                            kMargin + 20, kSliderWidth, kTrackHeight);
    s.fields[i] = AddChild(s, L"EDIT", L"0", ES_AUTOHSCROLL | WS_TABSTOP, kAdjustFieldId + i, x + 4,
                           kMargin + 24 + kTrackHeight, kColumn - 8, 20, WS_EX_CLIENTEDGE);
    s.fieldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(s.fields[i], GWLP_WNDPROC, LONG_PTR(&GuardedWindowProc<FieldMessage>)));
  }
}

void AddButtons(TdlgAdjust& s) {
  const Layout& l = s.layout;
  const int x = l.slidersLeft, y = kMargin + 52 + kTrackHeight;
  AddChild(s, L"BUTTON", L"Gr\u00e5skala", BS_PUSHBUTTON | WS_TABSTOP, kAdjustGreyId, x, y, kButtonWidth,
           kButtonHeight);
  AddChild(s, L"BUTTON", L"Histokontrast", BS_PUSHBUTTON | WS_TABSTOP, kAdjustHistogramId, x + kButtonWidth + 8, y,
           kButtonWidth, kButtonHeight);
  s.original = AddChild(s, L"BUTTON", s.full ? L"Original" : L"Orginal", BS_PUSHBUTTON | WS_TABSTOP,
                        kAdjustOriginalId, x, y + kButtonHeight + 6, kButtonWidth, kButtonHeight);
  ShowWindow(s.original, SW_HIDE);
  const int bottom = l.clientHeight - kMargin - kButtonHeight;
  s.ok = AddChild(s, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kAdjustOkId, x, bottom, kButtonWidth,
                  kButtonHeight);
  s.okProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(s.ok, GWLP_WNDPROC, LONG_PTR(&GuardedWindowProc<OkMessage>)));
  AddChild(s, L"BUTTON", L"Avbryt", BS_PUSHBUTTON | WS_TABSTOP, kAdjustCancelId, x + kButtonWidth + 8, bottom,
           kButtonWidth, kButtonHeight);
}

void AddGrid(TdlgAdjust& s) {
  const Layout& l = s.layout;
  for (int i = 0; i < 9; ++i)
    s.variants[i] = AddChild(s, kVariantClassName, L"", 0, kAdjustVariantId + i, l.gridLeft + i % 3 * kCell,
                             l.gridTop + i / 3 * kCell, kCell, kCell);
  // pDef: the signs of the chosen variant.
  const int y = l.gridTop + 3 * kCell + 3 + kMargin;
  AddChild(s, L"STATIC", L"Kontrast:", 0, -1, l.gridLeft, y, 52, 16);
  s.contrastSign = AddChild(s, L"STATIC", L"", 0, kAdjustContrastSignId, l.gridLeft + 54, y, 16, 16);
  AddChild(s, L"STATIC", L"Ljus:", 0, -1, l.gridLeft + 80, y, 30, 16);
  s.brightnessSign = AddChild(s, L"STATIC", L"", 0, kAdjustBrightnessSignId, l.gridLeft + 112, y, 16, 16);
  const int countY = l.previewTop + kPreviewBox + 2 * kPreviewBorder + 6;
  AddChild(s, L"STATIC", L"F\u00e4rger:", 0, -1, l.previewLeft, countY, 44, 16);
  s.colourCount = AddChild(s, L"STATIC", L"", 0, kAdjustColourCountId, l.previewLeft + 46, countY, 90, 16);
}

// The library's window that is active on this thread, if any: it is
// disabled while the dialog runs, as a modal dialog's owner is.
HWND ActiveOwner() {
  HWND active = GetActiveWindow();
  DWORD process = 0;
  if (!active || !GetWindowThreadProcessId(active, &process) || process != GetCurrentProcessId()) return nullptr;
  return active;
}

bool Create(TdlgAdjust& s) {
  HINSTANCE instance = ThisModule();
  if (!RegisterClasses(instance)) return false;
  s.layout = MakeLayout(s.full);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r{0, 0, s.layout.clientWidth, s.layout.clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  s.window = CreateWindowExW(exStyle, s.full ? kAdjustClassName : kSmallAdjustClassName, L"Justera", style,
                             (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                             s.owner, nullptr, instance, &s);
  if (!s.window) return false;
  s.preview = AddChild(s, kPreviewClassName, L"", 0, kAdjustPreviewId, s.layout.previewLeft, s.layout.previewTop,
                       kPreviewBox + 2 * kPreviewBorder, kPreviewBox + 2 * kPreviewBorder);
  if (s.full) AddGrid(s);
  AddSliders(s);
  AddButtons(s);
  return true;
}

void RunModal(TdlgAdjust& s) {
  ShowWindow(s.window, SW_SHOW);
  SetForegroundWindow(s.window);
  SetFocus(s.ok);
  RunModalLoop(s.window, s.done);
}

std::optional<ToneAdjustment> Show(const Bitmap& region, bool full) {
  if (region.Empty()) return std::nullopt;
  TdlgAdjust s;
  s.full = full;
  try {
    // The preview takes the region's aspect in its square; the full dialog
    // previews at the region's own size, the small one at the shown size.
    const PixelSize size{region.Width(), region.Height()};
    const PixelSize shown = FitToAspect({kPreviewBox, kPreviewBox}, size);
    const PixelSize thumbnail = full ? FitToAspect({kThumbnail, kThumbnail}, size) : PixelSize{};
    s.pictures = std::make_unique<AdjustPictures>(region, shown, full, thumbnail);
    s.lens = s.pictures->ClampLens({(shown.width - kLensSide) / 2, (shown.height - kLensSide) / 2, kLensSide, kLensSide});
    s.model.Reset();
    s.pictures->Update(s.model.Settings());
  } catch (const std::exception&) {
    return std::nullopt;
  }
  s.owner = ActiveOwner();
  if (Create(s)) {
    try {
      Recompute(s);
    } catch (const std::exception&) {
    }
    if (s.owner) EnableWindow(s.owner, FALSE);
    RunModal(s);
    if (s.owner) EnableWindow(s.owner, TRUE);
  }
  if (s.window) DestroyWindow(s.window);
  return s.answer;
}

}  // namespace

std::optional<ToneAdjustment> ShowAdjust(const Bitmap& region) { return Show(region, true); }
std::optional<ToneAdjustment> ShowSmallAdjust(const Bitmap& region) { return Show(region, false); }

}  // namespace vemra
