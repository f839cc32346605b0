#pragma once
// The last line of defence of an export: a structured exception (access
// violation, stack fault, ...) inside `body` returns `failure` instead of
// ending the host process. GCC on 32-bit Windows has no __try, so the guard
// registers its own handler frame on the thread's exception chain.
namespace vemra {

struct GuardOutcome {
  int result;
  unsigned long exceptionCode;  // 0 when the body returned normally
};

GuardOutcome RunGuarded(int (*body)(void*), void* context, int failure);

}  // namespace vemra
