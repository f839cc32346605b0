#pragma once
// TdlgdllSettings: the settings dialog's window, a thin view over its model.
#include <memory>

#include "sdk/settingsdialog/SettingsDialogService.h"

namespace vemra {

// Modal, without an owner window. True when the user pressed "OK" and both
// margins convert; the model then holds every control's value.
bool ShowSettingsDialog(SettingsDialogModel& model, const SettingsDialogHooks& hooks);

std::unique_ptr<SettingsDialogService> MakeWin32SettingsDialog();

// "Välj scanner" while no scanner source manager is bound into the library.
void ShowNoScannerManager();

}  // namespace vemra
