#include "imaging/LynImageEx.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/ImagingTestUtil.h"
#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

using test::PixelAt;

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: CTest runs test cases in parallel processes.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = ::testing::TempDir() + "lynimage-" + info->name() + "/";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(EncodeJpeg(test::Gradient(16, 8), 90, jpeg_));
    bmp_ = test::FileBytes(test::DataPath("bits8.bmp"));
  }
  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    test::WriteBytes(folder_ + name, bytes);
    return folder_ + name;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string folder_;
  std::vector<std::uint8_t> jpeg_, bmp_;
};

TEST_F(PictureFiles, DetectsFormatsByTheirFirstBytes) {
  const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
      {{'B', 'M'}, "bmp"},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0}, "jpg"},
      {{0xFF, 0xD8, 0xFF, 0xE1, 0}, ""},  // EXIF files are not recognised
      {{'%', 'P', 'D', 'F', '-', '1', '.'}, "pdf"},
      {{'%', 'P', 'D', 'F', '-'}, ""},  // shorter than the signature
      {{'I', 'I', 0x2A, 0}, "tif"},
      {{'M', 'M', 0, 0x2A}, "tif"},
      {{}, ""},
  };
  for (const auto& [bytes, tag] : cases) EXPECT_EQ(DetectPictureFormat(Put("probe", bytes)), tag);
  EXPECT_EQ(DetectPictureFormat(folder_ + "missing.jpg"), "");
}

TEST_F(PictureFiles, LoadsByExtensionThenByContent) {
  const std::vector<std::uint8_t> tiff = {'I', 'I', 0x2A, 0, 8, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> pdf = {'%', 'P', 'D', 'F', '-', '1', '.', '4', '\n'};
  std::vector<std::uint8_t> damaged(jpeg_.begin(), jpeg_.begin() + 40);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool loads;
    int width;
  };
  const std::vector<Case> cases = {
      {"photo.jpg", jpeg_, true, 16},
      {"PHOTO.JPEG", jpeg_, true, 16},
      {"jpeg-named.bmp", jpeg_, true, 16},
      {"bitmap-named.jpg", bmp_, true, 9},
      {"noextension", jpeg_, true, 16},
      {"scan.tif", tiff, false, 0},
      {"scan-named.jpg", tiff, false, 0},
      {"form.pdf", pdf, false, 0},
      {"damaged.jpg", damaged, false, 0},
      {"photo.png", {0x89, 'P', 'N', 'G'}, false, 0},
  };
  for (const Case& c : cases) {
    Bitmap target(1, 1);
    EXPECT_EQ(LoadPictureToBitmap(Put(c.name, c.bytes), target), c.loads) << c.name;
    EXPECT_EQ(target.Width(), c.loads ? c.width : 1) << c.name;
  }
  Bitmap target(1, 1);
  EXPECT_FALSE(LoadPictureToBitmap(folder_ + "missing.jpg", target));
  EXPECT_EQ(DetectPictureFormat(folder_ + "scan-named.jpg"), "tif");
  EXPECT_EQ(DetectPictureFormat(folder_ + "form.pdf"), "pdf");
}

TEST_F(PictureFiles, BitmapFilesKeepTheirDepthAndJpegGives24Bits) {
  Bitmap target;
  ASSERT_TRUE(LoadPictureToBitmap(Put("eight.bmp", bmp_), target));
  EXPECT_EQ(target.Format(), PixelFormat::pf8bit);
  ASSERT_TRUE(LoadPictureToBitmap(Put("photo.jpg", jpeg_), target));
  EXPECT_EQ(target.Format(), PixelFormat::pf24bit);
}

TEST_F(PictureFiles, WindowsPathsWithBackslashesLoad) {
  Put("photo.jpg", jpeg_);
  Picture holder;
#ifdef _WIN32
  std::string path = folder_ + "photo.jpg";
  for (char& c : path) if (c == '/') c = '\\';
#else
  const std::string path = folder_ + "photo.jpg";
#endif
  ASSERT_TRUE(LoadPictureToImage(holder, path));
  ASSERT_NE(holder.AsBitmap(), nullptr);
  EXPECT_EQ(holder.AsBitmap()->Width(), 16);
}

TEST_F(PictureFiles, HolderIsUntouchedWhenLoadingFails) {
  Picture holder;
  holder.SetBitmap(Bitmap(5, 5));
  EXPECT_FALSE(LoadPictureToImage(holder, Put("bad.jpg", {1, 2, 3})));
  ASSERT_NE(holder.AsBitmap(), nullptr);
  EXPECT_EQ(holder.AsBitmap()->Width(), 5);
}

