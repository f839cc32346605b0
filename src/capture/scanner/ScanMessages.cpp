#include "capture/scanner/ScanMessages.h"

namespace vemra {

std::string ScanFailureMessage(int result) {
  if (result == 0) return {};
  if (result == kScanNoSource) return "Misslyckades att öppna twainhanteraren.";
  return "Misslyckades att hämta bild. (fel " + std::to_string(result) + ")";
}

}  // namespace vemra
