#pragma once
// Finding the TWAIN source manager of the process's word size. 64-bit
// Windows has no twain_32.dll: its manager is TWAINDSM.dll in the system
// folder, which exports DSM_Entry by name.
#include <windows.h>

#include "capture/win32/twain/TwainProtocol.h"

namespace vemra {

struct SourceManagerLibrary {
  HMODULE module = nullptr;
  twain::DSMENTRYPROC entry = nullptr;
};

// The manager loaded with its entry point, or both null. The caller frees
// the module.
SourceManagerLibrary LoadSourceManagerLibrary();

// Whether a manager is installed at all, without running any of its code.
bool SourceManagerInstalled();

}  // namespace vemra
