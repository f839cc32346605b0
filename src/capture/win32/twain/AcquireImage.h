#pragma once
// The library's TWAIN connection to "twain_32.dll": protocol 1.8, native
// transfers, image group only.
#include <string>

#include "capture/scanner/TwainConnection.h"
#include "capture/win32/twain/TwainProtocol.h"

namespace vemra {

class TAcquireImage final : public TwainComponent {
 public:
  TAcquireImage();
  ~TAcquireImage() override;
  TAcquireImage(const TAcquireImage&) = delete;
  TAcquireImage& operator=(const TAcquireImage&) = delete;

  bool LoadSourceManager() override;
  int OpenSourceManager() override;
  int SelectSource(const std::string& name) override;
  int OpenSource() override;
  int AcquireNative(DibHandle& picture) override;
  int CloseAll() override;
  void UnloadSourceManager() override;
  void SetShowUI(bool show) override { showUI_ = show; }

  // The source manager's own condition code.
  int ConditionCode() { return ConditionCodeOf(nullptr); }
  const twain::TW_IDENTITY& Source() const { return source_; }

 private:
  class Session;

  int Call(twain::TW_IDENTITY* dest, twain::TW_UINT32 group, twain::TW_UINT16 data,
           twain::TW_UINT16 message, void* record);
  int ConditionCodeOf(twain::TW_IDENTITY* dest);
  // A failure of an operation sent to `dest` (a source, or the manager
  // when null) as 0x8000 + its condition code.
  int FailureOf(twain::TW_IDENTITY* dest);
  int NegotiateTransferCount();
  HWND ParentWindow();

  HMODULE library_ = nullptr;
  twain::DSMENTRYPROC entry_ = nullptr;
  twain::TW_IDENTITY application_{};
  twain::TW_IDENTITY source_{};  // all zero: the manager's default source
  bool showUI_ = true;
  // The window active when the manager was opened; the source's windows
  // get the one active when it is enabled.
  HWND managerParent_ = nullptr;
  HWND hiddenParent_ = nullptr;
  twain::TW_USERINTERFACE userInterface_{};
  twain::TW_CAPABILITY capability_{};
  bool managerOpen_ = false;
  bool sourceOpen_ = false;
  bool sourceEnabled_ = false;
};

}  // namespace vemra
