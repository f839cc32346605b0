#pragma once
// The process's one library state with the Windows bindings, and the guard
// every export runs its body in.
#include <exception>
#include <string>

#include "sdk/LibraryState.h"
#include "sdk/win32/SehGuard.h"

namespace vemra {

// Created on first use: loading the DLL creates nothing.
Library& TheLibrary();

// Writes a failure that no result code names to the library's log; never throws.
void LogExportFailure(const char* exportName, const std::string& cause) noexcept;

// Runs an export's body; whatever escapes it (C++ or structured exception,
// failed allocation) is logged and becomes `failure`.
template <typename Body>
int GuardedExport(const char* exportName, int failure, Body&& body) noexcept {
  struct Context {
    Body* body;
    const char* name;
    int failure;
    bool started = false;
    const char* runningBefore = nullptr;
  } context{&body, exportName, failure};
  GuardOutcome outcome = RunGuarded(
      [](void* p) -> int {
        auto& c = *static_cast<Context*>(p);
        try {
          c.runningBefore = TheLibrary().RunningCall();
          c.started = true;
          return (*c.body)();
        } catch (const std::exception& e) {
          LogExportFailure(c.name, e.what());
        } catch (...) {
          LogExportFailure(c.name, "unknown exception");
        }
        return c.failure;
      },
      &context, failure);
  if (outcome.exceptionCode) {
    // The body's destructors did not run; its claim must not outlive it.
    if (context.started) TheLibrary().RestoreRunningCall(context.runningBefore);
    char code[16];
    __builtin_snprintf(code, sizeof code, "0x%08lX", outcome.exceptionCode);
    LogExportFailure(exportName, std::string("structured exception ") + code);
  }
  return outcome.result;
}

}  // namespace vemra
