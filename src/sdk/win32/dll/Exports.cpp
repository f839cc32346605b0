// The six functions the host calls. Texts are copied and trimmed inside the
// guard, so that even a bad pointer from the host ends as a result code.
#include <cstdint>

#include "base/Text.h"
#include "sdk/win32/Win32Library.h"

using vemra::GuardedExport;
using vemra::HostText;
using vemra::TheLibrary;

extern "C" {

int __stdcall VmVersion() { return vemra::kLibraryVersion; }

int __stdcall VmInit(const char* folder) {
  return GuardedExport("VmInit", 1, [&] { return TheLibrary().VmInit(HostText(folder)); });
}

int __stdcall VmScanImage(std::uint32_t kind, const char* id) {
  // Nothing stored is the honest answer when a scan fails unexpectedly.
  return GuardedExport("VmScanImage", 2, [&] {
    return TheLibrary().VmScanImage(std::uint8_t(kind & 0xFF), HostText(id));
  });
}

int __stdcall VmSettings() {
  return GuardedExport("VmSettings", 1, [&] { return TheLibrary().VmSettings(); });
}

int __stdcall VmPrint(int mode, const char* id, const char* surname, const char* firstName,
                      const char* permitNumber, const char* validUntil, const char* careOf,
                      const char* street, const char* postcodeTown, const char* telephone,
                      const char* operatorName) {
  // 1 is no code of a request that printed: the card did not come out.
  return GuardedExport("VmPrint", vemra::kPrintFailed, [&] {
    vemra::PermitTexts texts{HostText(id),        HostText(surname),   HostText(firstName),
                             HostText(permitNumber), HostText(validUntil), HostText(careOf),
                             HostText(street),    HostText(postcodeTown), HostText(telephone),
                             HostText(operatorName)};
    return TheLibrary().VmPrint(mode, texts);
  });
}

int __stdcall VmPhotoSignatureExists(const char* id) {
  return GuardedExport("VmPhotoSignatureExists", 3,
                       [&] { return TheLibrary().VmPhotoSignatureExists(HostText(id)); });
}

}  // extern "C"
