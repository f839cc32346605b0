#pragma once
// VemraSDK.dll loaded as the host loads it, with its exports by name or by
// ordinal.
#include <windows.h>

#include <string>

namespace vemra::test {

using NoArgs = int(__stdcall*)();
using OneText = int(__stdcall*)(const char*);
using Scan = int(__stdcall*)(unsigned, const char*);
using Print = int(__stdcall*)(int, const char*, const char*, const char*, const char*,
                              const char*, const char*, const char*, const char*, const char*,
                              const char*);

struct Exports {
  NoArgs version;
  OneText photoSignatureExists;
  Print print;
  NoArgs settings;
  Scan scanImage;
  OneText init;
};

HMODULE HostDll();  // loaded once for the whole test program
Exports ByName();
Exports ByOrdinal();

std::string WindowsPath(const char* unixPath);  // under Wine, "/" is drive Z:
std::string TestProgramFolder();                // the host folder, with "\"
std::string NewTempFolder();                    // fresh, with "\"
// Copies a file of the source tree (`path` below its root) into `folder`.
std::string CopyFromSource(const std::string& folder, const std::string& path,
                           const std::string& name);
// A fresh data folder holding the demo's settings, EU card, back side and
// logo, and an empty picture store; the library is not started on it.
std::string NewDemoDataFolder();
bool Exists(const std::string& path);
void Touch(const std::string& path);
std::string ReadText(const std::string& path);
// The window as a person sees it, frame included, saved as a 24-bit BMP.
void SaveWindowPicture(HWND window, const std::string& path);

// A host program's main window with a text field holding the focus, as the
// host has it when it calls an export that shows a dialog.
struct HostWindow {
  HWND frame = nullptr;
  HWND field = nullptr;
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Called while `dialog` is open: notes how the host stands behind it.
  void LookFrom(HWND dialog);
  // After the dialog: whether it was modal towards the host (the host
  // disabled behind it and its owner) and gave the host back enabled with
  // the focus where it was; else what was wrong.
  std::string ModalFaults() const;

 private:
  bool enabledBehindDialog_ = true;
  HWND dialogOwner_ = nullptr;
};

}  // namespace vemra::test
