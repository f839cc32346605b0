#include "layout/printing/PrinterReport.h"

#include <cstdio>

#include "base/Cp1252.h"

namespace vemra {

std::string FormatTwoDecimals(double value, char decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  if (text == "-0.00") text = "0.00";
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

std::string PrinterReportText(const std::string& printerName, const DeviceCapsReader& caps,
                              char decimalSeparator) {
  const int dpiX = caps(DeviceCap::LogPixelsX), dpiY = caps(DeviceCap::LogPixelsY);
  // A printer that reports no resolution (a vanished queue) shows zeros
  // rather than dividing by zero.
  auto mm = [&](DeviceCap cap, int dpi) {
    const double value = dpi > 0 ? caps(cap) / (dpi / 25.4) : 0.0;
    return FormatTwoDecimals(value, decimalSeparator) + " mm";
  };
  auto line = [](const char* label, const std::string& value) {
    return Ansi(label) + "\t" + value + "\r\n";
  };
  std::string text = printerName + "\r\n\r\n";
  text += line("Upplösning X:   ", std::to_string(dpiX) + " dpi");
  text += line("Upplösning Y:   ", std::to_string(dpiY) + " dpi");
  text += "\r\n";
  text += line("Bitar/pixel:    ", std::to_string(caps(DeviceCap::BitsPixel)));
  text += line("Antal färger:   ", std::to_string(caps(DeviceCap::NumColors)));
  text += line("Rasterskrivare: ", IsRasterPrinter(caps, printerName) ? "1" : "0");
  text += "\r\n";
  text += line("Pappersbredd:  ", mm(DeviceCap::PhysicalWidth, dpiX));
  text += line("Pappershöjd:    ", mm(DeviceCap::PhysicalHeight, dpiY));
  text += line("Marginal X:     ", mm(DeviceCap::PhysicalOffsetX, dpiX));
  text += line("Marginal Y:     ", mm(DeviceCap::PhysicalOffsetY, dpiY));
  text += line("Skrivbar bredd: ", mm(DeviceCap::HorzRes, dpiX));
  text += line("Skrivbar höjd:  ", mm(DeviceCap::VertRes, dpiY));
  return text;
}

}  // namespace vemra
