#pragma once
// The library's process-wide state and the bodies of the exported functions,
// free of the platform so that every rule runs in the native tests.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "imaging/Picture.h"
#include "sdk/LibraryServices.h"
#include "layout/fields/FieldValues.h"
#include "sdk/ExclusiveCall.h"
#include "sdk/MunicipalityDetails.h"
#include "sdk/PrintRequest.h"
#include "sdk/Settings.h"
#include "sdk/SettingsFile.h"

namespace vemra {

constexpr int kLibraryVersion = 402;

// Results of VmSettings.
constexpr int kSettingsSaved = 0;
constexpr int kSettingsNotSaved = 1;
// VmPrint's answer when no card came out for a reason no other code names.
constexpr int kPrintFailed = 1;

class Library {
 public:
  // The library's log is where the picture budget tells its refusals,
  // while this library lives.
  explicit Library(LibraryServices services);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  int VmInit(const std::string& folder);
  int VmScanImage(std::uint8_t kind, const std::string& id);
  int VmPhotoSignatureExists(const std::string& id);
  int VmSettings();
  int VmPrint(int mode, const PermitTexts& texts);

  void EnsureInitialised();
  std::string PicturePath(const std::string& id, const std::string& suffix);

  // Failures no result code names go to "VemraSDK.log" in the data folder
  // (the host's folder while none is usable).
  void Log(const std::string& message) const;
  // For standing conditions met at every initialisation (a setting that does
  // not convert, say): told once per process, not at every call.
  void LogOnce(const std::string& message) const;
  static constexpr std::uint64_t kLogLimitBytes = 1024 * 1024;

  // The export among VmPrint, VmScanImage and VmSettings that is running;
  // VmInit is refused meanwhile.
  // A structured exception skips the destructor that would end its claim:
  // the export layer then puts back what was there before the call.
  const char* RunningCall() const { return runningCall_; }
  void RestoreRunningCall(const char* before) { runningCall_ = before; }

  bool Initialised() const { return initialised_; }
  const std::string& DataFolder() const { return dataFolder_; }
  Settings& CurrentSettings() { return settings_; }
  const MunicipalityDetails& Municipality() const { return municipality_; }
  Lynini& Ini() { return ini_; }
  vemra::FieldList& Fields() { return fieldList_; }
  Picture& PhotoImage() { return photoImage_; }
  Picture& SignatureImage() { return signatureImage_; }

 private:
  std::string LogoSearch() const;
  // Logs and refuses an id that would name a file outside "Image\".
  bool UsablePictureId(const std::string& id) const;
  SettingsContext MakeSettingsContext() const;
  bool Capture(CaptureDialog& dialog, const CaptureRequest& request);
  void SaveCaptureSettings(const CaptureDialogSettings& changes);
  void ShutDownScanner();
  bool ConfirmAndSaveSettings(const SettingsDialogModel& model);
  // Logs that the export `name` is refused while another runs.
  int Refuse(const char* name, int result) const;
  int Initialise(const std::string& folder);

  LibraryServices services_;
  Lynini ini_;
  bool initialised_ = false;
  const char* runningCall_ = nullptr;
  std::string dataFolder_;
  Settings settings_;
  MunicipalityDetails municipality_;
  vemra::FieldList fieldList_;
  Picture photoImage_;
  Picture signatureImage_;
  mutable std::set<std::string> loggedOnce_;
};

}  // namespace vemra
