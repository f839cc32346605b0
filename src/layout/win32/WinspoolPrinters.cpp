#include "layout/win32/WinspoolPrinters.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>

namespace vemra {
namespace {

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return "";
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return "";
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  return name;
}

class WinspoolPrinters final : public PrinterService {
 public:
  WinspoolPrinters() : current_(DefaultPrinterName()) {}

  std::vector<std::string> ListPrinterNames() const override {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<std::string> names;
    if (needed == 0) return names;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
    auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      if (info[i].pPrinterName) names.emplace_back(info[i].pPrinterName);
    return names;
  }

  std::string CurrentPrinterName() const override { return current_; }

  bool SelectPrinter(const std::string& name) override {
    auto names = ListPrinterNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) return false;
    current_ = name;
    return true;
  }

 private:
  std::string current_;
};

}  // namespace

std::unique_ptr<PrinterService> MakeWinspoolPrinters() {
  return std::make_unique<WinspoolPrinters>();
}

}  // namespace vemra
