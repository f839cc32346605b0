#pragma once
// The capture dialog as the session sees it: a window that frames one
// picture. The Win32 view is TdlgCapture; tests use a fake.
#include <string>

#include "capture/CaptureToFile.h"
#include "imaging/Bitmap.h"
#include "capture/session/PictureSource.h"

namespace vemra {

// What the dialog's buttons reach while it is shown.
class CaptureCommands {
 public:
  virtual ~CaptureCommands() = default;
  virtual std::string CaptureButtonCaption() const = 0;
  virtual bool LiveShown() const = 0;
  virtual void PressCapture() = 0;
  // OK pressed: true when the dialog may close with the OK result.
  virtual bool StorePicture() = 0;
  // Live video: the dialog came on screen, or moved; the live picture's size.
  virtual void DialogShown() = 0;
  virtual void DialogMoved() = 0;
  virtual ScreenSize LiveArea() const = 0;
  // The window is about to go: whatever runs in it stops.
  virtual void DialogClosing() = 0;
};

class CaptureView {
 public:
  virtual ~CaptureView() = default;
  // A new run on the same dialog: its purpose, source and split; sizes
  // the frame for them.
  virtual void StartRun(const CaptureRequest& request) = 0;
  // Frame size for the run's purpose and source, dialog size around it
  // (again after the source is prepared: a DirectShow video window gives
  // the photo frame its height).
  virtual void SizeFrame(int videoWindowHeight) = 0;
  // Makes a 24-bit bitmap the shown picture. Strong guarantee: when it
  // throws (a picture too large for memory) the shown picture is unchanged.
  virtual void SetPicture(Bitmap picture, bool fit) = 0;
  // The sheet kept by the previous run of a split capture, fitted to its
  // remainder; an empty frame when none was kept.
  virtual void ShowKeptSheet() = 0;
  // A run that acquires its own picture starts without one: the frame
  // shows empty and OK stays disabled until its source delivers one.
  virtual void ClearPicture() = 0;
  // A frozen video frame, shown at its own aspect about as large as the
  // live picture was, placed without fitting. Strong guarantee as above.
  virtual void SetFrozenFrame(Bitmap frame, ScreenSize liveArea) = 0;
  virtual bool HasPicture() const = 0;
  // Exactly the part of the picture inside the frame, at picture resolution.
  virtual Bitmap FramedPicture() const = 0;
  virtual void SetCaption(const std::string& utf8Caption) = 0;
  // Modal; true when it ended with OK.
  virtual bool ShowModal(CaptureCommands& commands) = 0;
  // Button captions and enabled states after every source action.
  virtual void UpdateSourceButtons() = 0;
  // The replace-existing question; true for "Ja".
  virtual bool AskReplace(const Bitmap& newPicture, const std::string& existingFile,
                          int purpose) = 0;
  virtual void ShowMessage(const std::string& utf8Text, MessageKind kind) = 0;
};

}  // namespace vemra
