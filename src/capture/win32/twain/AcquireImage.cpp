#include "capture/win32/twain/AcquireImage.h"

#include <cstring>

#include "base/win32/Win32Windows.h"
#include "capture/scanner/NativeTransfer.h"
#include "capture/win32/twain/SourceManagerLibrary.h"

namespace vemra {

using namespace twain;

namespace {

constexpr wchar_t kHiddenParentClass[] = L"VemraTwainParent";

void CopyName(TW_STR32& to, const char* from) {
  std::memset(to, 0, sizeof to);
  std::strncpy(to, from, sizeof to - 1);
}

bool SameName(const TW_STR32& name, const std::string& wanted) {
  return std::string(name, strnlen(name, sizeof name)) == wanted;
}

}  // namespace

// The calls of one acquisition, for the portable transfer loop.
class TAcquireImage::Session final : public TransferSession {
 public:
  explicit Session(TAcquireImage& owner) : o_(owner) {}

  int Enable() override {
    o_.userInterface_.ShowUI = o_.showUI_;
    o_.userInterface_.ModalUI = o_.showUI_;
    o_.userInterface_.hParent = o_.ParentWindow();
    const int result =
        o_.Call(&o_.source_, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &o_.userInterface_);
    if (result == TWRC_SUCCESS || result == TWRC_CHECKSTATUS) o_.sourceEnabled_ = true;
    return result;
  }

  NextMessage WaitMessage() override {
    const BOOL got = GetMessageW(&message_, nullptr, 0, 0);
    if (got == -1) return NextMessage::kError;
    if (got == 0) {
      PostQuitMessage(int(message_.wParam));
      return NextMessage::kQuit;
    }
    return NextMessage::kMessage;
  }

  int ProcessEvent(int& twainMessage) override {
    TW_EVENT event{&message_, MSG_NULL};
    const int result = o_.Call(&o_.source_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    twainMessage = event.TWMessage;
    return result;
  }

  void DispatchMessage() override {
    TranslateMessage(&message_);
    DispatchMessageW(&message_);
  }

  int TransferNative(DibHandle& picture) override {
    // The source writes the memory handle of its DIB here: a pointer-sized
    // handle, eight bytes in a 64-bit process.
    TW_UINTPTR handle = 0;
    const int result = o_.Call(&o_.source_, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    picture = reinterpret_cast<DibHandle>(static_cast<std::uintptr_t>(handle));
    return result;
  }

  int EndTransfer(int& pending) override {
    TW_PENDINGXFERS transfers{};
    const int result =
        o_.Call(&o_.source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &transfers);
    pending = static_cast<TW_INT16>(transfers.Count);
    return result;
  }

  int ResetTransfers() override {
    TW_PENDINGXFERS transfers{};
    return o_.Call(&o_.source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &transfers);
  }

  void FreePicture(DibHandle picture) override { GlobalFree(static_cast<HGLOBAL>(picture)); }

  int FailureResult() override { return o_.FailureOf(&o_.source_); }

 private:
  TAcquireImage& o_;
  MSG message_{};
};

TAcquireImage::TAcquireImage() {
  application_.Id = 0;
  CopyName(application_.Version.Info, "Twain Freeware Component");
  application_.ProtocolMajor = 1;
  application_.ProtocolMinor = 8;
  application_.SupportedGroups = DG_IMAGE;
  CopyName(application_.Manufacturer, "none");
  CopyName(application_.ProductFamily, "none");
  CopyName(application_.ProductName, "none");
}

TAcquireImage::~TAcquireImage() {
  // With the manager still open its code may still be running for a
  // source; keeping the library loaded is the safe side.
  if (!managerOpen_) UnloadSourceManager();
}

bool TAcquireImage::LoadSourceManager() {
  if (library_) return true;
  const SourceManagerLibrary manager = LoadSourceManagerLibrary();
  library_ = manager.module;
  entry_ = manager.entry;
  return library_ != nullptr;
}

int TAcquireImage::Call(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 data, TW_UINT16 message,
                        void* record) {
  if (!entry_) return TWRC_FAILURE;
  return entry_(&application_, dest, group, data, message, record);
}

int TAcquireImage::ConditionCodeOf(TW_IDENTITY* dest) {
  TW_STATUS status{};
  if (Call(dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) return 0;
  return status.ConditionCode;
}

int TAcquireImage::FailureOf(TW_IDENTITY* dest) {
  // A source keeps its own condition code; the manager would only report
  // that it forwarded the call.
  return ConditionResult(ConditionCodeOf(dest));
}

HWND TAcquireImage::ParentWindow() {
  if (HWND active = GetActiveWindow()) return active;
  if (!hiddenParent_ || !IsWindow(hiddenParent_)) {
    HINSTANCE module = ThisModule();
    RegisterWindowClassOnce(module, kHiddenParentClass, DefWindowProcW);
    hiddenParent_ = CreateWindowExW(0, kHiddenParentClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                    nullptr, module, nullptr);
  }
  return hiddenParent_;
}

int TAcquireImage::OpenSourceManager() {
  application_.ProtocolMajor = 1;
  application_.ProtocolMinor = 8;
  application_.SupportedGroups = DG_IMAGE;
  managerParent_ = ParentWindow();
  const int result = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &managerParent_);
  if (result == TWRC_FAILURE) return FailureOf(nullptr);
  if (result == TWRC_SUCCESS) managerOpen_ = true;
  return result;
}

int TAcquireImage::SelectSource(const std::string& name) {
  TW_IDENTITY found{};
  if (name.empty()) {
    // Without a display the manager may answer success and leave the
    // record as it was: all zero then still means the default source.
    const int result = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &found);
    if (result == TWRC_FAILURE) return FailureOf(nullptr);
    if (result == TWRC_SUCCESS) source_ = found;
    return result;
  }
  int result = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &found);
  while (result == TWRC_SUCCESS) {
    if (SameName(found.ProductName, name)) {
      source_ = found;
      return TWRC_SUCCESS;
    }
    result = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &found);
  }
  if (result == TWRC_FAILURE) return FailureOf(nullptr);
  return result == TWRC_SUCCESS ? TWRC_ENDOFLIST : result;
}

