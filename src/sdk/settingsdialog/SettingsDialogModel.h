#pragma once
// The settings dialog TdlgdllSettings apart from its window: what each
// control shows of the settings, which controls are visible and enabled,
// the split preview's line and handle, and what "OK" writes back.
// Texts are Windows-1252 like the settings they come from.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sdk/Settings.h"

namespace vemra {

class PrinterService;

enum class SettingsPage { Photo = 0, Print = 1, Issuer = 2 };

// Items of the radio groups.
inline constexpr int kSourceItems = 2;      // "Twain (scanner)", "Fil"
inline constexpr int kSignSourceItems = 3;  // ... and "Används ej"
inline constexpr int kTwainItem = 0;
inline constexpr int kSendMethodItems = 4;  // "Skrivare", "FTP", "E-Post", "Http"
inline constexpr int kOrientationItems = 3;

// The split previews: a sheet 100 pixels long in the split's direction,
// the red line between 10 and 90, the handle 12 pixels long centred on it.
inline constexpr int kSplitLineMin = 10, kSplitLineMax = 90;
inline constexpr int kSplitHandleOffset = 6;
inline constexpr int kSplitHandleMin = kSplitLineMin - kSplitHandleOffset;
inline constexpr int kSplitHandleMax = kSplitLineMax - kSplitHandleOffset;

inline constexpr int kLogoPreviewHeight = 48;

struct SettingsDialogModel {
  SettingsPage page = SettingsPage::Photo;

  // Photo page
  int photoSource = -1;  // rgFoto item, -1 none
  int signSource = -1;   // rgSign item
  bool hideScannerUI = false;
  bool split = true;
  bool vertical = false;    // spVert down, else spHorz
  int horizontalLine = 80;  // top of pSplit's red line
  int verticalLine = 80;    // left of pSplitVert's red line
  bool dragging = false;
  int dragGrab = 0;  // pointer position within the handle at mouse down

  // Print page
  int sendMethod = 0;  // rgSendMethod item; also the sub-page shown
  std::vector<std::string> printers;
  std::string printer;
  int orientation = 0;
  std::string topMargin, leftMargin;
  std::string mailServer, mailFrom;
  bool useProxy = false;
  std::string proxyAddress, proxyPort;

  // Issuer page
  int issuerTab = 0;  // 0 "Vemra EU", 1 "Vemra gamal"
  std::string issuerLine1, issuerLine2, logo, ortexMunicipality, ortexTelephone;
  std::string logoShown;  // path the logo preview last showed
  int logoWidth = 0;
};

// Below -1 becomes -1 (nothing selected), beyond the last item the last.
int ClampRadioIndex(int index, int itemCount);

// The dialog as it opens over `settings`.
SettingsDialogModel OpenSettingsDialog(const Settings& settings,
                                       std::vector<std::string> installedPrinters,
                                       char decimalSeparator);

// Visibility and enabling, rerun after every click of either source group.
bool HorizontalPreviewVisible(const SettingsDialogModel& m);
bool VerticalPreviewVisible(const SettingsDialogModel& m);
bool SplitControlsEnabled(const SettingsDialogModel& m);
bool ProxyFieldsEnabled(const SettingsDialogModel& m);

// The line of the preview for the direction that is down.
int SplitLine(const SettingsDialogModel& m);
int SplitHandle(const SettingsDialogModel& m);
// "Dela (80/20)" in UTF-8.
std::string SplitCaption(const SettingsDialogModel& m);

// "Horisontelt" (false) or "Vertikalt" (true) pressed: the line of the
// preview that was visible carries over, mirrored, to the other direction.
void ChooseSplitDirection(SettingsDialogModel& m, bool vertical);

// Pointer positions are along the split direction, within the handle.
void BeginSplitDrag(SettingsDialogModel& m, int pointerInHandle);
// False while not dragging.
bool MoveSplitDrag(SettingsDialogModel& m, int pointerInHandle);
void EndSplitDrag(SettingsDialogModel& m);

// round(48 x width / height), halves to even; 0 for an empty picture.
int LogoPreviewWidth(int pictureWidth, int pictureHeight);
// Runs when the logo path or the page changes. `load` loads the picture
// for the preview and gives its size; false when it does not load.
// True when the preview took a new picture.
bool UpdateLogoPreview(SettingsDialogModel& m,
                       const std::function<bool(const std::string&)>& fileExists,
                       const std::function<bool(const std::string&, int&, int&)>& load);

// A margin text that is no decimal number in the user's format.
struct MarginProblem {
  bool top = false;  // else the left margin
  std::string text;
};
std::optional<MarginProblem> CheckMargins(const SettingsDialogModel& m, char decimalSeparator);
// UTF-8 message for the user, with an example in their format.
std::string MarginMessage(const MarginProblem& problem, char decimalSeparator);

// What "OK" writes into the settings in memory, in the dialog's order;
// selects the printer when its name changed other than in A-Z case.
// Throws std::invalid_argument for a margin CheckMargins refuses, before
// anything is written.
void ConfirmSettings(const SettingsDialogModel& m, Settings& settings, PrinterService& printers,
                     char decimalSeparator);

}  // namespace vemra
