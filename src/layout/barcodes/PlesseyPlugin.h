#pragma once
// What the Plessey check-character plug-in and its loader agree on; the
// loading itself is in win32/PlesseyPluginLoader.
#include <array>
#include <string>
#include <string_view>

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

// The plug-in's string form: a length byte, then up to 255 characters.
using PlesseyShortString = std::array<unsigned char, 256>;

// The text cut to 255 characters, as the plug-in's input.
PlesseyShortString ToShortString(std::string_view text);

// The text of a length-prefixed buffer; the length byte is trusted only as
// far as the buffer goes.
std::string FromShortString(const PlesseyShortString& buffer);

}  // namespace vemra
