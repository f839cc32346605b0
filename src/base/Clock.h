#pragma once
// "Now" as a service, so that dates printed on cards can be tested.
#include "base/FormatDateTime.h"

namespace vemra {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;  // local time
};

class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime when) : when_(when) {}
  DateTime Now() const override { return when_; }

 private:
  DateTime when_;
};

}  // namespace vemra
