#include "capture/win32/plugins/EosPluginLibrary.h"

#include <oleauto.h>

#include <new>

#include "base/ScopeExit.h"
#include "base/win32/PluginSupport.h"
#include "base/win32/Win32Platform.h"
#include "capture/plugins/PluginNames.h"

namespace vemra {

bool EosPluginLibrary::Load(const std::string& path) {
  // A relative path would be searched for, current folder included.
  if (path.size() < 3 || (path[1] != ':' && path.compare(0, 2, "\\\\") != 0)) return false;
  module_ = LoadLibraryByPath(path);
  if (!module_) return false;
  entry_ = EntryPoint<EosParamsEntry>(module_, kCanonEosEntry);
  return true;
}

int EosPluginLibrary::Params(int function, std::string& params) {
  if (!entry_) return kEosNoEntry;
  // The plug-in frees and replaces the text with the system's string
  // functions, so it must come from them; an empty text is no string.
  const std::wstring wide = Wide(params);
  BSTR text = nullptr;
  if (!wide.empty()) {
    text = SysAllocStringLen(wide.data(), UINT(wide.size()));
    if (!text) throw std::bad_alloc();
  }
  ScopeExit free([&text] { SysFreeString(text); });
  const int result = entry_(function, &text);
  params = text ? Narrow(std::wstring(text, SysStringLen(text))) : std::string();
  return result;
}

}  // namespace vemra
