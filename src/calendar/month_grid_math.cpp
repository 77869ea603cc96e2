#include "calendar/month_grid_math.h"

#include <algorithm>

namespace datewell {

Date FirstGridDate(Date d) {
  const CivilDate c = CivilFromDate(d);
  const Date first = AddDays(DateOnly(d), 1 - c.day);
  const int weekday = WeekdayOf(first);
  return AddDays(first, weekday == 1 ? -7 : -(weekday - 1));
}

std::array<DayCellContent, kGridCells> MonthGridCells(Date d, Date today) {
  const int shown_month = CivilFromDate(d).month;
  const Date today_date = DateOnly(today);
  const Date start = FirstGridDate(d);
  std::array<DayCellContent, kGridCells> cells{};
  for (int k = 0; k < kGridCells; ++k) {
    DayCellContent& cell = cells[static_cast<std::size_t>(k)];
    cell.date = AddDays(start, k);
    const CivilDate c = CivilFromDate(cell.date);
    cell.day_of_month = c.day;
    // Only the month numbers are compared: 42 days never span a year's worth.
    cell.fore_color = c.month != shown_month ? kColorButtonShadow : kColorBlack;
    if (cell.date == today_date) {
      cell.bold = true;
      cell.fore_color = kColorToday;
    }
  }
  return cells;
}

int MonthStepWithinRange(Date d, int months) {
  const CivilDate c = CivilFromDate(d);
  // Months counted from January of year 0; 64 bits, so that no step can overflow the sum.
  const std::int64_t from = std::int64_t{c.year} * 12 + (c.month - 1);
  const std::int64_t first = std::int64_t{kMinYear} * 12;
  const std::int64_t last = std::int64_t{kMaxYear} * 12 + 11;
  const std::int64_t to = std::clamp(from + months, first, last);
  return static_cast<int>(to - from);
}

}  // namespace datewell