int TAcquireImage::OpenSource() {
  const int result = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
  if (result == TWRC_FAILURE) return FailureOf(nullptr);
  if (result != TWRC_SUCCESS) return result;
  sourceOpen_ = true;
  return NegotiateTransferCount();
}

int TAcquireImage::NegotiateTransferCount() {
  // Any number of pictures: -1 in a one-value container.
  HGLOBAL container = GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
  if (!container) return ConditionResult(TWCC_LOWMEMORY);
  if (auto* value = static_cast<TW_ONEVALUE*>(GlobalLock(container))) {
    value->ItemType = TWTY_INT16;
    value->Item = static_cast<TW_UINT32>(-1);
    GlobalUnlock(container);
  }
  capability_ = {CAP_XFERCOUNT, TWON_ONEVALUE, container};
  int result = Call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability_);
  GlobalFree(container);
  if (result == TWRC_CHECKSTATUS) {
    capability_ = {CAP_XFERCOUNT, TWON_DONTCARE16, nullptr};
    result = Call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability_);
    if (result == TWRC_SUCCESS && capability_.hContainer) GlobalFree(capability_.hContainer);
    capability_.hContainer = nullptr;
  }
  if (result == TWRC_FAILURE) return FailureOf(&source_);
  return result;
}

int TAcquireImage::AcquireNative(DibHandle& picture) {
  picture = nullptr;
  try {
    Session session(*this);
    return RunNativeTransfer(session, picture);
  } catch (...) {
    return TWRC_FAILURE;
  }
}

int TAcquireImage::CloseAll() {
  if (sourceEnabled_) {
    Call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &userInterface_);
    sourceEnabled_ = false;
  }
  if (sourceOpen_) {
    Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    sourceOpen_ = false;
  }
  if (!managerOpen_) return TWRC_SUCCESS;
  const int result = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &managerParent_);
  if (result == TWRC_FAILURE) return FailureOf(nullptr);
  if (result == TWRC_SUCCESS) managerOpen_ = false;
  return result;
}

void TAcquireImage::UnloadSourceManager() {
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
  entry_ = nullptr;
  if (hiddenParent_) DestroyWindow(hiddenParent_);
  hiddenParent_ = nullptr;
}

}  // namespace vemra
