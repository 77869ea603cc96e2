#pragma once
// A clock that says what the test tells it.

#include "platform/locale.h"

namespace datewell::testing {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(Date now) : now_(now) {}
  Date Now() override { return now_; }
  void Set(Date now) { now_ = now; }

 private:
  Date now_;
};

inline Date Ymd(int y, int m, int d) {
  return DateFromCivil({y, m, d});
}

}  // namespace datewell::testing
