#pragma once
// The progress window TdlgProgress of a print job: how many layout records
// have been drawn, as a bar and as "12/30". Shown without being modal.
#include <windows.h>

#include <string>

namespace vemra {

// Shows the window (creating it once per job) with `title` (UTF-8) as its
// caption, the counter at 0 of `maximum`.
void ShowProgress(const std::string& title, int maximum);
// One more record: moves the bar, writes the status line and lets pending
// window messages run. Nothing happens when the window is not shown.
void StepProgress();
void CloseProgress();

// Set by the window's Cancel button, which stays hidden in print jobs.
bool ProgressAborted();

// For tests: the window while it exists, else null; the status line.
HWND ProgressWindowHandle();
inline constexpr int kProgressStatusId = 100;

}  // namespace vemra
