#pragma once
#include <memory>

#include "layout/PrinterService.h"

namespace vemra {

// Installed printers through winspool; the current printer starts as the
// system's default printer.
std::unique_ptr<PrinterService> MakeWinspoolPrinters();

}  // namespace vemra
