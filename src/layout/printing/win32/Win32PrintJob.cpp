#include "layout/printing/win32/Win32PrintJob.h"

#include "layout/render/LayoutRenderer.h"
#include "layout/render/win32/GdiRenderHooks.h"
#include "layout/printing/win32/ProgressWindow.h"

namespace vemra {

Win32PrintJob::Win32PrintJob(WinspoolPrinters& printers, FileSystem& files,
                             const RegionalFormats& regional, CardValues card,
                             PrintWindows windows)
    : printers_(printers),
      files_(files),
      regional_(regional),
      card_(std::move(card)),
      ownProgress_(!windows.showProgress),
      platform_(printers, files, regional, std::move(windows)),
      job_(platform_, card_.fields),
      metafileFallback_() {}

void Win32PrintJob::PrintLayout(const std::string& layout, int kind, int orientation,
                                double topOffset, double leftOffset, double scale) {
  RenderEnvironment env{card_.fields,      regional_,       files_,
                        job_.Pictures(),   card_.hostFolder, card_.photo,
                        card_.signature,   printers_.CurrentPrinterName()};
  BindWin32RenderHooks(env, &metafileFallback_);
  if (ownProgress_) env.progressStep = [] { StepProgress(); };
  env.processMessages = [this] { platform_.ProcessMessages(); };
  env.reportError = [this](const std::string& message) { platform_.ShowError(message); };
  LayoutRenderer renderer(env);
  struct DrawerScope {
    PrintJob& job;
    ~DrawerScope() { job.SetDrawer(nullptr); }
  } scope{job_};
  job_.SetDrawer(&renderer);
  // Only an explicit 2 uses up a card; anything else is looked at.
  job_.PrintLayout(layout, kind == 2 ? OutputKind::Printer : OutputKind::Preview, orientation,
                   topOffset, leftOffset, scale);
}

void Win32PrintJob::ShowPrinterReport(const std::string& printerName) {
  ::vemra::ShowPrinterReport(platform_, printerName);
}

}  // namespace vemra
