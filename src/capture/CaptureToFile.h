#pragma once
// What the library asks of the capture dialog: one picture acquired, framed
// and stored in a file.
#include <memory>
#include <string>

namespace vemra {

enum SourceMethod {
  kVideoForWindows = 1,
  kTwain = 2,
  kPictureFile = 3,
  kNoSignature = 4,  // only meaningful for the signature
  kCanonPlugin1 = 41,
  kCanonPlugin2 = 42,
  kCanonPlugin3 = 43,
  kSignaturePad = 51,
  kDirectShow = 61,
};

enum CapturePurpose { kPhoto = 1, kSignature = 2 };

struct CaptureRequest {
  int source = kPictureFile;
  int purpose = kPhoto;
  int quality = 70;
  int splitPosition = 0;  // 0 none; 1-99 take that share and keep the sheet; 100 the rest
  bool splitVertical = false;
  std::string fileName;
  std::string caption;
  bool both = false;
  bool showScannerInterface = true;
};

// The two capture-dialog settings the dialog may change; the library saves
// them after the capture when a flag is set.
struct CaptureDialogSettings {
  std::string inspectionBox;  // entries separated by tabs
  bool inspectionBoxChanged = false;
  int adjustMode = 0;
  bool adjustModeChanged = false;
};

class CaptureDialog {
 public:
  virtual ~CaptureDialog() = default;
  // True when a picture was stored (or the user kept the existing file).
  virtual bool CaptureToFile(const CaptureRequest& request) = 0;
};

class CaptureService {
 public:
  virtual ~CaptureService() = default;
  // One dialog object per scan request, shared by its photo and signature.
  virtual std::unique_ptr<CaptureDialog> OpenDialog(CaptureDialogSettings& settings) = 0;
  // Closes every scanner connection and unloads the source manager.
  virtual void ShutDownScanner() = 0;
};

}  // namespace vemra