TEST_F(PictureFiles, AFailedLoadSaysWhy) {
  std::vector<std::uint8_t> truncated(jpeg_.begin(), jpeg_.begin() + 40);
  struct Case { std::string path; const char* why; } cases[] = {
      {folder_ + "none.jpg", "filen finns inte"},
      {Put("cut.jpg", truncated), "bilden \xe4r skadad eller f\xf6r stor"},
      {Put("bmp.bmp", {'B', 'M', 0}), "bilden \xe4r skadad eller f\xf6r stor"},
      {Put("note.txt", {'h', 'e', 'j'}), "ok\xe4nt bildformat"},
  };
  for (const Case& c : cases) {
    std::string why;
    Bitmap out;
    EXPECT_FALSE(LoadPictureToBitmap(c.path, out, {}, &why)) << c.path;
    EXPECT_EQ(why, c.why) << c.path;
  }
}

TEST_F(PictureFiles, SaveWritesJpegOrBmpIntoNewFolders) {
  const Bitmap picture = test::Gradient(64, 48);
  const std::string jpg = folder_ + "Image/sub/12345.jpg";
  SavePictureFile(picture, jpg, 85);
  EXPECT_EQ(DetectPictureFormat(jpg), "jpg");
  const std::string bmp = folder_ + "Image/copy.dat";
  SavePictureFile(picture, bmp, 85);
  EXPECT_EQ(DetectPictureFormat(bmp), "bmp");
  Bitmap back;
  ASSERT_TRUE(LoadPictureToBitmap(jpg, back));
  EXPECT_TRUE(test::SamePixels(back, picture, 16));
}

TEST_F(PictureFiles, FailedSaveLeavesTheOldFileWhole) {
  const std::string path = Put("keep.jpg", jpeg_);
  EXPECT_THROW(SavePictureFile(Bitmap(), path, 80), std::runtime_error);
  EXPECT_EQ(test::FileBytes(path), jpeg_);
  const auto entries = std::distance(std::filesystem::directory_iterator(folder_),
                                     std::filesystem::directory_iterator());
  EXPECT_EQ(entries, 1) << "the temporary file is gone";
}

TEST_F(PictureFiles, AFileNamedLikeTheOldTemporaryIsLeftAlone) {
  const std::string path = folder_ + "1.jpg";
  Put("1.jpg.tmp", bmp_);
  SavePictureFile(test::Gradient(8, 8), path, 80);
  EXPECT_EQ(test::FileBytes(path + ".tmp"), bmp_);
  EXPECT_EQ(DetectPictureFormat(path), "jpg");
}

TEST(Colours, LuminanceGreyAndStandardIndex) {
  EXPECT_EQ(ColourLuminance(0xFF0000), 76);  // packed: red in bits 16-23
  EXPECT_EQ(ColourLuminance(0x00FF00), 149);
  EXPECT_EQ(ColourLuminance(0x0000FF), 28);
  EXPECT_EQ(ColourLuminance(0xFFFFFF), 255);
  EXPECT_TRUE(IsGreyColour(0x808080));
  EXPECT_FALSE(IsGreyColour(0x808081));
  EXPECT_EQ(GreyOfColour(0x0000FF), 0x4C4C4Cu);  // colour value: red in bits 0-7
  EXPECT_EQ(GreyOfColour(0x0A0A0A), 0x0A0A0Au);
  const std::vector<std::pair<ColourValue, int>> indexes = {
      {0x000000, 0}, {0x808080, 7}, {0x0000FF, 9}, {0xFF0000, 12}, {0xFFFFFF, 15},
      {0x123456, -1}, {0x01000000, -1}};
  for (const auto& [colour, index] : indexes) EXPECT_EQ(StandardColourIndex(colour), index) << colour;
}

TEST(ConvertToGreyScale, ColouredPixelsTakeTheirLuminance) {
  Bitmap b(3, 1);
  test::SetPixel(b, 0, 0, MakeColour(255, 0, 0));
  test::SetPixel(b, 1, 0, MakeColour(255, 255, 255));
  test::SetPixel(b, 2, 0, MakeColour(10, 10, 10));
  b.transparent = true;
  b.transparentColour = MakeColour(0, 0, 255);
  ConvertToGreyScale(b);
  EXPECT_EQ(PixelAt(b, 0, 0), MakeColour(76, 76, 76));
  EXPECT_EQ(PixelAt(b, 1, 0), MakeColour(255, 255, 255));
  EXPECT_EQ(PixelAt(b, 2, 0), MakeColour(10, 10, 10));
  EXPECT_EQ(b.transparentColour, MakeColour(28, 28, 28));
}

// Rows of a 1 x 10 picture that come out in the line colour.
std::vector<int> LineRows(ColourValue fill, int spacing) {
  Bitmap b = test::Filled(1, 10, fill);
  DrawLineScreen(b, 128, spacing, 0x000000);
  std::vector<int> rows;
  for (int y = 0; y < 10; ++y)
    if (PixelAt(b, 0, y) == 0) rows.push_back(y);
  EXPECT_TRUE(b.transparent);
  EXPECT_EQ(b.transparentColour, 0xFFFFFFu);
  return rows;
}

