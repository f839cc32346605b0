#include <algorithm>
#include <set>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "layout/barcodes/BarcodeRaster.h"
#include "layout/RendererFixture.h"
#include "base/Cp1252.h"
#include "layout/barcodes/BarcodeDrawing.h"

namespace vemra {
namespace {

TEST(BarcodeSymbology, ChosenByNameInAnyCase) {
  struct Case {
    const char* btp;
    BarcodeSymbology symbology;
  } cases[] = {
      {"Code128", BarcodeSymbology::Code128}, {"CODE128", BarcodeSymbology::Code128},
      {"ean128", BarcodeSymbology::Ean128},   {"Interleaved2of5", BarcodeSymbology::Interleaved2of5},
      {"plessey", BarcodeSymbology::Plessey}, {"code39", BarcodeSymbology::Code39},
      {"qr", BarcodeSymbology::Code39},       {"", BarcodeSymbology::Code39},
  };
  for (const Case& c : cases) EXPECT_EQ(SymbologyOf(c.btp), c.symbology) << c.btp;
}

TEST(BarcodeText, CheckDigitsPaddingAndCapitals) {
  FieldList fields;
  fields.Add("nr", "7992739871");
  fields.Add("ean", "400638133393");
  fields.Add("mix", "12A");
  fields.Add("kort", "123");
  fields.Add("dash", "12-345");
  fields.Add("namn", Ansi("abö ÅÅÄÖÖ"));
  SwedishFormats formats;
  const PlesseyCheckCharsFn plugin = [](std::string_view) { return std::string("9F"); };
  const PlesseyCheckCharsFn none;
  struct Case {
    std::string keys;
    std::string text;
    const PlesseyCheckCharsFn* plessey = nullptr;
  } cases[] = {
      {"datnr\tchk1", "79927398713"},
      {"datean\tchk2", "4006381333931"},
      {"datmix\tchk1", "12A"},  // a letter gets no check digit
      {"datkort\tchk7", "1230"},
      {"datkort\tchk0", "123"},
      {"datkort\tchkx", "123"},
      {"datkort[DB]8", "00000123"},
      {"datkort[DB]8\tchk1", "00001230"},  // padded after the check digit
      {"datsaknas[DB]8", ""},
      {"datdash\tbtpinterleaved2of5", "12345"},
      {"datmix[DB]6\tbtpinterleaved2of5\tchk1", "000125"},
      {"datnamn\tbtpinterleaved2of5", ""},
      {"datnamn[DB]4\tbtpinterleaved2of5\tchk1", "0000"},  // no digits, still padded
      {"datnamn", Ansi("ABö AÅAOÖ")},  // only a-z, only the first Å, Ä, Ö
      {"dat!!special:ft\"ab\"!kd\"kort\"!", "AB123"},
      {"datkort\tbtpplessey\tchk1", "1239F", &plugin},
      {"datkort\tbtpplessey\tchk1", "123", &none},
      {"datkort\tbtpplessey\tchk2", "1236"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    EXPECT_EQ(BarcodeText("typbam\t" + c.keys, fields, formats, c.plessey ? *c.plessey : none),
              c.text);
  }
}

// Columns (0 and 180 degrees) or rows (90, 270) of the one-pixel lines.
std::vector<int> LinePositions(const RecordingCanvas& canvas) {
  std::vector<int> out;
  for (const auto& line : canvas.Of(CanvasCall::Line))
    out.push_back(line.x == line.x2 ? line.x : line.y);
  return out;
}

TEST(DrawBarcode, UnitSymbologiesDrawOnePixelLinesFromTheStandardsPatterns) {
  // One character: 29 + 116 = 145 units, so a 145-pixel length makes a unit
  // one pixel. "*" starts narrow bar, wide space, narrow bar, narrow space,
  // wide bar, narrow space, wide bar.
  const std::vector<int> star = {29, 30, 36, 37, 40, 41, 42, 43, 44, 47, 48, 49, 50, 51, 54, 55};
  struct Case {
    int angle;
    int left, top, width, height;
  } cases[] = {
      {0, 100, 50, 145, 30}, {90, 100, 50, 30, 145}, {180, 100, 50, 145, 30}, {270, 100, 50, 30, 145},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    RecordingCanvas canvas;
    DrawBarcode("1", BarcodeSymbology::Code39, canvas, c.left, c.top, c.width, c.height, c.angle);
    const bool across = c.angle == 90 || c.angle == 270;
    const int base = across ? c.top : c.left;
    // A reversed symbol is the mirror image within its 145 pixels.
    std::vector<int> drawn = LinePositions(canvas);
    for (int& v : drawn) v = c.angle >= 180 ? base + 144 - v : v - base;
    std::sort(drawn.begin(), drawn.end());
    drawn.resize(star.size());
    EXPECT_EQ(drawn, star);
    for (const auto& line : canvas.Of(CanvasCall::Line)) {
      EXPECT_EQ(across ? line.x2 - line.x : line.y2 - line.y, 30) << "bars span the box";
      EXPECT_EQ(line.pen, (PenSpec{PenStyle::Solid, 0, 1}));
    }
  }
}

TEST(DrawBarcode, NinetyDegreesStacksBarsFromTheTop) {
  RecordingCanvas canvas;
  DrawBarcode("12", BarcodeSymbology::Code39, canvas, 10, 40, 20, 100, 90);
  const auto lines = canvas.Of(CanvasCall::Line);
  ASSERT_FALSE(lines.empty());
  // 29 x 2 + 116 = 174 units in 100 pixels; the first bar 29 units down.
  EXPECT_EQ(lines.front().y, 40 + RoundHalfEven(29 * 100.0 / 174));
  int previous = 0;
  for (const auto& line : lines) {
    EXPECT_EQ(line.x, 10);
    EXPECT_EQ(line.x2, 30);
    EXPECT_EQ(line.y, line.y2);
    EXPECT_GT(line.y, previous);
    previous = line.y;
  }
}

TEST(DrawBarcode, Code128FillsBarsOfWholeModules) {
  // "12345": 11 x 5 + 22 = 77 modules in 154 pixels, two pixels each;
  // Start C is 2 1 1 2 3 2 from module 11.
  RecordingCanvas forward, backward;
  forward.SetPen({PenStyle::Clear, 77, 4});
  forward.SetBrush({BrushStyle::DiagonalHatch, 99});
  DrawBarcode("12345", BarcodeSymbology::Code128, forward, 100, 10, 154, 40, 0);
  DrawBarcode("12345", BarcodeSymbology::Code128, backward, 100, 10, 154, 40, 180);
  const auto bars = forward.Of(CanvasCall::FillRect);
  ASSERT_GE(bars.size(), 3u);
  EXPECT_EQ(bars[0].box, (PixelRect{122, 10, 126, 50}));
  EXPECT_EQ(bars[1].box, (PixelRect{128, 10, 130, 50}));
  EXPECT_EQ(bars[2].box, (PixelRect{134, 10, 140, 50}));
  EXPECT_EQ(bars[0].colour, 0u);
  EXPECT_TRUE(forward.Of(CanvasCall::Line).empty());
  // Pen and brush come back.
  EXPECT_EQ(forward.Pen(), (PenSpec{PenStyle::Clear, 77, 4}));
  EXPECT_EQ(forward.Brush(), (BrushSpec{BrushStyle::DiagonalHatch, 99}));
  // At 180 degrees the same bars run from the right.
  const auto mirrored = backward.Of(CanvasCall::FillRect);
  ASSERT_EQ(mirrored.size(), bars.size());
  for (std::size_t i = 0; i < bars.size(); ++i)
    EXPECT_EQ(mirrored[i].box,
              (PixelRect{100 + 254 - bars[i].box.right, 10, 100 + 254 - bars[i].box.left, 50}));
}

using BarcodeRenderer = RendererTest;

TEST_F(BarcodeRenderer, RecordsChooseTheirSymbologyAndData) {
  fields.Add("nr", "12-345");
  fields.Add("t", "AB12");
  const auto draw = [&](const std::string& keys) {
    Begin(kTenPerMm);
    Draw(Card({"typbam\tlft1\ttop1\twid40\thei10\t" + keys}));
    return output->Calls();
  };
  const auto sameCalls = [](const std::vector<CanvasCall>& a, const std::vector<CanvasCall>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i].kind != b[i].kind || a[i].box != b[i].box || a[i].x != b[i].x || a[i].y != b[i].y)
        return false;
    return true;
  };

