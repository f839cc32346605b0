// A Canon EOS camera plug-in of our own: "Dll_ParamsW" in the plug-ins'
// register convention, answering with VEMRA_FAKECAMERA_EOS_RESULT and
// _EOS_ANSWER ("|" for tabs) and logging each call. With FAKE_EOS_NO_ENTRY
// it lacks the entry point.
#include "FakeLog.h"  // windows.h first

#include <oleauto.h>

#include <cstdlib>

#ifndef FAKE_EOS_NO_ENTRY
namespace {

std::string Narrow(const wchar_t* text, UINT n) {
  std::string out;
  for (UINT i = 0; i < n; ++i) out += text[i] < 256 ? char(text[i]) : '?';
  return out;
}

}  // namespace
#endif

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) fake::Log("eos attach");
  return TRUE;
}

#ifdef FAKE_EOS_NO_ENTRY
__declspec(dllexport) int Dll_Params(int) { return 0; }
#else
__declspec(dllexport) VEMRA_REGISTER_CALL int Dll_ParamsW(int function, BSTR* params) {
  const bool ok = (function == 1 || function == 3 || function == 4 || function == 6) &&
                  fake::Usable(params, sizeof(BSTR));
  if (!ok) {
    fake::Log("eos args-bad");
    return -2;
  }
  // The text in must be a system string: its length prefix is read here.
  fake::Log("eos " + std::to_string(function) + " '" +
            (*params ? Narrow(*params, SysStringLen(*params)) : "") + "' args-ok");
  std::string answer = fake::Tabs(fake::Setting("EOS_ANSWER"));
  std::wstring wide;
  for (unsigned char c : answer) wide += wchar_t(c);  // Latin-1 is enough here
  SysFreeString(*params);
  *params = SysAllocStringLen(wide.data(), UINT(wide.size()));
  return std::atoi(fake::Setting("EOS_RESULT", "0").c_str());
}
#endif
}
