#pragma once
// The card both timing programs print: 85.6 x 54 mm with the holder's
// photo, eight texts, a barcode-sized shape and a Code 128 barcode on it.
// Shared so that native and Windows figures are of the same work.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Record.h"
#include "imaging/PictureCodecs.h"
#include "layout/fields/FieldValues.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "layout/file/LayoutFile.h"
#include "layout/render/RenderEnvironment.h"
#include <memory>

namespace vemra::bench {

// The card at 300 dpi, as LayoutRenderer rounds it.
constexpr int kCardWidth300 = 1011;
constexpr int kCardHeight300 = 638;
// The photo's box in millimetres, for checking that it was drawn.
constexpr double kPhotoLeftMm = 3, kPhotoTopMm = 12, kPhotoWidthMm = 24, kPhotoHeightMm = 32;

inline LayoutList CardLayout() {
  using samples::Record;
  const std::string blue = samples::Colour(0, 51, 153);
  auto text = [](const char* type, const char* dat, const char* left, const char* top,
                 const char* size, const char* style) {
    return Record(type).Box(left, top, "50", size).Add("dat", dat).Add("fnm", "Arial")
        .Add("fsz", size).Add("fst", style).Add("col", "0");
  };
  const std::vector<Record> records{
      Record("csz").Add("wid", "85,6").Add("hei", "54"),
      Record("pho").Box("3", "12", "24", "32").Add("pos", "Center"),
      text("ftx", "PARKERINGSTILLSTÅND", "30", "2", "4", "1"),
      text("ftx", "Namn", "30", "10", "2", "0"),
      text("dtx", "fnamnenamn", "30", "12,5", "3,6", "1"),
      text("ftx", "Tillstånd nr", "30", "17,5", "2", "0"),
      text("dtx", "tillstnr", "30", "20", "3,2", "0"),
      text("ftx", "Giltigt t.o.m.", "30", "25", "2", "0"),
      text("dtx", "giltigttom", "30", "27,5", "3,2", "1"),
      text("dtx", "kommunnamn", "3", "47", "2,6", "0"),
      Record("shp").Box("30", "38", "52", "12").Add("knd", "0").Add("bcl", "16777215")
          .Add("pcl", blue).Add("psz", "0,3"),
      Record("bam").Box("32", "39", "48", "10").Add("btp", "code128").Add("dat", "streckkod")
          .Add("chk", "1"),
  };
  LayoutList list;
  for (const auto& r : records) list.push_back(r.Line());
  return list;
}

// Field values arrive in Windows-1252, as the host passes them.
inline void FillCardFields(FieldList& fields) {
  fields.Add("fnamnenamn", Ansi("Anna-Karin Öberg"));
  fields.Add("tillstnr", "2026-004711");
  fields.Add("giltigttom", "2029-12-31");
  fields.Add("kommunnamn", "Exempels kommun");
  fields.Add("streckkod", "20260047115");
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The sample portrait (512 x 512), decoded as the host hands it over.
inline Bitmap Portrait(const std::string& samplesFolder) {
  const auto bytes = ReadFileBytes(samplesFolder + "/portrait.jpg");
  Bitmap photo;
  if (!DecodeJpeg(bytes.data(), bytes.size(), photo)) throw std::runtime_error("portrait.jpg");
  return photo;
}

// Pixels of the box that are not white: a check that the photo reached
// the card, so that a timing of nothing drawn is not mistaken for a fast one.
inline int InkedPixels(const Bitmap& card, int left, int top, int width, int height) {
  int inked = 0;
  for (int y = top; y < top + height && y < card.Height(); ++y)
    for (int x = left; x < left + width && x < card.Width(); ++x) {
      const std::uint8_t* p = card.Row(y) + 3 * x;
      if (p[0] != 0xFF || p[1] != 0xFF || p[2] != 0xFF) ++inked;
    }
  return inked;
}

// What the print job gives the renderer, with the portrait as the photo;
// each program binds the environment's canvas hooks to its platform.
struct CardJob {
  explicit CardJob(const std::string& hostFolder) {
    FillCardFields(fields);
    photo.SetBitmap(Portrait(VEMRA_SAMPLES));
    env.hostFolder = hostFolder;
  }
  SwedishFormats formats;
  FieldList fields;
  PictureStore store;
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  Picture photo;
  Picture signature;
  RenderEnvironment env{.fields = fields,
                        .formats = formats,
                        .files = *files,
                        .store = store,
                        .photo = &photo,
                        .signature = &signature,
                        .printerName = "Card Printer"};
  LayoutList card = CardLayout();
};

}  // namespace vemra::bench
