#include "capture/scanner/TwainConnection.h"

namespace vemra {

TwainConnection::TwainConnection(ComponentFactory makeComponent)
    : makeComponent_(std::move(makeComponent)) {}

TwainConnection::~TwainConnection() { TwainUnload(); }

TwainComponent& TwainConnection::Component() {
  if (!component_) {
    component_ = makeComponent_();
    component_->SetShowUI(showUI_);
  }
  return *component_;
}

int TwainConnection::TwainLoad() {
  if (state_ > 0) return kTwainSuccess;
  if (!Component().LoadSourceManager()) return kTwainNotReady;
  state_ = 1;
  return kTwainSuccess;
}

int TwainConnection::TwainOpenManager() {
  if (state_ >= 2) return kTwainSuccess;  // a second open is a sequence error
  if (!component_ || state_ == 0) {
    if (TwainLoad() != kTwainSuccess) return kTwainNotReady;
  }
  const int result = component_->OpenSourceManager();
  if (result == kTwainSuccess) state_ = 2;
  return result;
}

int TwainConnection::TwainOpenSource(const std::string& name) {
  if (!name.empty() && name != selectedName_ && !TwainSelectSource(name)) return kTwainNotReady;
  if (!component_ || state_ < 2) {
    if (TwainOpenManager() != kTwainSuccess) return kTwainNotReady;
  }
  if (state_ == 3) return kTwainSuccess;
  const int result = component_->OpenSource();
  if (result == kTwainSuccess) state_ = 3;
  return result;
}

int TwainConnection::TwainCloseAll() {
  if (!component_ || state_ < 2) return kTwainNotReady;
  const int result = component_->CloseAll();
  if (result == kTwainSuccess) state_ = 1;
  return result;
}

void TwainConnection::TwainUnload() noexcept {
  if (!component_) return;
  try {
    // Freeing the manager under an open source would pull its code away
    // from the source; stay loaded instead.
    if (state_ > 1 && TwainCloseAll() != kTwainSuccess) return;
    component_->UnloadSourceManager();
  } catch (...) {
    return;
  }
  selectedName_.clear();
  state_ = 0;
  component_.reset();
}

int TwainConnection::TwainSetState(int target) {
  if (target == state_) return kTwainSuccess;
  switch (target) {
    case 0:
      TwainUnload();
      return state_ == 0 ? kTwainSuccess : kTwainFailure;
    case 1:
      return state_ > 1 ? TwainCloseAll() : TwainLoad();
    case 2:
      return state_ < 2 ? TwainOpenSource() : kTwainSuccess;
    default:
      return TwainOpenSource();
  }
}

bool TwainConnection::TwainSelectSource(const std::string& name) {
  // The manager answers selections only while it is open and no source is:
  // from state 3 close everything, then open the manager again.
  if (state_ > 2 && TwainCloseAll() != kTwainSuccess) return false;
  if (state_ < 2 && TwainOpenManager() != kTwainSuccess) return false;
  if (component_->SelectSource(name) != kTwainSuccess) return false;
  selectedName_ = name;
  return true;
}

void TwainConnection::TwainSetShowUI(bool show) {
  showUI_ = show;
  if (component_) component_->SetShowUI(show);
}

int TwainConnection::TwainAcquire(DibHandle& picture) {
  picture = nullptr;
  if (!component_ || state_ < 3) return kTwainNotReady;
  return component_->AcquireNative(picture);
}

bool TwainConnection::SelectScannerSource() {
  const int before = state_;
  const bool chosen = TwainSelectSource({});
  TwainSetState(before);
  return chosen;
}

}  // namespace vemra
