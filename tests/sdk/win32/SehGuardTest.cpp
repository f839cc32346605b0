#include <windows.h>

#include <gtest/gtest.h>

#include "sdk/win32/SehGuard.h"
#include "sdk/win32/Win32Library.h"

namespace vemra {
namespace {

int WriteThroughNull(void*) {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
  return 0;
}

int RaiseCustom(void*) {
  RaiseException(0xE0564D01, 0, 0, nullptr);
  return 0;
}

int ReturnArgument(void* p) { return *static_cast<int*>(p); }

int GuardInsideGuard(void*) {
  GuardOutcome inner = RunGuarded(WriteThroughNull, nullptr, 5);
  return inner.result * 10;
}

TEST(RunGuarded, TurnsStructuredExceptionsIntoTheFailureResult) {
  struct Case { int (*body)(void*); int result; unsigned long code; } cases[] = {
      {WriteThroughNull, -1, EXCEPTION_ACCESS_VIOLATION},
      {RaiseCustom, -1, 0xE0564D01},
      {GuardInsideGuard, 50, 0},
  };
  for (const auto& c : cases) {
    GuardOutcome o = RunGuarded(c.body, nullptr, -1);
    EXPECT_EQ(o.result, c.result);
    EXPECT_EQ(o.exceptionCode, c.code);
  }
}

TEST(RunGuarded, LeavesTheExceptionChainAsItFoundIt) {
  for (int i = 0; i < 100; ++i) RunGuarded(WriteThroughNull, nullptr, 0);
  int value = 42;
  GuardOutcome o = RunGuarded(ReturnArgument, &value, -1);
  EXPECT_EQ(o.result, 42);
  EXPECT_EQ(o.exceptionCode, 0u);
  // C++ exceptions still work after many faults.
  EXPECT_THROW(throw std::runtime_error("x"), std::runtime_error);
}

TEST(GuardedExport, AFaultInsideAnExportLeavesNoCallRunning) {
  const int result = GuardedExport("VmPrint", 1, [] {
    TheLibrary().RestoreRunningCall("VmPrint");  // as the export's claim does
    return WriteThroughNull(nullptr);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(TheLibrary().RunningCall(), nullptr);
}

}  // namespace
}  // namespace vemra