TEST(DrawLineScreen, LinesFollowSpacingAndDarkness) {
  EXPECT_EQ(LineRows(0xFFFFFF, 3), (std::vector<int>{2, 5, 8}));
  EXPECT_EQ(LineRows(0x000000, 3), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(LineRows(0xFFFFFF, 4), (std::vector<int>{3, 7}));
  EXPECT_EQ(LineRows(0xFFFFFF, 256 + 3), (std::vector<int>{2, 5, 8}));  // low 8 bits
  EXPECT_EQ(LineRows(0xFFFFFF, 1), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(LineRows(0xFFFFFF, 0), LineRows(0xFFFFFF, 1));
}

TEST(MakeColourTransparent, WholePictureTakesExactlyTheSimilarPixels) {
  Bitmap b(3, 1);
  test::SetPixel(b, 0, 0, 0x102030);
  test::SetPixel(b, 1, 0, 0x102031);
  test::SetPixel(b, 2, 0, 0x505050);
  Bitmap exact = b;
  ASSERT_TRUE(MakeColourTransparent(exact, 0x102030, 0, 0, 0, -1));
  EXPECT_EQ(PixelAt(exact, 1, 0), 0x102031u);
  EXPECT_EQ(exact.transparentColour, 0x102030u);
  ASSERT_TRUE(MakeColourTransparent(b, 0x102030, 1, 0, 0, -1));
  EXPECT_EQ(PixelAt(b, 1, 0), 0x102030u);
  EXPECT_EQ(PixelAt(b, 2, 0), 0x505050u);
}

// Key K; similar S; barrier X. Row: S S X K S. The seed at the left corner
// grows over the first two pixels only.
TEST(MakeColourTransparent, SeededRegionStopsAtOtherAreas) {
  const ColourValue K = 0x202020, S = 0x212121, X = 0xF0F0F0;
  Bitmap b(5, 1);
  const ColourValue row[5] = {S, S, X, K, S};
  for (int x = 0; x < 5; ++x) test::SetPixel(b, x, 0, row[x]);
  ASSERT_TRUE(MakeColourTransparent(b, K, 2, 0, 0, 0));
  const ColourValue expected[5] = {K, K, X, K, S};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(b, x, 0), expected[x]) << x;
}

TEST(MakeColourTransparent, LoneSeedIsNotSelected) {
  Bitmap b = test::Filled(3, 3, 0xFFFFFF);
  test::SetPixel(b, 1, 1, 0x010101);
  ASSERT_TRUE(MakeColourTransparent(b, 0x000000, 2, 0, 1, 1));
  EXPECT_EQ(PixelAt(b, 1, 1), 0x010101u);
}

TEST(MakeColourTransparent, SpreadWidensInAPlusShape) {
  Bitmap b = test::Filled(7, 5, 0xFFFFFF);
  test::SetPixel(b, 3, 2, 0x000001);
  test::SetPixel(b, 4, 2, 0x000001);
  ASSERT_TRUE(MakeColourTransparent(b, 0x000000, 1, 2, 2, 3));
  const char* expected[5] = {
      "...##..",
      "...##..",
      ".######",
      "...##..",
      "...##..",
  };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(PixelAt(b, x, y) == 0, expected[y][x] == '#') << x << "," << y;
}

TEST(MakeColourTransparent, HugeRegionAndOutsideSeedAreSafe) {
  Bitmap big = test::Filled(1500, 1500, 0x000000);
  EXPECT_TRUE(MakeColourTransparent(big, 0x000001, 1, 1, 700, 700));
  EXPECT_EQ(PixelAt(big, 1499, 1499), 0x000001u);
  Bitmap small = test::Filled(3, 3, 0x000000);
  EXPECT_TRUE(MakeColourTransparent(small, 0x000001, 1, 1, 5, 5));
  EXPECT_EQ(PixelAt(small, 2, 2), 0x000000u);
}

TEST(OptimiseBitmapPalette, KeepsSystemEntriesAndQuantisesTheRest) {
  std::vector<ColourValue> system(256, 0x123456);
  Bitmap b = test::ReadPpm(test::DataPath("pattern27.ppm"));
  OptimiseBitmapPalette(b, system);
  ASSERT_EQ(b.Palette().size(), 256u);
  EXPECT_EQ(b.Palette()[9], 0x123456u);
  EXPECT_EQ(b.Palette()[246], 0x123456u);
  EXPECT_EQ(b.Format(), PixelFormat::pf24bit);
  // 27 colours at 6 significant bits stay 27 distinct entries.
  std::vector<ColourValue> middle(b.Palette().begin() + 10, b.Palette().begin() + 37);
  std::sort(middle.begin(), middle.end());
  EXPECT_EQ(std::unique(middle.begin(), middle.end()) - middle.begin(), 27);
}

}  // namespace
}  // namespace vemra
