#include "calendar/month_list_band.h"

#include <cmath>

#include "calendar/month_grid_math.h"

namespace datewell {

std::array<Date, kMonthListItems> MonthListDates(Date shown) {
  std::array<Date, kMonthListItems> dates{};
  for (int k = 0; k < kMonthListItems; ++k) {
    dates[static_cast<std::size_t>(k)] =
        AddMonths(shown, MonthStepWithinRange(shown, k - kMonthListShownItem));
  }
  return dates;
}

int MonthListIndexAt(float y, float list_height) {
  if (!(list_height > 0.0f)) {
    return 0;
  }
  const float shifted = y + 500.0f;  // single-precision sum, as the move's Y is single
  const double band = std::floor(static_cast<double>(shifted) * kMonthListItems / list_height);
  // Clamped while still a real number, so that a position far off the screen cannot overflow
  // the conversion to an index.
  if (!(band > 0.0)) {
    return 0;
  }
  if (band > kMonthListItems - 1) {
    return kMonthListItems - 1;
  }
  return static_cast<int>(band);
}

}  // namespace datewell
