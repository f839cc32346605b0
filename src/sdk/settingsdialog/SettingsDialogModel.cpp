#include "sdk/settingsdialog/SettingsDialogModel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/Cp1252.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "layout/printing/PrinterService.h"

namespace vemra {
namespace {

// Source methods are radio items offset by two: 2 scanner, 3 file, 4 none.
constexpr int kMethodOffset = 2;

int MirroredLine(int line) { return 100 - line; }

}  // namespace

int ClampRadioIndex(int index, int itemCount) {
  return std::clamp(index, -1, itemCount - 1);
}

namespace {

// The item a stored source method shows as: methods without an item of
// their own (cameras, video, the signature pad) show as the nearest one.
int ShownSource(int method, int itemCount) {
  return ClampRadioIndex(method - kMethodOffset, itemCount);
}

// A stored method stays unless the user picked another item than the one
// it showed as, so that opening and confirming the dialog never turns a
// camera into a picture file.
std::uint8_t ConfirmedSource(std::uint8_t stored, int picked, int itemCount) {
  if (picked == ShownSource(stored, itemCount)) return stored;
  return std::uint8_t(picked + kMethodOffset);
}

}  // namespace

SettingsDialogModel OpenSettingsDialog(const Settings& s,
                                       std::vector<std::string> installedPrinters,
                                       char decimalSeparator) {
  SettingsDialogModel m;
  m.issuerLine1 = s.issuerLine1;
  m.issuerLine2 = s.issuerLine2;
  m.logo = s.logo;
  m.ortexMunicipality = s.ortexMunicipality;
  m.ortexTelephone = s.ortexTelephone;

  m.photoSource = ShownSource(s.photoMethod, kSourceItems);
  m.signSource = ShownSource(s.signMethod, kSignSourceItems);
  // A position the handle could never reach would put the line off the
  // sheet; the other direction's line starts as its mirror image.
  const int line = std::clamp<int>(s.splitPosition, kSplitLineMin, kSplitLineMax);
  m.vertical = s.splitVertical;
  m.verticalLine = m.vertical ? line : MirroredLine(line);
  m.horizontalLine = m.vertical ? MirroredLine(line) : line;
  m.split = s.split;
  m.hideScannerUI = !s.twainUI;

  m.printers = std::move(installedPrinters);
  m.printer = s.printer;
  m.topMargin = FormatDecimal(s.topOffset, decimalSeparator);
  m.leftMargin = FormatDecimal(s.leftOffset, decimalSeparator);
  m.orientation = ClampRadioIndex(s.orientation, kOrientationItems);

  m.mailServer = s.mailServer;
  m.mailFrom = s.mailFrom;
  m.sendMethod = ClampRadioIndex(s.sendMethod + 1, kSendMethodItems);
  m.useProxy = s.useProxy;
  m.proxyAddress = s.proxyAddress;
  m.proxyPort = s.proxyPort;
  return m;
}

bool HorizontalPreviewVisible(const SettingsDialogModel& m) {
  return m.photoSource == m.signSource && m.photoSource == kTwainItem && !m.vertical;
}

bool VerticalPreviewVisible(const SettingsDialogModel& m) {
  return m.photoSource == m.signSource && m.photoSource == kTwainItem && m.vertical;
}

bool SplitControlsEnabled(const SettingsDialogModel& m) {
  return HorizontalPreviewVisible(m) || VerticalPreviewVisible(m);
}

bool ProxyFieldsEnabled(const SettingsDialogModel& m) { return m.useProxy; }

int SplitLine(const SettingsDialogModel& m) { return m.vertical ? m.verticalLine : m.horizontalLine; }

int SplitHandle(const SettingsDialogModel& m) { return SplitLine(m) - kSplitHandleOffset; }

std::string SplitCaption(const SettingsDialogModel& m) {
  const int line = SplitLine(m);
  return "Dela (" + std::to_string(line) + "/" + std::to_string(100 - line) + ")";
}

void ChooseSplitDirection(SettingsDialogModel& m, bool vertical) {
  const bool horizontalWasVisible = HorizontalPreviewVisible(m);
  const bool verticalWasVisible = VerticalPreviewVisible(m);
  m.dragging = false;
  if (vertical && horizontalWasVisible) m.verticalLine = MirroredLine(m.horizontalLine);
  if (!vertical && verticalWasVisible) m.horizontalLine = MirroredLine(m.verticalLine);
  m.vertical = vertical;
}

void BeginSplitDrag(SettingsDialogModel& m, int pointerInHandle) {
  m.dragging = true;
  m.dragGrab = pointerInHandle;
}

bool MoveSplitDrag(SettingsDialogModel& m, int pointerInHandle) {
  if (!m.dragging) return false;
  const int handle =
      std::clamp(SplitHandle(m) + pointerInHandle - m.dragGrab, kSplitHandleMin, kSplitHandleMax);
  (m.vertical ? m.verticalLine : m.horizontalLine) = handle + kSplitHandleOffset;
  return true;
}

void EndSplitDrag(SettingsDialogModel& m) { m.dragging = false; }

int LogoPreviewWidth(int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 0;
  // Exact halves occur (e.g. 3 x 48 / 32); the default rounding mode takes
  // them to even.
  return int(std::nearbyint(double(kLogoPreviewHeight) * pictureWidth / pictureHeight));
}

bool UpdateLogoPreview(SettingsDialogModel& m,
                       const std::function<bool(const std::string&)>& fileExists,
                       const std::function<bool(const std::string&, int&, int&)>& load) {
  if (m.page != SettingsPage::Issuer || m.logo == m.logoShown || !fileExists(m.logo))
    return false;
  int width = 0, height = 0;
  if (!load(m.logo, width, height)) return false;
  m.logoShown = m.logo;
  m.logoWidth = LogoPreviewWidth(width, height);
  return true;
}

std::optional<MarginProblem> CheckMargins(const SettingsDialogModel& m, char decimalSeparator) {
  for (bool top : {true, false}) {
    const std::string& text = top ? m.topMargin : m.leftMargin;
    if (!ParseDecimal(TrimControl(text), decimalSeparator)) return MarginProblem{top, text};
  }
  return std::nullopt;
}

std::string MarginMessage(const MarginProblem& problem, char decimalSeparator) {
  const std::string field = problem.top ? "Överkant" : "Vänsterkant";
  return field + ": \"" + Utf8(problem.text) + "\" är inget tal. Ange marginalen i millimeter, " +
         "till exempel 1" + decimalSeparator + "5.";
}

void ConfirmSettings(const SettingsDialogModel& m, Settings& s, PrinterService& printers,
                     char decimalSeparator) {
  const auto top = ParseDecimal(TrimControl(m.topMargin), decimalSeparator);
  const auto left = ParseDecimal(TrimControl(m.leftMargin), decimalSeparator);
  if (!top || !left) throw std::invalid_argument("margin is no decimal number");

  s.issuerLine1 = m.issuerLine1;
  s.issuerLine2 = m.issuerLine2;
  s.logo = m.logo;
  s.ortexMunicipality = m.ortexMunicipality;
  s.ortexTelephone = m.ortexTelephone;

  s.photoMethod = ConfirmedSource(s.photoMethod, m.photoSource, kSourceItems);
  s.signMethod = ConfirmedSource(s.signMethod, m.signSource, kSignSourceItems);

  s.splitVertical = m.vertical;
  s.splitPosition = std::uint8_t(SplitLine(m));
  s.split = m.split;
  s.twainUI = !m.hideScannerUI;

  if (LowerAscii(m.printer) != LowerAscii(s.printer)) {
    s.printer = m.printer;
    printers.SelectPrinter(m.printer);
  }

  s.topOffset = *top;
  s.leftOffset = *left;
  s.orientation = std::uint8_t(std::max(m.orientation, 0));

  s.sendMethod = m.sendMethod - 1;
  s.mailServer = m.mailServer;
  s.mailFrom = m.mailFrom;
  s.useProxy = m.useProxy;
  s.proxyAddress = m.proxyAddress;
  s.proxyPort = m.proxyPort;
}

}  // namespace vemra
