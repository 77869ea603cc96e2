#pragma once
// The six-week grid of a month as plain data: what each of the 42 day cells shows.

#include <array>
#include <cstdint>

#include "calendar/colors.h"
#include "platform/types.h"

namespace datewell {

inline constexpr int kGridCells = 42;

struct DayCellContent {
  Date date;             // no time of day
  int day_of_month = 0;  // the caption, without a leading zero
  bool bold = false;     // today only
  OleColor fore_color = kColorBlack;
};

// The date in the first cell (a Sunday): 1 to 7 days before the 1st of d's month, a whole week
// before when the 1st is itself a Sunday.
Date FirstGridDate(Date d);

// The 42 cells, Sunday first, for the month that contains d. Days of the month before or after
// are button-shadow coloured; today is bold and dark red wherever it falls. The time of day of
// both arguments plays no part.
std::array<DayCellContent, kGridCells> MonthGridCells(Date d, Date today);

// The step of `months` from d's month, shortened so that it ends inside January 100 to
// December 9999: at either end it goes no further than the first or the last month. The grid of
// a month beyond them could not be read back.
int MonthStepWithinRange(Date d, int months);

}  // namespace datewell
