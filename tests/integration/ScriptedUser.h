#pragma once
// A user played from a thread timer: the test lists the steps, each waiting
// for the window it acts on, while an export runs its own message loops.
#include "HostDll.h"  // windows.h first

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra::test {

constexpr int kMessageText = 0xFFFF;  // a message box's text

// A visible window of this thread with the class name (and, when given, a
// child with that id).
HWND FindOurs(const wchar_t* className, int childId = 0);
HWND MessageBoxWindow();
HWND CaptureDialog();
std::wstring TextOf(HWND window);
void Click(HWND window, int id);
// Saved into capture-screens\ beside the test program, for a person.
void SaveScreenshot(HWND window, const std::string& name);

using Step = std::function<bool()>;  // true when done

struct ScriptOutcome {
  bool captureWindowSeen = false;
  // Message boxes that opened inside a step's own call, answered with OK.
  std::vector<std::wstring> nestedMessages;
};

// Runs `call` (an export) while the steps play; checks that every step ran
// and none waited 30 s in vain (then whatever is open is cancelled).
int RunScripted(std::deque<Step> steps, const std::function<int()>& call,
                ScriptOutcome* outcome = nullptr);

// VmScanImage(kind, id) while the steps play.
int RunScanScripted(unsigned kind, const char* id, std::deque<Step> steps,
                    ScriptOutcome* outcome = nullptr);

// While the capture dialog with this caption (any caption when empty) is
// shown, `act` runs at each tick until it says it is done.
Step WhenCaptureDialog(const std::wstring& caption, std::function<bool(HWND)> act);
// The same for one thing done once.
Step OnCaptureDialog(const std::wstring& caption, std::function<void(HWND)> act);
// The text of the capture dialog's status bar panel.
std::wstring StatusPanel(HWND dialog, int panel);

Step AnswerMessage(std::wstring* text, int button = IDOK, std::wstring* title = nullptr);
// Answers the message box with OK after saving it as a screenshot.
Step AnswerMessageSaved(std::wstring* text, const char* screenshot);

// A child window with the class name among `parent`'s descendants.
HWND FindChild(HWND parent, const wchar_t* className);
// The open popup menu of this thread (null when none is open).
HMENU OpenPopupMenu();
// Item captions and submenu sizes: "Caption" or "Caption(n)" per item.
std::vector<std::wstring> MenuItems(HMENU menu);


// A fresh data folder whose settings take photos from `photoMethod`, with
// the library started on it.
struct CaptureDataFolder {
  std::string folder = NewTempFolder();
  explicit CaptureDataFolder(int photoMethod);
  std::string Photo(const char* id) const { return folder + "Image\\" + id + ".jpg"; }
};

// Stored pictures, compared with what they came from.
Bitmap ReadJpeg(const std::string& path);
// Mean absolute difference per channel between `stored` and the part of
// `sheet` at (left, top) of the same size.
double MeanDifference(const Bitmap& stored, const Bitmap& sheet, int left, int top);

}  // namespace vemra::test
