// 32-bit Windows keeps its exception handlers in a chain of frames on the
// stack, headed at fs:0; the guard links a frame of its own into it.
#if defined(__i386__)
#include "sdk/win32/SehGuard.h"

#include <windows.h>

namespace vemra {
namespace {

// Laid out as the system's exception registration record, followed by what
// the handler needs to get back to RunGuarded.
struct GuardFrame {
  GuardFrame* previous;
  void* handler;
  void* jump[5];  // __builtin_setjmp buffer
  volatile unsigned long code;
};

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame,
                                                      CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  auto* guard = static_cast<GuardFrame*>(frame);
  guard->code = record->ExceptionCode ? record->ExceptionCode : 1;
  __builtin_longjmp(guard->jump, 1);
}

GuardFrame* CurrentChain() {
  GuardFrame* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetChain(GuardFrame* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

}  // namespace

__attribute__((noinline)) GuardOutcome RunGuarded(int (*body)(void*), void* context,
                                                  int failure) {
  volatile GuardFrame frame{};
  frame.handler = reinterpret_cast<void*>(&GuardHandler);
  frame.previous = CurrentChain();
  if (__builtin_setjmp(const_cast<void**>(frame.jump))) {
    // Back from the handler: drop the dispatcher's frames and our own.
    SetChain(frame.previous);
    return {failure, frame.code};
  }
  SetChain(const_cast<GuardFrame*>(&frame));
  int result = body(context);
  SetChain(frame.previous);
  return {result, 0};
}

}  // namespace vemra
#endif
