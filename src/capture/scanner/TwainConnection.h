#pragma once
// The library-wide scanner connection: which TWAIN state the process is in
// (0 nothing loaded, 1 source manager loaded, 2 manager open, 3 a source
// open) and the steps that move between them. The steps themselves are a
// `TwainComponent`, so the rules run natively against a fake.
#include <functional>
#include <memory>
#include <string>

#include "capture/scanner/TwainResults.h"

namespace vemra {

// An acquired device-independent bitmap, owned by whoever holds it.
using DibHandle = void*;

class TwainComponent {
 public:
  virtual ~TwainComponent() = default;
  // True when the source manager library and its entry point are there.
  virtual bool LoadSourceManager() = 0;
  virtual int OpenSourceManager() = 0;
  // The user's choice in the manager's dialog when `name` is empty.
  virtual int SelectSource(const std::string& name) = 0;
  virtual int OpenSource() = 0;
  virtual int AcquireNative(DibHandle& picture) = 0;
  virtual int CloseAll() = 0;
  virtual void UnloadSourceManager() = 0;
  virtual void SetShowUI(bool show) = 0;
};

class TwainConnection {
 public:
  using ComponentFactory = std::function<std::unique_ptr<TwainComponent>()>;
  explicit TwainConnection(ComponentFactory makeComponent);
  ~TwainConnection();

  int State() const { return state_; }
  const std::string& SelectedSource() const { return selectedName_; }

  // 0 on success, -1 when the step could not start, else a TWAIN result.
  int TwainLoad();
  int TwainOpenManager();
  int TwainOpenSource(const std::string& name = {});
  int TwainCloseAll();
  void TwainUnload() noexcept;
  int TwainSetState(int target);
  bool TwainSelectSource(const std::string& name);
  void TwainSetShowUI(bool show);
  int TwainAcquire(DibHandle& picture);
  // The settings dialog's "Välj scanner": the user picks the default
  // source, and the connection ends where it was.
  bool SelectScannerSource();

 private:
  TwainComponent& Component();

  ComponentFactory makeComponent_;
  std::unique_ptr<TwainComponent> component_;
  int state_ = 0;
  std::string selectedName_;
  bool showUI_ = true;
};

}  // namespace vemra
