// A Canon camera plug-in of our own (or, with FAKE_CANON_PR, a Canon PR
// one): the same entry points and convention, steered by
// VEMRA_FAKECAMERA_CONNECT (the connect answer) and _ANSWER (the picture
// answer, "|" for tabs), logging each call with what arrived in registers.
#include <cstring>

#include "FakeLog.h"

#ifdef FAKE_CANON_PR
#define ENTRY(name) Dll_DoCanonPrSDK##name
#define FAMILY "pr"
#else
#define ENTRY(name) Dll_DoCanonSDK##name
#define FAMILY "canon"
#endif

namespace {

void Answer(unsigned char* out, const std::string& text) {
  const size_t n = text.size() > 255 ? 255 : text.size();
  out[0] = static_cast<unsigned char>(n);
  std::memcpy(out + 1, text.data(), n);
}

// The answer buffer arrives preset to the empty string.
bool Fresh(const unsigned char* out) { return fake::Usable(out, 256) && out[0] == 0; }

void Picture(const char* name, unsigned char* out) {
  fake::Log(std::string(FAMILY " ") + name + (Fresh(out) ? " args-ok" : " args-bad"));
  if (Fresh(out)) Answer(out, fake::Tabs(fake::Setting("ANSWER")));
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) fake::Log(FAMILY " attach");
  return TRUE;
}

__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(ConnectInit)(const unsigned char* settings,
                                                                 unsigned char* out) {
  const bool ok = fake::Usable(settings, 1) && Fresh(out);
  std::string name = ok ? std::string(reinterpret_cast<const char*>(settings + 1), settings[0]) : "";
  fake::Log(std::string(FAMILY " connect '") + name + (ok ? "' args-ok" : "' args-bad"));
  if (ok) Answer(out, fake::Setting("CONNECT", "Fake camera"));
}

__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(GetImageEx)(unsigned char* out) {
  Picture("image", out);
}

__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(DisConnect)() { fake::Log(FAMILY " disconnect"); }

#ifdef FAKE_CANON_PR
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(GetImageExAuto)(unsigned char* out) {
  Picture("auto", out);
}
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(Language)() { fake::Log("pr language"); }
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(SetConnected)() { fake::Log("pr set-connected"); }
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(GetImageExSettings)() { fake::Log("pr settings"); }
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(GetImageExAsStream)() { fake::Log("pr stream"); }
__declspec(dllexport) VEMRA_REGISTER_CALL void ENTRY(GetImageData)() { fake::Log("pr data"); }
#endif
}
