// TdlgdllSettings: controls laid out from one table, each click handed to
// the model and the controls brought back in line with it.
#include "sdk/win32/settingsdialog/SettingsDialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "base/win32/ModalScope.h"
#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "imaging/win32/MessageBoxes.h"
#include "sdk/win32/settingsdialog/SettingsDialogIds.h"
#include "sdk/win32/settingsdialog/SettingsDialogWindow.h"

namespace vemra {
namespace {

using namespace settings_ids;
using Page = SettingsPage;

constexpr int kClientWidth = 337, kClientHeight = 280;
constexpr int kAllSubPages = -1;
constexpr int kLogoLeft = 4, kLogoTop = 2, kPreviewLineGap = 8;

constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT;

enum class Enabling { Always, Split, Proxy };

struct ControlSpec {
  int id;  // 0: a label or group box, numbered from kFirstLabel
  const wchar_t* windowClass;
  const char* text;  // UTF-8
  DWORD style;
  int x, y, width, height;
  Page page;
  int subPage;  // item of "Skriv ut med" or tab of TabSet1; kAllSubPages
  Enabling enabling = Enabling::Always;
};

const wchar_t* const kButtonClass = L"BUTTON";
const wchar_t* const kStaticClass = L"STATIC";
const wchar_t* const kEditClass = L"EDIT";

// The first item of each radio group starts a group of its own.
const std::vector<ControlSpec>& Controls() {
  static const std::vector<ControlSpec> controls = {
      // "Foto && Signatur"
      {0, kButtonClass, "Importera foto från", kGroup, 12, 32, 150, 62, Page::Photo, kAllSubPages},
      {kPhotoTwain, kButtonClass, "Twain (scanner)", kRadio | WS_GROUP, 22, 50, 134, 18, Page::Photo, kAllSubPages},
      {kPhotoFile, kButtonClass, "Fil", kRadio, 22, 70, 134, 18, Page::Photo, kAllSubPages},
      {0, kButtonClass, "Importera signatur från", kGroup, 12, 98, 150, 82, Page::Photo, kAllSubPages},
      {kSignTwain, kButtonClass, "Twain (scanner)", kRadio | WS_GROUP, 22, 116, 134, 18, Page::Photo, kAllSubPages},
      {kSignFile, kButtonClass, "Fil", kRadio, 22, 136, 134, 18, Page::Photo, kAllSubPages},
      {kSignNone, kButtonClass, "Används ej", kRadio, 22, 156, 134, 18, Page::Photo, kAllSubPages},
      {kSelectScanner, kButtonClass, "Välj scanner", kButton, 12, 186, 150, 24, Page::Photo, kAllSubPages},
      {kHideScannerUI, kButtonClass, "Dölj scannerinterface", kCheck, 12, 216, 150, 20, Page::Photo, kAllSubPages},
      {kSplit, kButtonClass, "Dela", kCheck, 176, 32, 146, 20, Page::Photo, kAllSubPages, Enabling::Split},
      {kHorizontal, kButtonClass, "Horisontelt", kRadio | BS_PUSHLIKE | WS_GROUP, 176, 56, 72, 22, Page::Photo,
       kAllSubPages, Enabling::Split},
      {kVertical, kButtonClass, "Vertikalt", kRadio | BS_PUSHLIKE, 250, 56, 72, 22, Page::Photo, kAllSubPages,
       Enabling::Split},
      {kSplitPreview, kSplitPreviewClass, "", 0, 190, 88, kSplitPreviewLength, kSplitPreviewBreadth, Page::Photo,
       kAllSubPages},
      {kSplitPreviewVertical, kSplitPreviewClass, "", 0, 198, 86, kSplitPreviewBreadth, kSplitPreviewLength,
       Page::Photo, kAllSubPages},

      // "Utskrift"
      {0, kButtonClass, "Skriv ut med", kGroup, 12, 30, 312, 42, Page::Print, kAllSubPages},
      {kSendPrinter, kButtonClass, "Skrivare", kRadio | WS_GROUP, 22, 48, 72, 18, Page::Print, kAllSubPages},
      {kSendFtp, kButtonClass, "FTP", kRadio, 98, 48, 72, 18, Page::Print, kAllSubPages},
      {kSendMail, kButtonClass, "E-Post", kRadio, 174, 48, 72, 18, Page::Print, kAllSubPages},
      {kSendHttp, kButtonClass, "Http", kRadio, 250, 48, 70, 18, Page::Print, kAllSubPages},
      // "Skrivare"
      {0, kButtonClass, "Skrivare", kGroup, 12, 76, 312, 48, Page::Print, 0},
      {kPrinter, WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 22, 94,
       292, 160, Page::Print, 0},
      {0, kButtonClass, "Orientering", kGroup, 12, 128, 150, 86, Page::Print, 0},
      {kOrientationPrinter, kButtonClass, "Skrivarens inställning", kRadio | WS_GROUP, 22, 146, 134, 18,
       Page::Print, 0},
      {kOrientationPortrait, kButtonClass, "Stående", kRadio, 22, 166, 134, 18, Page::Print, 0},
      {kOrientationLandscape, kButtonClass, "Liggande", kRadio, 22, 186, 134, 18, Page::Print, 0},
      {0, kButtonClass, "Marginaler (millimeter)", kGroup, 170, 128, 154, 86, Page::Print, 0},
      {0, kStaticClass, "Vänsterkant", kLabel, 180, 151, 72, 16, Page::Print, 0},
      {kLeftMargin, kEditClass, "", kEdit, 256, 148, 58, 21, Page::Print, 0},
      {0, kStaticClass, "Överkant", kLabel, 180, 181, 72, 16, Page::Print, 0},
      {kTopMargin, kEditClass, "", kEdit, 256, 178, 58, 21, Page::Print, 0},
      // "FTP"
      {0, kStaticClass,
       "Tillstånden kommer att skickas till Norvik via FTP.\n\n"
       "Detta är det normala sättet att beställa korten via Internet.\n\n"
       "Om detta inte skulle fungera i ert nätverk, välj då en av funktionerna Http eller E-Post.",
       kLabel, 16, 82, 304, 150, Page::Print, 1},
      // "E-Post"
      {0, kStaticClass, "Tillstånden kommer att skickas till Norvik via e-post.", kLabel, 16, 82, 304, 16,
       Page::Print, 2},
      {0, kStaticClass, "Er mailserver för utgående e-post SMTP (måste anges)", kLabel, 16, 104, 304, 28,
       Page::Print, 2},
      {kMailServer, kEditClass, "", kEdit, 16, 132, 304, 21, Page::Print, 2},
      {0, kStaticClass,
       "Ange din e-postadress nedan, så blir du automatiskt underrättad om något går fel med "
       "överföringen (valfri)",
       kLabel, 16, 160, 304, 42, Page::Print, 2},
      {kMailFrom, kEditClass, "", kEdit, 16, 204, 304, 21, Page::Print, 2},
      // "Http"
      {0, kStaticClass, "Tillstånden kommer att skickas till Norvik via HTTP.", kLabel, 16, 82, 304, 16,
       Page::Print, 3},
      {kUseProxy, kButtonClass, "Använd proxyserver", kCheck, 16, 106, 200, 20, Page::Print, 3},
      {0, kStaticClass, "Adress", kLabel, 16, 134, 200, 16, Page::Print, 3, Enabling::Proxy},
      {kProxyAddress, kEditClass, "", kEdit, 16, 152, 220, 21, Page::Print, 3, Enabling::Proxy},
      {0, kStaticClass, "Port", kLabel, 244, 134, 76, 16, Page::Print, 3, Enabling::Proxy},
      {kProxyPort, kEditClass, "", kEdit, 244, 152, 76, 21, Page::Print, 3, Enabling::Proxy},

      // "Kommunuppgifter"
      {0, kButtonClass, "Utfärdare", kGroup, 12, 30, 312, 182, Page::Issuer, kAllSubPages},
      {0, kStaticClass, "Sökväg till den logotyp som skall skrivs ut på tillståndet.", kLabel, 20, 48, 296, 16,
       Page::Issuer, 0},
      {kLogo, kEditClass, "", kEdit, 20, 66, 266, 21, Page::Issuer, 0},
      {kLogoBrowse, kButtonClass, "...", kButton, 290, 66, 26, 21, Page::Issuer, 0},
      {0, kStaticClass, "Utfärdande kommuns namn.", kLabel, 20, 92, 296, 16, Page::Issuer, 0},
      {kIssuerLine1, kEditClass, "", kEdit, 20, 110, 296, 21, Page::Issuer, 0},
      {kIssuerLine2, kEditClass, "", kEdit, 20, 134, 296, 21, Page::Issuer, 0},
      {kLogoPanel, kLogoPanelClass, "", WS_CLIPCHILDREN, 20, 158, 296, 52, Page::Issuer, 0},
      {0, kStaticClass, "Kommunens namn", kLabel, 20, 48, 296, 16, Page::Issuer, 1},
      {kOrtexName, kEditClass, "", kEdit, 20, 66, 296, 21, Page::Issuer, 1},
      {0, kStaticClass, "Kommunens telefonnummer", kLabel, 20, 92, 296, 16, Page::Issuer, 1},
      {kOrtexTelephone, kEditClass, "", kEdit, 20, 110, 296, 21, Page::Issuer, 1},
      {kIssuerTabs, WC_TABCONTROLW, "", TCS_BOTTOM | WS_TABSTOP | WS_GROUP, 12, 214, 312, 24, Page::Issuer,
       kAllSubPages},
  };
  return controls;
}

int IdOf(const ControlSpec& c, std::size_t index) {
  return c.id ? c.id : kFirstLabel + int(index);
}

TdlgdllSettings& StateOf(HWND dialog) {
  return *reinterpret_cast<TdlgdllSettings*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND Item(const TdlgdllSettings& s, int id) { return GetDlgItem(s.window, id); }

std::string TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(std::size_t(length) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(control, text.data(), length + 1)));
  return Narrow(text);
}

void SetText(HWND control, const std::string& ansi) { SetWindowTextW(control, Wide(ansi).c_str()); }

void CheckItem(TdlgdllSettings& s, int id, bool checked) {
  SendMessageW(Item(s, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Checked(TdlgdllSettings& s, int id) {
  return SendMessageW(Item(s, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckRadioItem(TdlgdllSettings& s, int first, int count, int index) {
  for (int i = 0; i < count; ++i) CheckItem(s, first + i, i == index);
}

int SubPageOf(const SettingsDialogModel& m, Page page) {
  return page == Page::Print ? m.sendMethod : page == Page::Issuer ? m.issuerTab : kAllSubPages;
}

bool Visible(const SettingsDialogModel& m, const ControlSpec& c) {
  if (c.page != m.page) return false;
  if (c.id == kSplitPreview) return HorizontalPreviewVisible(m);
  if (c.id == kSplitPreviewVertical) return VerticalPreviewVisible(m);
  return c.subPage == kAllSubPages || c.subPage == SubPageOf(m, c.page);
}

bool Enabled(const SettingsDialogModel& m, const ControlSpec& c) {
  switch (c.enabling) {
    case Enabling::Split: return SplitControlsEnabled(m);
    case Enabling::Proxy: return ProxyFieldsEnabled(m);
    case Enabling::Always: break;
  }
  return true;
}

// Brings every control's visibility, enabling and selection in line with
// the model; runs after each click.
void Refresh(TdlgdllSettings& s) {
  const SettingsDialogModel& m = *s.model;
  CheckRadioItem(s, kPhotoTwain, kSourceItems, m.photoSource);
  CheckRadioItem(s, kSignTwain, kSignSourceItems, m.signSource);
  CheckItem(s, kHorizontal, !m.vertical);
  CheckItem(s, kVertical, m.vertical);
  CheckRadioItem(s, kSendPrinter, kSendMethodItems, m.sendMethod);
  CheckRadioItem(s, kOrientationPrinter, kOrientationItems, m.orientation);
  SetWindowTextW(Item(s, kSplit), WideFromUtf8(SplitCaption(m)).c_str());
  const auto& controls = Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    HWND control = Item(s, IdOf(controls[i], i));
    EnableWindow(control, Enabled(m, controls[i]));
    ShowWindow(control, Visible(m, controls[i]) ? SW_SHOWNA : SW_HIDE);
  }
  InvalidateRect(Item(s, kSplitPreview), nullptr, FALSE);
  InvalidateRect(Item(s, kSplitPreviewVertical), nullptr, FALSE);
}

// ---- logo preview ----

void PlacePreviewLines(TdlgdllSettings& s) {
  HWND panel = Item(s, kLogoPanel);
  RECT r{};
  GetClientRect(panel, &r);
  const int left = s.model->logoWidth ? kLogoLeft + s.model->logoWidth + kPreviewLineGap : kLogoLeft;
  SetWindowPos(GetDlgItem(panel, kLogoPicture), nullptr, kLogoLeft, kLogoTop, s.model->logoWidth,
               kLogoPreviewHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(panel, kPreviewLine1), nullptr, left, 6, r.right - left - 2, 18,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(panel, kPreviewLine2), nullptr, left, 26, r.right - left - 2, 18,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(panel, nullptr, TRUE);
}

void UpdateLogo(TdlgdllSettings& s) {
  s.model->logo = TextOf(Item(s, kLogo));
  auto load = [&](const std::string& path, int& width, int& height) {
    Picture picture;
    if (!s.hooks->loadPicture || !s.hooks->loadPicture(picture, path)) return false;
    const Bitmap* bitmap = picture.AsBitmap();
    if (!bitmap || bitmap->Empty()) return false;
    Bitmap copy = *bitmap;
    copy.SetPixelFormat(PixelFormat::pf24bit);
    s.logo = std::move(copy);
    width = s.logo.Width(), height = s.logo.Height();
    return true;
  };
  auto exists = [&](const std::string& path) { return s.hooks->fileExists && s.hooks->fileExists(path); };
  if (UpdateLogoPreview(*s.model, exists, load)) PlacePreviewLines(s);
}

void CopyPreviewLines(TdlgdllSettings& s) {
  HWND panel = Item(s, kLogoPanel);
  SetText(GetDlgItem(panel, kPreviewLine1), TextOf(Item(s, kIssuerLine1)));
  SetText(GetDlgItem(panel, kPreviewLine2), TextOf(Item(s, kIssuerLine2)));
}

void BrowseLogo(TdlgdllSettings& s) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring current = Wide(TextOf(Item(s, kLogo)));
  if (current.size() < MAX_PATH) current.copy(path, current.size());
  static const wchar_t kFilter[] =
      L"Alla till\u00e5tna format (*.jpg;*.bmp)\0*.jpg;*.bmp\0JPEG (*.jpg)\0*.jpg\0"
      L"Bitmap (*.bmp)\0*.bmp\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = s.window;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&ofn)) SetWindowTextW(Item(s, kLogo), path);  // EN_CHANGE shows it
}

// ---- building ----

HWND AddControl(HWND parent, const wchar_t* windowClass, const std::string& text,
                DWORD style, int x, int y, int width, int height, int id, HFONT font) {
  const bool framed = lstrcmpW(windowClass, kEditClass) == 0 || lstrcmpW(windowClass, kLogoPanelClass) == 0;
  HWND control = CreateWindowExW(framed ? WS_EX_CLIENTEDGE : 0, windowClass, WideFromUtf8(text).c_str(),
                                 WS_CHILD | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
  return control;
}

void AddTab(HWND tabs, int index, const wchar_t* text) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text);
  SendMessageW(tabs, TCM_INSERTITEMW, index, LPARAM(&item));
}

bool CreateControls(TdlgdllSettings& s) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(s.window, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // The page control lies under everything else and leaves it unpainted.
  HWND pages = AddControl(s.window, WC_TABCONTROLW, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 4, 4,
                          kClientWidth - 8, 242, kPages, font);
  if (!pages) return false;
  AddTab(pages, 0, L"Foto && Signatur");
  AddTab(pages, 1, L"Utskrift");
  AddTab(pages, 2, L"Kommunuppgifter");
  const auto& controls = Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlSpec& c = controls[i];
    if (!AddControl(s.window, c.windowClass, c.text, c.style, c.x, c.y, c.width, c.height, IdOf(c, i), font))
      return false;
  }
  SetWindowPos(pages, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AddTab(Item(s, kIssuerTabs), 0, L"Vemra EU");
  AddTab(Item(s, kIssuerTabs), 1, L"Vemra gamal");

  HWND panel = Item(s, kLogoPanel);
  s.previewFont = CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  AddControl(panel, kLogoPictureClass, "", WS_VISIBLE, kLogoLeft, kLogoTop, 0, kLogoPreviewHeight,
             kLogoPicture, font);
  const HFONT lineFont = s.previewFont ? s.previewFont : font;
  AddControl(panel, kStaticClass, "", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLogoLeft, 6, 280, 18,
             kPreviewLine1, lineFont);
  AddControl(panel, kStaticClass, "", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, kLogoLeft, 26, 280, 18,
             kPreviewLine2, lineFont);

  HWND ok = AddControl(s.window, kButtonClass, "OK", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                       176, 252, 75, 24, IDOK, font);
  HWND cancel = AddControl(s.window, kButtonClass, "Avbryt", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 256,
                           252, 75, 24, IDCANCEL, font);
  return ok && cancel;
}

void Fill(TdlgdllSettings& s) {
  const SettingsDialogModel& m = *s.model;
  SetText(Item(s, kIssuerLine1), m.issuerLine1);
  SetText(Item(s, kIssuerLine2), m.issuerLine2);
  SetText(Item(s, kLogo), m.logo);
  SetText(Item(s, kOrtexName), m.ortexMunicipality);
  SetText(Item(s, kOrtexTelephone), m.ortexTelephone);
  CheckItem(s, kSplit, m.split);
  CheckItem(s, kHideScannerUI, m.hideScannerUI);
  HWND printers = Item(s, kPrinter);
  for (const std::string& name : m.printers)
    SendMessageW(printers, CB_ADDSTRING, 0, LPARAM(Wide(name).c_str()));
  // The stored name stays as it is, installed or not.
  SetText(printers, m.printer);
  SetText(Item(s, kTopMargin), m.topMargin);
  SetText(Item(s, kLeftMargin), m.leftMargin);
  SetText(Item(s, kMailServer), m.mailServer);
  SetText(Item(s, kMailFrom), m.mailFrom);
  CheckItem(s, kUseProxy, m.useProxy);
  SetText(Item(s, kProxyAddress), m.proxyAddress);
  SetText(Item(s, kProxyPort), m.proxyPort);
  CopyPreviewLines(s);
  PlacePreviewLines(s);
  Refresh(s);
}

void SizeAndCentre(HWND dialog) {
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongW(dialog, GWL_EXSTYLE)));
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- answers ----

void ReadControls(TdlgdllSettings& s) {
  SettingsDialogModel& m = *s.model;
  m.issuerLine1 = TextOf(Item(s, kIssuerLine1));
  m.issuerLine2 = TextOf(Item(s, kIssuerLine2));
  m.logo = TextOf(Item(s, kLogo));
  m.ortexMunicipality = TextOf(Item(s, kOrtexName));
  m.ortexTelephone = TextOf(Item(s, kOrtexTelephone));
  m.split = Checked(s, kSplit);
  m.hideScannerUI = Checked(s, kHideScannerUI);
  m.printer = TextOf(Item(s, kPrinter));
  m.topMargin = TextOf(Item(s, kTopMargin));
  m.leftMargin = TextOf(Item(s, kLeftMargin));
  m.mailServer = TextOf(Item(s, kMailServer));
  m.mailFrom = TextOf(Item(s, kMailFrom));
  m.useProxy = Checked(s, kUseProxy);
  m.proxyAddress = TextOf(Item(s, kProxyAddress));
  m.proxyPort = TextOf(Item(s, kProxyPort));
}

void ShowPage(TdlgdllSettings& s, Page page) {
  s.model->page = page;
  SendMessageW(Item(s, kPages), TCM_SETCURSEL, int(page), 0);
  Refresh(s);
  UpdateLogo(s);
}

// A margin that does not convert keeps the dialog open on it.
void Confirm(TdlgdllSettings& s) {
  ReadControls(s);
  const auto problem = CheckMargins(*s.model, s.hooks->decimalSeparator);
  if (!problem) {
    EndDialog(s.window, IDOK);
    return;
  }
  ShowPage(s, Page::Print);
  MessageBoxW(s.window, WideFromUtf8(MarginMessage(*problem, s.hooks->decimalSeparator)).c_str(),
              WideFromUtf8(kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
  HWND field = Item(s, problem->top ? kTopMargin : kLeftMargin);
  if (IsWindowVisible(field)) {
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
  }
}

void SelectScanner(TdlgdllSettings& s) {
  if (s.hooks->selectScannerSource)
    s.hooks->selectScannerSource();
  else
    ShowNoScannerManager();
}

void Command(TdlgdllSettings& s, int id, int code) {
  SettingsDialogModel& m = *s.model;
  if (code == EN_CHANGE) {
    if (id == kLogo) UpdateLogo(s);
    if (id == kIssuerLine1 || id == kIssuerLine2 || id == kOrtexName || id == kOrtexTelephone)
      CopyPreviewLines(s);
    return;
  }
  if (code != BN_CLICKED) return;
  if (id >= kPhotoTwain && id < kPhotoTwain + kSourceItems) m.photoSource = id - kPhotoTwain;
  else if (id >= kSignTwain && id < kSignTwain + kSignSourceItems) m.signSource = id - kSignTwain;
  else if (id == kHorizontal || id == kVertical) ChooseSplitDirection(m, id == kVertical);
  else if (id >= kSendPrinter && id < kSendPrinter + kSendMethodItems) m.sendMethod = id - kSendPrinter;
  else if (id >= kOrientationPrinter && id < kOrientationPrinter + kOrientationItems)
    m.orientation = id - kOrientationPrinter;
  else if (id == kSplit) m.split = Checked(s, kSplit);
  else if (id == kHideScannerUI) m.hideScannerUI = Checked(s, kHideScannerUI);
  else if (id == kUseProxy) m.useProxy = Checked(s, kUseProxy);
  else if (id == kSelectScanner) return SelectScanner(s);
  else if (id == kLogoBrowse) return BrowseLogo(s);
  else if (id == IDOK) return Confirm(s);
  else if (id == IDCANCEL) return (void)EndDialog(s.window, IDCANCEL);
  else return;
  Refresh(s);
}

void Notify(TdlgdllSettings& s, const NMHDR& n) {
  if (n.code != TCN_SELCHANGE) return;
  const int index = int(SendMessageW(n.hwndFrom, TCM_GETCURSEL, 0, 0));
  if (n.idFrom == UINT_PTR(kPages) && index >= 0) ShowPage(s, Page(index));
  if (n.idFrom == UINT_PTR(kIssuerTabs) && index >= 0) {
    s.model->issuerTab = index;
    Refresh(s);
  }
}

bool InitDialog(HWND dialog, TdlgdllSettings& s) {
  s.window = dialog;
  SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(&s));
  if (!CreateControls(s)) return false;
  Fill(s);
  SizeAndCentre(dialog);
  SetForegroundWindow(dialog);
  return true;
}

INT_PTR DialogMessage(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG) {
    auto& s = *reinterpret_cast<TdlgdllSettings*>(l);
    if (!InitDialog(dialog, s)) EndDialog(dialog, IDABORT);
    return TRUE;
  }
  if (!GetWindowLongPtrW(dialog, DWLP_USER)) return FALSE;
  TdlgdllSettings& s = StateOf(dialog);
  switch (message) {
    case WM_COMMAND: Command(s, LOWORD(w), HIWORD(w)); return TRUE;
    case WM_NOTIFY: Notify(s, *reinterpret_cast<const NMHDR*>(l)); return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  try {
    return DialogMessage(dialog, message, w, l);
  } catch (...) {
    // An edit that failed is not worth losing the host over; the dialog
    // closes unsaved.
    EndDialog(dialog, IDABORT);
    return TRUE;
  }
}

// An empty dialog in the "MS Shell Dlg" font; its controls are made in
// pixels at WM_INITDIALOG.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto text = [&](const wchar_t* s) {
    for (; *s; ++s) t.push_back(WORD(*s));
    t.push_back(0);
  };
  dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
  dword(WS_EX_CONTROLPARENT);
  t.insert(t.end(), {0, 0, 0, 220, 180, 0, 0});  // no items, position, size, no menu, class
  text(kCaption);
  t.push_back(8);
  text(L"MS Shell Dlg");
  return t;
}

class Win32SettingsDialog final : public SettingsDialogService {
 public:
  bool ShowSettingsDialog(SettingsDialogModel& model, const SettingsDialogHooks& hooks) override {
    return vemra::ShowSettingsDialog(model, hooks);
  }
  void ShowSaveFailure(const std::string& message) override {
    ShowMessageBox(message, "", MB_ICONERROR, MB_OK);
  }
};

}  // namespace

TdlgdllSettings* DialogStateOf(HWND window) {
  HWND dialog = GetAncestor(window, GA_ROOT);
  return dialog ? reinterpret_cast<TdlgdllSettings*>(GetWindowLongPtrW(dialog, DWLP_USER)) : nullptr;
}

void SplitLineMoved(TdlgdllSettings& s) {
  SetWindowTextW(Item(s, kSplit), WideFromUtf8(SplitCaption(*s.model)).c_str());
  HWND preview = Item(s, s.model->vertical ? kSplitPreviewVertical : kSplitPreview);
  InvalidateRect(preview, nullptr, FALSE);
  UpdateWindow(preview);
}

bool ShowSettingsDialog(SettingsDialogModel& model, const SettingsDialogHooks& hooks) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  if (!RegisterPreviewClasses()) return false;
  TdlgdllSettings s;
  s.model = &model;
  s.hooks = &hooks;
  const std::vector<WORD> dialogTemplate = DialogTemplate();
  const ModalScope modal(HostFocus::Now(), ModalScope::OwnerHandling::kLeftToDialogBox);
  const INT_PTR answer =
      DialogBoxIndirectParamW(ThisModule(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                              modal.Owner(), DialogProc, LPARAM(&s));
  if (s.previewFont) DeleteObject(s.previewFont);
  return answer == IDOK;
}

std::unique_ptr<SettingsDialogService> MakeWin32SettingsDialog() {
  return std::make_unique<Win32SettingsDialog>();
}

void ShowNoScannerManager() {
  ShowMessageBox("Ingen scannerhanterare finns tillgänglig, så ingen scanner kan väljas.", "Välj scanner",
                 MB_ICONINFORMATION, MB_OK);
}

}  // namespace vemra
