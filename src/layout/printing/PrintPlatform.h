#pragma once
// What the print job needs from the platform: the printer and its
// documents, a picture to preview into, the progress and preview windows,
// message boxes and the message pump. Texts are Windows-1252.
#include <memory>
#include <string>

#include "base/FileSystem.h"
#include "imaging/Bitmap.h"
#include "layout/render/Canvas.h"
#include "layout/printing/PrinterService.h"
#include "layout/printing/RasterPrinter.h"

namespace vemra {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// One document on the current printer, open from BeginDocument until End or
// Abort. Destroying an open document aborts it, so that a failure never
// leaves half a card in the spooler.
class PrinterDocument {
 public:
  virtual ~PrinterDocument() = default;
  // The page being drawn; a new canvas state after NewPage is not promised.
  virtual Canvas& Page() = 0;
  virtual void NewPage() = 0;
  // Ends the document and hands it to the spooler.
  virtual void End() = 0;
  // Drops the document; nothing is printed.
  virtual void Abort() = 0;
};

// A white 24-bit picture with a canvas over it.
class PictureSurface {
 public:
  virtual ~PictureSurface() = default;
  virtual Canvas& Output() = 0;
  // The picture as drawn so far.
  virtual Bitmap Picture() = 0;
};

class PrintPlatform {
 public:
  virtual ~PrintPlatform() = default;

  virtual PrinterService& Printers() = 0;
  virtual FileSystem& Files() = 0;
  // For the documents begun after it, on the current printer.
  virtual void SetOrientation(PageOrientation orientation) = 0;
  // Throws std::runtime_error when the printer cannot start a document.
  virtual std::unique_ptr<PrinterDocument> BeginDocument(const std::string& title) = 0;
  // The current printer's device capabilities (zeros when there is none).
  virtual DeviceCapsReader PrinterCaps() = 0;
  virtual std::unique_ptr<PictureSurface> MakePictureSurface(int width, int height) = 0;

  // The file's modification time as text; empty when it has none.
  virtual std::string ModificationTime(const std::string& path) = 0;
  virtual char DecimalSeparator() = 0;

  // Lets pending window messages run, so that windows repaint.
  virtual void ProcessMessages() = 0;
  // An information message box with one OK button.
  virtual void ShowInformation(const std::string& text) = 0;
  // An error message box with one OK button.
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowProgress(const std::string& title, int maximum) = 0;
  virtual void CloseProgress() = 0;
  // The preview window without its print and next-page buttons.
  virtual void ShowPreview(const Bitmap& picture) = 0;
};

}  // namespace vemra
