#include "base/win32/ModalScope.h"

namespace vemra {
namespace {

struct Collect {
  HWND skip;
  std::vector<HWND>* windows;
};

BOOL CALLBACK DisableIfShown(HWND window, LPARAM l) {
  auto& c = *reinterpret_cast<Collect*>(l);
  if (window != c.skip && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    c.windows->push_back(window);
  }
  return TRUE;
}

}  // namespace

HostFocus HostFocus::Now() {
  HWND active = GetActiveWindow();
  return {active ? GetAncestor(active, GA_ROOT) : nullptr, GetFocus()};
}

ModalScope::ModalScope(HostFocus host, OwnerHandling owner)
    : owner_(host.owner && IsWindow(host.owner) ? host.owner : nullptr), focus_(host.focus) {
  Collect c{owner == OwnerHandling::kLeftToDialogBox ? owner_ : nullptr, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), DisableIfShown, reinterpret_cast<LPARAM>(&c));
}

void ModalScope::EnableOthers() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  disabled_.clear();
}

ModalScope::~ModalScope() {
  EnableOthers();
  if (focus_ && IsWindow(focus_)) {
    SetActiveWindow(GetAncestor(focus_, GA_ROOT));
    SetFocus(focus_);
  } else if (owner_ && IsWindow(owner_)) {
    SetActiveWindow(owner_);
  }
}

}  // namespace vemra
