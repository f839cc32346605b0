#pragma once
// What the library asks of the settings dialog's window: show the model,
// let the user edit it, tell whether they confirmed.
#include <functional>
#include <string>

#include "imaging/Picture.h"
#include "sdk/settingsdialog/SettingsDialogModel.h"

namespace vemra {

// What the window needs from the rest of the library while it is open.
struct SettingsDialogHooks {
  char decimalSeparator = ',';
  std::function<bool(const std::string&)> fileExists;
  // LoadPictureToImage, for the logo preview.
  std::function<bool(Picture&, const std::string&)> loadPicture;
  // "Välj scanner": the scanner source chooser.
  std::function<void()> selectScannerSource;
};

class SettingsDialogService {
 public:
  virtual ~SettingsDialogService() = default;
  // Modal. True when the user pressed "OK" with margins that convert; the
  // model then holds every control's value. Closing the window cancels.
  virtual bool ShowSettingsDialog(SettingsDialogModel& model, const SettingsDialogHooks& hooks) = 0;
  // Tells the user, in Swedish (UTF-8), why the settings were not saved.
  virtual void ShowSaveFailure(const std::string& message) = 0;
};

}  // namespace vemra
