#pragma once
// A renderer over recording canvases, with the card's fields, pictures and
// files of a test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordingCanvas.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/render/PixelRounding.h"

namespace vemra {

// 254 dpi makes one millimetre exactly ten pixels.
constexpr int kTenPerMm = 254;

// A 24-bit picture of one colour.
inline Bitmap FilledBitmap(int width, int height, ColourValue colour) {
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bitmap.Row(y) + 3 * x;
      p[0] = std::uint8_t(BlueOf(colour)), p[1] = std::uint8_t(GreenOf(colour));
      p[2] = std::uint8_t(RedOf(colour));
    }
  return bitmap;
}

class RendererTest : public ::testing::Test {
 protected:
  // A card of 85.6 x 54 mm as the first record, then `records`.
  static LayoutList Card(std::initializer_list<std::string> records,
                         std::string card = "typcsz\twid85,6\thei54") {
    LayoutList list{std::move(card)};
    list.insert(list.end(), records);
    return list;
  }

  void Begin(int dpi, OutputKind kind = OutputKind::Preview, double scale = 1.0) {
    output = std::make_unique<RecordingCanvas>(dpi);
    shadows.dpi = dpi;
    renderer.BeginJob(*output, kind, scale);
  }

  void Draw(const LayoutList& list, int cardAngle = 0, double x = 0, double y = 0) {
    renderer.DrawLayoutList(list, cardAngle, x, y);
  }

  std::vector<CanvasCall> Texts() const { return output->Of(CanvasCall::Text); }

  SwedishFormats formats;
  FieldList fields;
  PictureStore store;
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  Picture photo, signature;
  RecordingCanvasFactory shadows;
  int progressSteps = 0;
  std::vector<std::string> errors;
  RenderEnvironment env{.fields = fields,
                        .formats = formats,
                        .files = *files,
                        .store = store,
                        .hostFolder = "/tmp/",
                        .photo = &photo,
                        .signature = &signature,
                        .printerName = "Card Printer",
                        .makeBitmapCanvas = shadows.Bind()};
  LayoutRenderer renderer{env};
  std::unique_ptr<RecordingCanvas> output;

  void SetUp() override {
    env.progressStep = [this] { ++progressSteps; };
    env.reportError = [this](const std::string& m) { errors.push_back(m); };
  }
};

}  // namespace vemra
