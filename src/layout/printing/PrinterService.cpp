#include "layout/printing/PrinterService.h"

#include "base/Text.h"

namespace vemra {

int FindPrinterName(const std::vector<std::string>& installed, std::string_view name) {
  for (std::size_t i = 0; i < installed.size(); ++i)
    if (EqualsNoCaseAscii(installed[i], name)) return int(i);
  return -1;
}

}  // namespace vemra
