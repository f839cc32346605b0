#pragma once
// One source of pictures for the capture dialog. Each source method (file,
// scanner, video, DirectShow, camera plug-ins, signature pad) is one
// implementation; the session drives it the same way for all of them.
#include <memory>
#include <string>

#include "capture/framing/FramingGeometry.h"
#include "imaging/Bitmap.h"

namespace vemra {

enum class MessageKind { kInformation, kError };

// What a source may do to the dialog it feeds.
class SourceHost {
 public:
  virtual ~SourceHost() = default;
  // A new 24-bit picture, fitted to the frame when `fit`. A picture that
  // cannot be held leaves the current one and tells the user.
  virtual void DeliverPicture(Bitmap picture, bool fit) = 0;
  // A frame frozen from live video that filled `liveArea` on screen; false
  // when it could not be held (the user was told).
  virtual bool DeliverFrozenFrame(Bitmap frame, ScreenSize liveArea) = 0;
  virtual void ShowMessage(const std::string& utf8Text, MessageKind kind) = 0;
};

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // Runs once before the dialog is shown; may deliver the first picture.
  // False (or an exception) ends the capture without showing the dialog.
  virtual bool Prepare(SourceHost& host) = 0;
  // The capture button's caption ("Frys" while live video is shown).
  virtual std::string ButtonCaption() const = 0;
  // True while live video is shown instead of a still picture.
  virtual bool IsLive() const { return false; }
  // The capture button: acquires or freezes one picture.
  virtual void Capture(SourceHost& host) = 0;
  // The dialog is closing: stop whatever runs.
  virtual void Stop() {}

  // Live video only. The dialog is on screen (a moment after showing):
  // the live picture starts.
  virtual void DialogShown() {}
  virtual void DialogMoved() {}
  // The live picture's size in the dialog, and the height of the video
  // window a DirectShow photo frame is sized from (0: none).
  virtual ScreenSize LiveArea() const { return {}; }
  virtual int VideoWindowHeight() const { return 0; }
};

// Source 51: the pad delivers its pictures elsewhere; its button does nothing.
class SignaturePadSource final : public PictureSource {
 public:
  bool Prepare(SourceHost&) override { return true; }
  std::string ButtonCaption() const override { return "ePad"; }
  void Capture(SourceHost&) override {}
};

}  // namespace vemra
