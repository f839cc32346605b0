#pragma once
// What the capture dialog tells the user after a scan, by the scan's result.
#include <string>

namespace vemra {

// The scan could not open a scanner source.
constexpr int kScanNoSource = -1;

// UTF-8 text for an information box; empty when nothing is to be said
// (a picture arrived, or the scanner delivered none).
std::string ScanFailureMessage(int result);

}  // namespace vemra
