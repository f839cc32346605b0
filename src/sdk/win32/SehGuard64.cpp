// 64-bit Windows has no handler chain: it finds a frame's handler in the
// function tables. GCC has no __try there either, so the guarded call is
// written in assembly with a scope table for the system's C handler, whose
// filter records the code and whose unwind lands on the failure path.
#if defined(__x86_64__)
#include <windows.h>

#include "sdk/win32/SehGuard.h"

extern "C" {
// The filter sees the frame of vemra_GuardedCall, whose slot at 32 (above
// the callee's home area) receives the exception's code.
LONG vemra_GuardFilter(EXCEPTION_POINTERS* pointers, void* frame) {
  const DWORD code = pointers->ExceptionRecord->ExceptionCode;
  *reinterpret_cast<volatile DWORD*>(static_cast<char*>(frame) + 32) = code ? code : 1;
  return EXCEPTION_EXECUTE_HANDLER;
}

// int vemra_GuardedCall(int (*body)(void*), void* context, unsigned long* code):
// body(context), or the frame's recorded code stored through `code` and -1.
int vemra_GuardedCall(int (*body)(void*), void* context, unsigned long* code);
}

asm(R"(
  .text
  .p2align 4
  .globl vemra_GuardedCall
  .def vemra_GuardedCall; .scl 2; .type 32; .endef
  .seh_proc vemra_GuardedCall
vemra_GuardedCall:
  pushq %rbx
  .seh_pushreg %rbx
  subq $48, %rsp
  .seh_stackalloc 48
  .seh_endprologue
  movq %r8, %rbx
  movl $0, 32(%rsp)
  movq %rcx, %rax
  movq %rdx, %rcx
.Lvemra_guard_begin:
  call *%rax
  nop
.Lvemra_guard_end:
  movl $0, (%rbx)
  addq $48, %rsp
  popq %rbx
  ret
.Lvemra_guard_fault:
  movl 32(%rsp), %eax
  movl %eax, (%rbx)
  movl $-1, %eax
  addq $48, %rsp
  popq %rbx
  ret
  .seh_handler __C_specific_handler, @except
  .seh_handlerdata
  .long 1
  .rva .Lvemra_guard_begin, .Lvemra_guard_end, vemra_GuardFilter, .Lvemra_guard_fault
  .text
  .seh_endproc
)");

namespace vemra {

GuardOutcome RunGuarded(int (*body)(void*), void* context, int failure) {
  unsigned long code = 0;
  const int result = vemra_GuardedCall(body, context, &code);
  return {code ? failure : result, code};
}

}  // namespace vemra
#endif
