#pragma once
// Which printers take pictures as device-independent bits rather than as
// stretched device bitmaps. Drivers of these either print stretched bitmaps
// badly or not at all.
#include <functional>
#include <string_view>

#include "layout/render/Canvas.h"

namespace vemra {

using DeviceCapsReader = std::function<int(DeviceCap)>;

bool IsRasterPrinter(const DeviceCapsReader& caps, std::string_view printerName);
bool IsRasterPrinter(const Canvas& device, std::string_view printerName);

}  // namespace vemra
