#pragma once
// The printers as the library sees them. The library keeps its own current
// printer, which starts as the system's default printer.
#include <string>
#include <vector>

namespace vemra {

class PrinterService {
 public:
  virtual ~PrinterService() = default;
  virtual std::vector<std::string> ListPrinterNames() const = 0;
  // Empty when no printer is installed.
  virtual std::string CurrentPrinterName() const = 0;
  // False, keeping the current printer, when no installed printer has the name.
  virtual bool SelectPrinter(const std::string& name) = 0;
};

}  // namespace vemra
