#pragma once
// The camera plug-ins' own calling convention: the first three arguments
// in EAX, EDX and ECX, the result in EAX, nothing on the stack. gcc's
// regparm(3) is the same for up to three arguments.
#include <windows.h>

#if defined(__i386__)
#define VEMRA_REGISTER_CALL __attribute__((regparm(3)))
#else
// 64-bit code has one calling convention, and a 64-bit plug-in uses it.
#define VEMRA_REGISTER_CALL
#endif

namespace vemra {

// Canon and Canon PR: length-prefixed strings by address; the answer
// buffer is 256 bytes, preset empty.
using CanonConnectEntry = void(VEMRA_REGISTER_CALL*)(const unsigned char* settingsFile,
                                                     unsigned char* answer);
using CanonAnswerEntry = void(VEMRA_REGISTER_CALL*)(unsigned char* answer);
// Canon EOS: the text is a system string (BSTR) the plug-in may free and
// replace.
using EosParamsEntry = int(VEMRA_REGISTER_CALL*)(int function, BSTR* params);

// The named entry point as a function of type F, or null.
template <typename F>
F EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace vemra
