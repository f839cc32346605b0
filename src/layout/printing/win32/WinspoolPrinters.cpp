#include "layout/printing/win32/WinspoolPrinters.h"

#include <winspool.h>

#include <algorithm>

#include "base/win32/SystemLibraries.h"
#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

std::string DefaultPrinterName() {
  DWORD size = 0;
  sys::GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return "";
  std::string name(size, '\0');
  if (!sys::GetDefaultPrinterA(name.data(), &size)) return "";
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  return name;
}

// The driver's default settings of a printer; empty when it gives none.
std::vector<BYTE> DriverDefaults(const std::string& name) {
  std::vector<BYTE> settings;
  if (name.empty()) return settings;
  std::wstring wide = Wide(name);
  HANDLE printer = nullptr;
  if (!sys::OpenPrinterW(wide.data(), &printer, nullptr)) return settings;
  LONG size = sys::DocumentPropertiesW(nullptr, printer, wide.data(), nullptr, nullptr, 0);
  if (size >= LONG(sizeof(DEVMODEW))) {
    settings.resize(std::size_t(size));
    auto* devmode = reinterpret_cast<DEVMODEW*>(settings.data());
    if (sys::DocumentPropertiesW(nullptr, printer, wide.data(), devmode, nullptr, DM_OUT_BUFFER) != IDOK)
      settings.clear();
  }
  sys::ClosePrinter(printer);
  return settings;
}

}  // namespace

WinspoolPrinters::WinspoolPrinters() : current_(DefaultPrinterName()) {}

std::vector<std::string> WinspoolPrinters::ListPrinterNames() const {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  sys::EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<std::string> names;
  if (needed == 0) return names;
  std::vector<BYTE> buffer(needed);
  if (!sys::EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
  auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (info[i].pPrinterName) names.emplace_back(info[i].pPrinterName);
  return names;
}

std::string WinspoolPrinters::CurrentPrinterName() const {
  if (current_.empty()) return current_;
  // A printer removed since it was chosen is no current printer.
  const auto names = ListPrinterNames();
  return std::find(names.begin(), names.end(), current_) != names.end() ? current_ : "";
}

bool WinspoolPrinters::SelectPrinter(const std::string& name) {
  if (name.empty()) {
    current_ = DefaultPrinterName();
    settings_.clear();
    return true;
  }
  const auto names = ListPrinterNames();
  const int index = FindPrinterName(names, name);
  if (index < 0) return false;
  current_ = names[std::size_t(index)];
  RefreshPrinter();
  return true;
}

void WinspoolPrinters::RefreshPrinter() { settings_.clear(); }

DEVMODEW* WinspoolPrinters::Settings() {
  if (settings_.empty()) settings_ = DriverDefaults(current_);
  return settings_.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(settings_.data());
}

void WinspoolPrinters::SetOrientation(PageOrientation orientation) {
  DEVMODEW* devmode = Settings();
  if (!devmode) return;
  devmode->dmOrientation =
      orientation == PageOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  devmode->dmFields |= DM_ORIENTATION;
}

HDC WinspoolPrinters::CreatePrinterDc(bool informationOnly) {
  if (current_.empty()) return nullptr;
  const std::wstring name = Wide(current_);
  const DEVMODEW* devmode = Settings();
  return informationOnly ? CreateICW(L"WINSPOOL", name.c_str(), nullptr, devmode)
                         : CreateDCW(L"WINSPOOL", name.c_str(), nullptr, devmode);
}

std::unique_ptr<WinspoolPrinters> MakeWinspoolPrinters() {
  return std::make_unique<WinspoolPrinters>();
}

}  // namespace vemra
