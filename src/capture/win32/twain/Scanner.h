#pragma once
// The scanner as the rest of the library uses it: one connection for the
// process, the capture dialog's scan, the settings dialog's choice of
// source, and the shut-down after a capture. None of these throws.
#include "capture/scanner/ScanMessages.h"
#include "capture/scanner/TwainConnection.h"
#include "imaging/Bitmap.h"

namespace vemra {

TwainConnection& ScannerConnection();

// Opens the default source unless one is open; the capture dialog calls
// it before it shows itself for a scanner capture. Returns the result.
int PrepareScanner() noexcept;

// One scan: opens the source when needed, acquires with or without the
// scanner's own window, lets pending messages run and closes the whole
// connection. Returns 0 with the picture (24 bits) in `out`, or 0 with
// `out` empty when the scanner delivered nothing, kScanNoSource when no
// source opened, or the acquisition's result (3 cancelled, 0x8000 + code
// for a failure with its condition code). ScanFailureMessage() gives the
// text to show for it.
int ScanPicture(bool showInterface, Bitmap& out) noexcept;

// "Välj scanner": the source manager's own selection dialog. True when
// the user chose a source.
bool SelectScannerSource() noexcept;

// Closes every scanner connection and unloads the source manager; errors
// are of no interest at this point.
void ShutDownTwain() noexcept;

}  // namespace vemra