  RecordingCanvas direct;
  DrawBarcode("012345", BarcodeSymbology::Interleaved2of5, direct, 10, 10, 400, 100, 0);
  EXPECT_TRUE(sameCalls(draw("datnr\tbtpinterleaved2of5"), direct.Calls()));

  EXPECT_TRUE(sameCalls(draw("datt\tbtpunknown"), draw("datt")));
  RecordingCanvas code39;
  DrawBarcode("AB12", BarcodeSymbology::Code39, code39, 10, 10, 400, 100, 0);
  EXPECT_TRUE(sameCalls(draw("datt"), code39.Calls()));

  const auto code128 = draw("datt\tbtpCode128");
  EXPECT_TRUE(std::all_of(code128.begin(), code128.end(),
                          [](const CanvasCall& c) { return c.kind == CanvasCall::FillRect; }));
  EXPECT_FALSE(code128.empty());

  EXPECT_TRUE(draw("datsaknas").empty());
}

TEST_F(BarcodeRenderer, AngleAddsTheCardsTurnModuloAFullTurn) {
  fields.Add("t", "AB");
  // On a card at 180 a barcode of 270 runs as one of 90: top to bottom.
  Begin(kTenPerMm);
  Draw(Card({"typbam\tlft1\ttop1\twid2\thei10\tang270\tdatt"}), 180);
  const auto lines = output->Of(CanvasCall::Line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().y, lines.front().y2);
  EXPECT_LT(lines.front().y, lines.back().y);
}

// What the renderer draws, at every angle, is read back by an independent
// decoder: unit widths, margins and orientation at once.
TEST_F(BarcodeRenderer, DrawnRecordsReadBack) {
  if (!test::HaveZbarimg()) GTEST_SKIP() << "zbarimg not installed";
  fields.Add("nr", "1234567");
  fields.Add("id", "Vemra-42");
  struct Case {
    const char* keys;
    const char* decoded;
  } cases[] = {
      {"datid", "VEMRA-42"},
      {"datnr\tbtpinterleaved2of5\tchk1", "12345674"},
      {"datid\tbtpcode128", "VEMRA-42"},
      {"datnr\tbtpean128", "1234567"},
  };
  const auto path = std::filesystem::temp_directory_path() /
                    ("vemra-render-" + std::to_string(::getpid()) + ".pgm");
  for (const Case& c : cases) {
    for (const char* ang : {"0", "90", "180", "270"}) {
      SCOPED_TRACE(std::string(c.keys) + " at " + ang);
      Begin(300);
      const bool across = ang[0] == '9' || ang[0] == '2';
      // Long Code 128 texts run past the box's far edge: room on all sides.
      Draw(Card({std::string("typbam\tlft30\ttop30\t") + (across ? "wid12\thei40" : "wid40\thei12") +
                 "\tang" + ang + "\t" + c.keys}));
      const Bitmap& pixels = output->Pixels();
      {
        std::ofstream out(path, std::ios::binary);
        out << "P5\n" << pixels.Width() << " " << pixels.Height() << "\n255\n";
        for (int y = 0; y < pixels.Height(); ++y)
          for (int x = 0; x < pixels.Width(); ++x) out.put(char(pixels.Row(y)[3 * x + 1]));
      }
      EXPECT_EQ(test::DecodeWithZbar(path.string()).value_or("<nothing>"), c.decoded);
    }
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace vemra
