#pragma once
// The print job as the DLL runs it: the job state kept between calls, and
// per call a renderer bound to GDI over the library's card values.
#include <string>

#include "imaging/Picture.h"
#include "layout/printing/PrintJob.h"
#include "layout/render/win32/TempFileMetafileFallback.h"
#include "layout/printing/win32/Win32PrintPlatform.h"

namespace vemra {

struct CardValues {
  FieldList& fields;
  const Picture* photo = nullptr;
  const Picture* signature = nullptr;
  std::string hostFolder;  // with its trailing "\"
};

class Win32PrintJob {
 public:
  // Everything given must outlive the job.
  Win32PrintJob(WinspoolPrinters& printers, FileSystem& files, const RegionalFormats& regional,
                CardValues card, PrintWindows windows = {});

  // As PrintJob::PrintLayout; `kind` 2 prints, any other previews. Drawing failures
  // propagate after the printer document has been dropped.
  void PrintLayout(const std::string& layout, int kind, int orientation, double topOffset,
                   double leftOffset, double scale);
  void ShowPrinterReport(const std::string& printerName);

  PrintJob& Job() { return job_; }
  Win32PrintPlatform& Platform() { return platform_; }

 private:
  WinspoolPrinters& printers_;
  FileSystem& files_;
  const RegionalFormats& regional_;
  CardValues card_;
  bool ownProgress_;
  Win32PrintPlatform platform_;
  PrintJob job_;
  TempFileMetafileFallback metafileFallback_;
};

}  // namespace vemra
