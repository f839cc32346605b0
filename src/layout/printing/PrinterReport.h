#pragma once
// The printer information report: resolution, colours and paper geometry
// of the current printer, for support staff setting up margins.
#include <string>

#include "layout/printing/RasterPrinter.h"

namespace vemra {

// "0.00" with the given decimal separator.
std::string FormatTwoDecimals(double value, char decimalSeparator);

// The report as one Windows-1252 text, every line ending in CR LF.
std::string PrinterReportText(const std::string& printerName, const DeviceCapsReader& caps,
                              char decimalSeparator);

}  // namespace vemra
