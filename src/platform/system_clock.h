#pragma once
// The real local time of the machine, for hosts that run on a desktop.

#include <ctime>

#include "platform/locale.h"

namespace datewell {

// The automation date of a broken-down local time (seconds kept, no time zone arithmetic).
Date DateFromLocalTime(const std::tm& local);

class SystemClock final : public Clock {
 public:
  Date Now() override;
};

}  // namespace datewell
