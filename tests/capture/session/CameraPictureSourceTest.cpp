// The camera sources: the plug-in's shot loaded, turned, or left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "capture/session/CameraPictureSource.h"
#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

namespace fs = std::filesystem;

struct RecordingHost : SourceHost {
  std::vector<Bitmap> pictures;
  std::vector<std::string> messages;
  bool DeliverFrozenFrame(Bitmap, ScreenSize) override { return false; }
  void DeliverPicture(Bitmap p, bool) override { pictures.push_back(std::move(p)); }
  void ShowMessage(const std::string& t, MessageKind) override { messages.push_back(t); }
};

TEST(CameraPictureSource, LoadsTheShotTurnedClockwiseOrChangesNothing) {
  const fs::path file = fs::temp_directory_path() / "vemra-camera-shot.jpg";
  {
    Bitmap b(8, 6);
    std::vector<std::uint8_t> bytes;
    EncodeJpeg(b, 80, bytes);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  struct Case {
    std::optional<CameraShot> shot;
    int pictures, width;
  } cases[] = {
      {CameraShot{file.string(), 0}, 1, 8},
      {CameraShot{file.string(), 270}, 1, 6},
      {CameraShot{file.string(), 90}, 1, 6},
      {CameraShot{file.string(), 180}, 1, 8},
      {CameraShot{file.string(), 45}, 1, 8},
      {CameraShot{(fs::temp_directory_path() / "vemra-no-such.jpg").string(), 90}, 0, 0},
      {CameraShot{"", 0}, 0, 0},
      {std::nullopt, 0, 0},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    CameraPictureSource source([&] { return c.shot; },
                               [](const std::string& p) { return fs::exists(p); });
    EXPECT_TRUE(source.Prepare(host));
    EXPECT_EQ(source.ButtonCaption(), "Canon");
    source.Capture(host);
    ASSERT_EQ(int(host.pictures.size()), c.pictures);
    if (c.pictures) {
      EXPECT_EQ(host.pictures[0].Width(), c.width);
    }
    EXPECT_TRUE(host.messages.empty());
  }
  fs::remove(file);
}

TEST(CameraPictureSource, APressDuringAShotIsIgnored) {
  RecordingHost host;
  int shots = 0;
  CameraPictureSource* self = nullptr;
  CameraPictureSource source(
      [&]() -> std::optional<CameraShot> {
        ++shots;
        self->Capture(host);  // the press arriving while the program runs
        return std::nullopt;
      },
      [](const std::string&) { return false; });
  self = &source;
  source.Capture(host);
  source.Capture(host);
  EXPECT_EQ(shots, 2);
}

}  // namespace
}  // namespace vemra
