#include "platform/system_clock.h"

#include <ctime>

namespace datewell {

Date DateFromLocalTime(const std::tm& local) {
  const Date day = DateFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
  // A leap second (tm_sec 60) stays within the day.
  const int seconds =
      local.tm_hour * 3600 + local.tm_min * 60 + (local.tm_sec > 59 ? 59 : local.tm_sec);
  // Before 30 December 1899 the time of day counts away from zero, as everywhere else.
  const double time = seconds / 86400.0;
  return Date{day.serial < 0 ? day.serial - time : day.serial + time};
}

Date SystemClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) {
    return Date{};
  }
  return DateFromLocalTime(local);
}

}  // namespace datewell
