#pragma once
// One run of CaptureToFile: prepare the source, show the dialog, store
// what the frame shows, or keep the existing file.
#include <functional>
#include <string>

#include "capture/CaptureToFile.h"
#include "capture/session/CaptureView.h"
#include "capture/session/PictureSource.h"

namespace vemra {

// Where stored pictures go: SavePictureFile in the library.
struct PictureStore {
  std::function<bool(const std::string& path)> exists;
  // Writes beside and replaces; throws on failure, leaving the old file.
  std::function<void(const Bitmap& picture, const std::string& path, int quality)> save;
};

class CaptureSession final : public CaptureCommands, public SourceHost {
 public:
  CaptureSession(CaptureView& view, PictureSource& source, PictureStore store,
                 CaptureRequest request);

  // True exactly when a file was written or the user kept the existing one.
  bool Run();

  // CaptureCommands
  std::string CaptureButtonCaption() const override;
  bool LiveShown() const override;
  void PressCapture() override;
  bool StorePicture() override;
  void DialogShown() override;
  void DialogMoved() override;
  ScreenSize LiveArea() const override;
  void DialogClosing() override;

  // SourceHost
  void DeliverPicture(Bitmap picture, bool fit) override;
  bool DeliverFrozenFrame(Bitmap frame, ScreenSize liveArea) override;
  void ShowMessage(const std::string& utf8Text, MessageKind kind) override;

 private:
  enum class Outcome { kNothing, kWritten, kKept };

  CaptureView& view_;
  PictureSource& source_;
  PictureStore store_;
  CaptureRequest request_;
  Outcome outcome_ = Outcome::kNothing;
};

// Pictures that do not fit in memory surface as one of these.
bool IsOutOfMemory(const std::exception& e);

}  // namespace vemra
