#pragma once
// TdlgCapture: the capture dialog's window. It forwards every event to the
// framing model and paints what the model says; the session decides what
// a run does. One object per scan request; the window exists only while
// shown.
#include <windows.h>

#include <memory>

#include "capture/CaptureToFile.h"
#include "capture/session/CaptureView.h"

namespace vemra {

class TdlgCapture final : public CaptureView {
 public:
  explicit TdlgCapture(CaptureDialogSettings& settings);
  ~TdlgCapture() override;

  void StartRun(const CaptureRequest& request) override;
  void SizeFrame(int videoWindowHeight) override;
  void SetPicture(Bitmap picture, bool fit) override;
  void ShowKeptSheet() override;
  void ClearPicture() override;
  void SetFrozenFrame(Bitmap frame, ScreenSize liveArea) override;
  bool HasPicture() const override;
  Bitmap FramedPicture() const override;
  void SetCaption(const std::string& utf8Caption) override;
  bool ShowModal(CaptureCommands& commands) override;
  void UpdateSourceButtons() override;
  bool AskReplace(const Bitmap& newPicture, const std::string& existingFile,
                  int purpose) override;
  void ShowMessage(const std::string& utf8Text, MessageKind kind) override;

  // Owner for windows a source opens: the dialog while it is shown, else
  // the host's window (null when the host had none active).
  HWND Window() const;
  // The black panel live video is shown in while the dialog is shown
  // (else null); it has the size the source's LiveArea() asked for.
  HWND VideoPanel() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

// Window class and control ids, for tests that drive the window.
inline constexpr wchar_t kCaptureClassName[] = L"TdlgCapture";
inline constexpr wchar_t kCaptureFrameClassName[] = L"TdlgCaptureFrame";
inline constexpr wchar_t kVideoPanelClassName[] = L"TdlgCaptureVideo";
enum CaptureControlId {
  kIdCapture = 300,     // spCap
  kIdZoomIn,            // spZoomIn
  kIdZoomOut,           // spZoomOut
  kIdFitAgain,          // SpeedButton11
  kIdZoomMode,          // btZoomMode
  kIdCutMode,           // btCutMode
  kIdZoomUndo,          // btZoomUndo
  kIdMarkCut,           // spMarkCut
  kIdMarkUndo,          // spMarkUndo
  kIdMarkCutNot,        // spMarkCutNot
  kIdRot90Left,         // spRot90Left
  kIdRotLeft,           // spRotLeft
  kIdRotRight,          // spRotRight
  kIdRot90Right,        // spRot90Right
  kIdRotReset,          // SpeedButton8
  kIdToolAng270,        // btToolAng270
  kIdToolAng90,         // btToolAng90
  kIdAngle,             // laAng
  kIdSettings,          // btSettings
  kIdFrame,             // pIm
  kIdStatusBar,         // StatusBar1
  kIdVideoPanel,        // pVideo / pDS
  // Menu pmButtons
  kIdModeClassic = 400,  // "Klassisk", mode 2
  kIdModeStandard,       // "Standard", mode 0
  kIdModeSimple,         // "Justera enkel", mode 1 (not offered in the menu)
  kIdShowInspectionBox,  // "Visa granskaruta"
  kIdAdjustOldStyle,     // "Justera som Hedenhös" (offered with Shift held)
  kIdInspectionPreset = 410,  // + InspectionPreset
  // Tone controls (ToneControlsPanel)
  kIdToneButton = 500,   // + index in kToneButtons: the classic tool panel
  kIdToneMenu = 520,     // + index in kToneButtons: the same as menu items
  kIdToneField = 540,    // + ToneField: the slider column's value fields
  kIdToneSlider = 550,   // + ToneField: its sliders (modes Standard)
  kIdToneLabel = 560,    // + ToneField
  kIdColourPad = 570,    // + index in kColourPadSteps
};

}  // namespace vemra
