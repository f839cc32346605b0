#include "layout/printing/RasterPrinter.h"

#include <string>

#include "base/Text.h"

namespace vemra {

bool IsRasterPrinter(const DeviceCapsReader& caps, std::string_view printerName) {
  const int bits = caps(DeviceCap::BitsPixel);
  const int dpiX = caps(DeviceCap::LogPixelsX), dpiY = caps(DeviceCap::LogPixelsY);
  if (bits == 1) return true;
  if (dpiX == 600 && dpiY == 600) return true;
  if (dpiX == 96 && dpiY == 96 && caps(DeviceCap::PhysicalWidth) > 0 &&
      caps(DeviceCap::PhysicalHeight) > 0)
    return true;
  const std::string name = LowerAscii(printerName);
  if (name.find("acrobat pdf") != std::string::npos) return true;
  if (EndsWith(name, "pdf")) return true;
  if (name.find("rimage everest ii") != std::string::npos) return true;
  return caps(DeviceCap::NumColors) == 16777216 && bits == 24;
}

bool IsRasterPrinter(const Canvas& device, std::string_view printerName) {
  return IsRasterPrinter([&device](DeviceCap cap) { return device.DeviceCaps(cap); },
                         printerName);
}

}  // namespace vemra
