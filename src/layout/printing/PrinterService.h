#pragma once
// The printers as the library sees them. The library keeps its own current
// printer, which starts as the system's default printer.
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // Every installed printer, in the system's order.
  virtual std::vector<std::string> ListPrinterNames() const = 0;
  // Empty when no printer is installed or the current one has gone.
  virtual std::string CurrentPrinterName() const = 0;
  // An empty name selects the system's default printer and is true.
  // Otherwise the first installed printer whose name matches (A-Z folded)
  // becomes current and its settings are refreshed; false, keeping the
  // current printer, when none matches.
  virtual bool SelectPrinter(const std::string& name) = 0;
  // Drops the current printer's device settings so that the next document
  // starts from the driver's defaults. Errors are ignored.
  virtual void RefreshPrinter() {}
};

// Index of the first of `installed` equal to `name` with only A-Z folded
// (so "SKRIVARE Ö" does not match "skrivare ö"), or -1.
int FindPrinterName(const std::vector<std::string>& installed, std::string_view name);

}  // namespace vemra
