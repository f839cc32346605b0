#pragma once
// The files and entry points of the camera plug-ins, as they ship. The
// plug-ins lie beside the host program; each Canon family brings a folder
// of libraries of its own that must be on PATH when it loads.
#include <array>

namespace vemra {

struct CanonPluginNames {
  const char* library;
  const char* redistFolder;
  const char* connectInit;  // (settings file, answer)
  const char* getImage;     // (answer)
  const char* getImageAuto;  // (answer); none for the Canon plug-in
  const char* optional;      // looked up, may be missing, never called
  // Looked up so that a library lacking them counts as broken; never called.
  std::array<const char*, 5> resolvedOnly;
};

inline constexpr CanonPluginNames kCanonPlugin{
    "cpPlugin_Canon.dll", "CanonSDK_redist", "Dll_DoCanonSDKConnectInit",
    "Dll_DoCanonSDKGetImageEx", nullptr, nullptr,
    {"Dll_DoCanonSDKDisConnect"}};

inline constexpr CanonPluginNames kCanonPrPlugin{
    "cpPlugin_CanonPR.dll", "CanonPrSDK_redist", "Dll_DoCanonPrSDKConnectInit",
    "Dll_DoCanonPrSDKGetImageEx", "Dll_DoCanonPrSDKGetImageExAuto", "Dll_DoCanonPrSDKLanguage",
    {"Dll_DoCanonPrSDKSetConnected", "Dll_DoCanonPrSDKDisConnect",
     "Dll_DoCanonPrSDKGetImageExSettings", "Dll_DoCanonPrSDKGetImageExAsStream",
     "Dll_DoCanonPrSDKGetImageData"}};

// When it is there, the Canon PR pictures come from this program instead,
// which writes "temp.jpg" into the user's temporary folder.
inline constexpr char kCanonPrProgram[] = "cpPlugin_CanonPR_CL.exe";
inline constexpr char kCanonPrProgramPicture[] = "temp.jpg";

// The Canon EOS plug-in: one entry point taking a function number and a
// wide text by reference.
inline constexpr char kCanonEosLibrary[] = "cpPlugin_CanonEOS.dll";
inline constexpr char kCanonEosEntry[] = "Dll_ParamsW";

// The Canon plug-ins' own camera settings, read-only for us.
inline constexpr char kCanonRegistryKey[] = "Software\\Norvik\\CanonPlugin";
inline constexpr char kCanonPrRegistryKey[] = "Software\\Norvik\\CanonPrPlugin";
inline constexpr char kCameraSettingsValue[] = "CameraSettings";

}  // namespace vemra
