#include "sdk/win32/CaptureBinding.h"

#include <stdexcept>
#include <string>

#include "base/Cp1252.h"
#include "capture/session/CameraPictureSource.h"
#include "capture/session/CaptureSession.h"
#include "capture/session/FilePictureSource.h"
#include "capture/session/ScannerPictureSource.h"
#include "capture/session/VideoPictureSource.h"
#include "capture/win32/CaptureDialog.h"
#include "capture/win32/OpenPictureDialog.h"
#include "capture/win32/plugins/CameraPlugins.h"
#include "capture/win32/twain/Scanner.h"
#include "capture/win32/video/LiveVideos.h"
#include "imaging/LynImageEx.h"
#include "imaging/PictureFileIo.h"

namespace vemra {
namespace {

// The capture dialog asks the plug-ins for pictures without quiet: the
// Canon EOS plug-in's failures are shown to the user.
CameraShooter CameraShooterFor(int method) {
  if (method == kCanonPlugin1) return [] { return ParseTabAnswer(CanonGetImage()); };
  if (method == kCanonPlugin2) return [] { return ParseTabAnswer(CanonPrGetImage(false)); };
  return []() -> std::optional<CameraShot> {
    std::string answer;
    if (!CanonEosGetImage(false, answer)) return std::nullopt;
    return ParseEosAnswer(answer);
  };
}

class Win32CaptureDialog final : public CaptureDialog {
 public:
  Win32CaptureDialog(CaptureDialogSettings& settings, bool& open) : view_(settings), open_(open) {
    open_ = true;
  }
  ~Win32CaptureDialog() override { open_ = false; }

  bool CaptureToFile(const CaptureRequest& request) override {
    std::unique_ptr<PictureSource> source = MakeSource(request);
    PictureStore store{PictureFileExists, SavePictureFile};
    return CaptureSession(view_, *source, store, request).Run();
  }

 private:
  std::unique_ptr<PictureSource> MakeSource(const CaptureRequest& request) {
    const int method = request.source;
    switch (method) {
      case kPictureFile:
        return std::make_unique<FilePictureSource>(
            [this](const std::string& filter) { return ChoosePictureFile(view_.Window(), filter); });
      case kTwain:
        return std::make_unique<ScannerPictureSource>(ScannerFunctions{PrepareScanner, ScanPicture},
                                                      request.showScannerInterface);
      case kCanonPlugin1:
      case kCanonPlugin2:
      case kCanonPlugin3:
        return std::make_unique<CameraPictureSource>(CameraShooterFor(method), PictureFileExists);
      case kSignaturePad: return std::make_unique<SignaturePadSource>();
      case kVideoForWindows:
        return std::make_unique<VideoPictureSource>(
            MakeVideoForWindows([this] { return view_.VideoPanel(); }, videoDriver_));
      case kDirectShow:
        return std::make_unique<VideoPictureSource>(
            MakeDirectShowVideo([this] { return view_.VideoPanel(); }, request.purpose));
    }
    // Logged by the library; the capture stores nothing.
    throw std::runtime_error(Ansi("bildkällan ") + std::to_string(method) +
                             Ansi(" finns inte i denna version"));
  }

  TdlgCapture view_;
  bool& open_;
  int videoDriver_ = 0;  // the Video for Windows driver chosen in this dialog
};

class Win32CaptureService final : public CaptureService {
 public:
  std::unique_ptr<CaptureDialog> OpenDialog(CaptureDialogSettings& settings) override {
    // The dialog pumps the host's messages; a scan request arriving from
    // one of them is refused rather than run on top of the first.
    if (dialogOpen_) throw std::runtime_error(Ansi("en bildinsamling pågår redan"));
    return std::make_unique<Win32CaptureDialog>(settings, dialogOpen_);
  }
  void ShutDownScanner() override { ShutDownTwain(); }

 private:
  bool dialogOpen_ = false;
};

}  // namespace

std::unique_ptr<CaptureService> MakeWin32CaptureService() {
  return std::make_unique<Win32CaptureService>();
}

}  // namespace vemra
