// The picture-file source: the choice, and loading strictly by extension.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "capture/session/CaptureTexts.h"
#include "capture/session/FilePictureSource.h"
#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

namespace fs = std::filesystem;

struct RecordingHost : SourceHost {
  std::vector<Bitmap> pictures;
  std::vector<std::pair<std::string, MessageKind>> messages;
  bool DeliverFrozenFrame(Bitmap, ScreenSize) override { return false; }
  void DeliverPicture(Bitmap p, bool fit) override {
    EXPECT_TRUE(fit);
    pictures.push_back(std::move(p));
  }
  void ShowMessage(const std::string& t, MessageKind k) override { messages.push_back({t, k}); }
};

class Files : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("vemra-capture-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return (folder / name).string();
  }
};

std::vector<std::uint8_t> Jpeg() {
  Bitmap b(8, 6);
  std::vector<std::uint8_t> out;
  EncodeJpeg(b, 80, out);
  return out;
}

std::vector<std::uint8_t> Bmp8() {
  Bitmap b(5, 7, PixelFormat::pf8bit);
  b.Palette().assign(256, 0x123456);
  std::vector<std::uint8_t> out;
  WriteBmp(b, out);
  return out;
}

TEST_F(Files, LoadsStrictlyByExtension) {
  const std::vector<std::uint8_t> garbage{1, 2, 3, 4};
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    PictureLoad result;
    int width;
  } cases[] = {
      {"a.jpg", Jpeg(), PictureLoad::kLoaded, 8},
      {"b.JPEG", Jpeg(), PictureLoad::kLoaded, 8},
      {"c.Bmp", Bmp8(), PictureLoad::kLoaded, 5},
      {"d.png", Jpeg(), PictureLoad::kWrongFormat, 0},   // content does not count
      {"e.bmp", Jpeg(), PictureLoad::kBitmapFailed, 0},
      {"f.jpg", Bmp8(), PictureLoad::kJpegFailed, 0},
      {"g.jpg", garbage, PictureLoad::kJpegFailed, 0},
      {"jpg", Jpeg(), PictureLoad::kWrongFormat, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap out;
    EXPECT_EQ(LoadCapturePicture(Write(c.name, c.bytes), out), c.result);
    EXPECT_EQ(out.Width(), c.width);
    if (c.width) {
      EXPECT_EQ(out.Format(), PixelFormat::pf24bit);
    }
  }
  Bitmap out;
  EXPECT_EQ(LoadCapturePicture((folder / "missing.jpg").string(), out), PictureLoad::kJpegFailed);
}

TEST_F(Files, ChoiceAndMessages) {
  const std::string good = Write("ok.jpg", Jpeg()), png = Write("x.png", Jpeg()),
                    badBmp = Write("x.bmp", {1, 2});
  std::vector<std::optional<std::string>> answers;
  std::string filterSeen;
  FilePictureSource source([&](const std::string& filter) {
    filterSeen = filter;
    auto a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
  RecordingHost host;
  EXPECT_EQ(source.ButtonCaption(), "Öppna fil");

  answers = {std::nullopt};
  EXPECT_FALSE(source.Prepare(host));  // cancelled: no dialog
  EXPECT_EQ(filterSeen, capture_texts::kOpenPictureFilter);

  answers = {png};
  EXPECT_TRUE(source.Prepare(host));  // a failed load still opens the dialog
  answers = {badBmp, std::nullopt, good};
  source.Capture(host);
  source.Capture(host);  // cancelled: nothing happens
  source.Capture(host);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].first, "Fel filformat");
  EXPECT_EQ(host.messages[0].second, MessageKind::kInformation);
  EXPECT_EQ(host.messages[1].first, "Kunde inte öppna Bitmap");
  EXPECT_EQ(host.messages[1].second, MessageKind::kError);
  ASSERT_EQ(host.pictures.size(), 1u);
  EXPECT_EQ(host.pictures[0].Width(), 8);
}

TEST(SignaturePad, ShowsItsButtonAndAcquiresNothing) {
  SignaturePadSource pad;
  RecordingHost host;
  EXPECT_TRUE(pad.Prepare(host));
  pad.Capture(host);
  EXPECT_EQ(pad.ButtonCaption(), "ePad");
  EXPECT_TRUE(host.pictures.empty());
}

}  // namespace
}  // namespace vemra
