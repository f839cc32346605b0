#include "layout/printing/PrinterReport.h"

#include <gtest/gtest.h>

#include <map>

#include "base/Cp1252.h"
#include "layout/printing/PrinterService.h"

namespace vemra {
namespace {

using Caps = std::map<DeviceCap, int>;

DeviceCapsReader Reader(const Caps& caps) {
  return [caps](DeviceCap cap) {
    auto found = caps.find(cap);
    return found == caps.end() ? 0 : found->second;
  };
}

// CardPDF under Wine: 300 dpi A4, no raster hints in its caps.
const Caps kCardPdf = {
    {DeviceCap::LogPixelsX, 300},     {DeviceCap::LogPixelsY, 300},
    {DeviceCap::BitsPixel, 32},       {DeviceCap::NumColors, -1},
    {DeviceCap::PhysicalWidth, 2479}, {DeviceCap::PhysicalHeight, 3508},
    {DeviceCap::PhysicalOffsetX, 50}, {DeviceCap::PhysicalOffsetY, 51},
    {DeviceCap::HorzRes, 2379},       {DeviceCap::VertRes, 3406},
};

TEST(PrinterReport, TextLineByLine) {
  const std::string expected =
      "CardPDF\r\n\r\n"
      "Upplösning X:   \t300 dpi\r\n"
      "Upplösning Y:   \t300 dpi\r\n"
      "\r\n"
      "Bitar/pixel:    \t32\r\n"
      "Antal färger:   \t-1\r\n"
      "Rasterskrivare: \t1\r\n"
      "\r\n"
      "Pappersbredd:  \t209,89 mm\r\n"
      "Pappershöjd:    \t297,01 mm\r\n"
      "Marginal X:     \t4,23 mm\r\n"
      "Marginal Y:     \t4,32 mm\r\n"
      "Skrivbar bredd: \t201,42 mm\r\n"
      "Skrivbar höjd:  \t288,37 mm\r\n";
  EXPECT_EQ(PrinterReportText("CardPDF", Reader(kCardPdf), ','), Ansi(expected));
}

TEST(PrinterReport, RasterLineAndMissingResolution) {
  const std::string report = PrinterReportText("Kortskrivare", Reader(kCardPdf), ',');
  EXPECT_NE(report.find("Rasterskrivare: \t0\r\n"), std::string::npos);
  // A printer that reports nothing gives zeros, not a division by zero.
  const std::string empty = PrinterReportText("", Reader({}), '.');
  EXPECT_NE(empty.find("Marginal X:     \t0.00 mm\r\n"), std::string::npos);
}

TEST(IsRasterPrinter, EachRuleOnItsOwn) {
  const Caps plain = {{DeviceCap::LogPixelsX, 300}, {DeviceCap::LogPixelsY, 300},
                      {DeviceCap::BitsPixel, 32},   {DeviceCap::NumColors, -1},
                      {DeviceCap::PhysicalWidth, 1000}, {DeviceCap::PhysicalHeight, 600}};
  auto with = [&](std::initializer_list<std::pair<const DeviceCap, int>> changes) {
    Caps caps = plain;
    for (const auto& [cap, value] : changes) caps[cap] = value;
    return caps;
  };
  struct Case { Caps caps; std::string name; bool raster; } cases[] = {
      {plain, "Kortskrivare", false},
      {with({{DeviceCap::BitsPixel, 1}}), "Kortskrivare", true},
      {with({{DeviceCap::LogPixelsX, 600}, {DeviceCap::LogPixelsY, 600}}), "Kortskrivare", true},
      {with({{DeviceCap::LogPixelsX, 600}}), "Kortskrivare", false},
      {with({{DeviceCap::LogPixelsX, 96}, {DeviceCap::LogPixelsY, 96}}), "Kortskrivare", true},
      {with({{DeviceCap::LogPixelsX, 96}, {DeviceCap::LogPixelsY, 96},
             {DeviceCap::PhysicalHeight, 0}}), "Kortskrivare", false},
      {plain, "Adobe Acrobat PDF Writer", true},
      {plain, "CardPDF", true},
      {plain, "Kontor.pDf", true},
      {plain, "PDF kontor", false},
      {plain, "Rimage Everest II Printer", true},
      {plain, "Rimage Everest III", true},  // contains the model name
      {with({{DeviceCap::NumColors, 16777216}, {DeviceCap::BitsPixel, 24}}), "Kortskrivare", true},
      {with({{DeviceCap::NumColors, 16777216}}), "Kortskrivare", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsRasterPrinter(Reader(c.caps), c.name), c.raster) << c.name;
}

TEST(FindPrinterName, FoldsOnlyAsciiLetters) {
  const std::vector<std::string> installed = {"Kortskrivare", "CardPDF", "Skrivare \xc5", "cardpdf"};
  struct Case { std::string name; int index; } cases[] = {
      {"CardPDF", 1}, {"CARDPDF", 1}, {"kortskrivare", 0},
      {"Skrivare \xc5", 2}, {"skrivare \xe5", -1}, {"Card", -1}, {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindPrinterName(installed, c.name), c.index) << c.name;
}

}  // namespace
}  // namespace vemra
