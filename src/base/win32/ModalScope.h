#pragma once
// Makes a window of ours modal towards the windows of this thread that were
// open before it, as a dialog box is towards its owner: while the scope
// lives they are disabled, so the host cannot be used behind our window and
// our window, owned by the host's active one, cannot fall behind it. They
// are enabled again before our window closes (so that the system activates
// the host's window, not another program's), and the focus goes back to
// the window that had it.
#include <windows.h>

#include <vector>

namespace vemra {

// The window of this thread that has the focus, and the top-level window
// it belongs to: taken when an export begins, before any window of ours
// (such as the file dialog ahead of the capture dialog) moves the focus.
struct HostFocus {
  HWND owner = nullptr;
  HWND focus = nullptr;
  static HostFocus Now();
};

class ModalScope {
 public:
  // kLeftToDialogBox: the owner is disabled and enabled by DialogBox
  // itself, which would otherwise leave it disabled at the end.
  enum class OwnerHandling { kDisabledHere, kLeftToDialogBox };

  explicit ModalScope(HostFocus host = HostFocus::Now(),
                      OwnerHandling owner = OwnerHandling::kDisabledHere);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // The top-level window that was active when the scope began: the owner
  // of our window. Null when this thread had none.
  HWND Owner() const { return owner_; }
  // Enables what the scope disabled; call it before our window is
  // destroyed. Later calls do nothing.
  void EnableOthers();

 private:
  HWND owner_ = nullptr;
  HWND focus_ = nullptr;
  std::vector<HWND> disabled_;
};

}  // namespace vemra
