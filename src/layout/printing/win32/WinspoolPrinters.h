#pragma once
// Installed printers through winspool. The current printer starts as the
// system's default; its device settings (DEVMODE) are read from the driver
// when first needed and dropped by RefreshPrinter.
#include <windows.h>

#include <memory>
#include <vector>

#include "layout/printing/PrintPlatform.h"
#include "layout/printing/PrinterService.h"

namespace vemra {

class WinspoolPrinters final : public PrinterService {
 public:
  WinspoolPrinters();

  std::vector<std::string> ListPrinterNames() const override;
  std::string CurrentPrinterName() const override;
  bool SelectPrinter(const std::string& name) override;
  void RefreshPrinter() override;

  // Changes the settings used by the device contexts made afterwards.
  void SetOrientation(PageOrientation orientation);
  // A device context (or, with `informationOnly`, an information context)
  // of the current printer with its settings; null when there is none.
  // The caller deletes it with DeleteDC.
  HDC CreatePrinterDc(bool informationOnly = false);

 private:
  DEVMODEW* Settings();

  std::string current_;
  std::vector<BYTE> settings_;  // a DEVMODEW with its driver part; empty: not read
};

std::unique_ptr<WinspoolPrinters> MakeWinspoolPrinters();

}  // namespace vemra
