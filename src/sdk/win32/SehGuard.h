#pragma once
// The last line of defence of an export: a structured exception (access
// violation, stack fault, ...) inside `body` returns `failure` instead of
// ending the host process. GCC on Windows has no __try: each word size has
// its own guard (SehGuard32.cpp, SehGuard64.cpp).
namespace vemra {

struct GuardOutcome {
  int result;
  unsigned long exceptionCode;  // 0 when the body returned normally
};

GuardOutcome RunGuarded(int (*body)(void*), void* context, int failure);

}  // namespace vemra
