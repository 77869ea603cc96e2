#pragma once
// The month quick-select list: its seven months and which item a vertical position highlights.

#include <array>

#include "platform/types.h"

namespace datewell {

inline constexpr int kMonthListItems = 7;
inline constexpr int kMonthListShownItem = 3;  // the shown month sits in the middle

// The months of the list, three before the shown month to three after, in ascending order. Near
// the ends of the years 100 to 9999 the items beyond them repeat the first or the last month.
std::array<Date, kMonthListItems> MonthListDates(Date shown);

// The item under a vertical position y (twips, in the coordinates the move arrives in): the
// list's height cut into seven equal bands, the first starting 500 twips above y = 0; positions
// above the first band or below the last stay on the first or the last item. A list of no
// height, or a position that is not a number, highlights the first item.
int MonthListIndexAt(float y, float list_height);

}  // namespace datewell
