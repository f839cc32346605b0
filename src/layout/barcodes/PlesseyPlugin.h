#pragma once
// What the Plessey check-character plug-in and its loader agree on; the
// loading itself is in win32/PlesseyPluginLoader.
#include "base/ShortString.h"

namespace vemra {

// Outcome of the one load attempt. Only kPlesseyLoaded enables check
// characters.
enum PlesseyLoadOutcome : int {
  kPlesseyLoaded = 0,
  kPlesseyUnexpectedError = 251,
  kPlesseyNotLoadable = 252,    // LoadLibrary or the entry lookup failed
  kPlesseyPathNotSet = 253,
  kPlesseyRedistMissing = 254,  // plugin\Plessey_redist\Dlsbarun.dll
  kPlesseyPluginMissing = 255,  // plugin\cpPlessey.dll
};

inline constexpr const char* kPlesseyPluginFolder = "plugin\\";
inline constexpr const char* kPlesseyPluginFile = "cpPlessey.dll";
inline constexpr const char* kPlesseyRedistFile = "Plessey_redist\\Dlsbarun.dll";
inline constexpr const char* kPlesseyEntry = "Dll_GetPlesseyCrc";

// The plug-in's string form, for its input and its answer.
using PlesseyShortString = ShortString;

}  // namespace vemra
