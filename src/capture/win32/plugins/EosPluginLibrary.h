#pragma once
// The Canon EOS plug-in library and its one entry point.
#include <windows.h>

#include <string>

#include "capture/plugins/EosCamera.h"
#include "capture/win32/plugins/RegisterCall.h"

namespace vemra {

class EosPluginLibrary final : public EosLibrary {
 public:
  EosPluginLibrary() = default;
  EosPluginLibrary(const EosPluginLibrary&) = delete;
  EosPluginLibrary& operator=(const EosPluginLibrary&) = delete;

  // By full path only.
  bool Load(const std::string& path) override;
  // kEosNoEntry when the library lacks the entry point.
  int Params(int function, std::string& params) override;

 private:
  HMODULE module_ = nullptr;  // never freed, as the other plug-ins
  EosParamsEntry entry_ = nullptr;
};

}  // namespace vemra
