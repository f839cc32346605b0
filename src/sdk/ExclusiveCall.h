#pragma once
// The exports that let the host's messages run (the print job, the capture
// and settings dialogs) can be called again from those messages: a host
// timer, a double-clicked button. One of them runs at a time; a call that
// arrives meanwhile is refused, so the running one finds its state as it
// left it.
namespace vemra {

class ExclusiveCall {
 public:
  // Claims `running` for `name` unless another call holds it.
  ExclusiveCall(const char*& running, const char* name) : running_(running), name_(name) {
    if (!running_) running_ = name, owner_ = true;
  }
  ~ExclusiveCall() {
    if (owner_) running_ = nullptr;
  }
  ExclusiveCall(const ExclusiveCall&) = delete;
  ExclusiveCall& operator=(const ExclusiveCall&) = delete;

  bool Refused() const { return !owner_; }
  const char* Name() const { return name_; }

 private:
  const char*& running_;
  const char* name_;
  bool owner_ = false;
};

}  // namespace vemra
