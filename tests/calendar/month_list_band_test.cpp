// The month quick-select list: its seven months and the band rule under a vertical position.

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "calendar/month_list_band.h"
#include "calendar/test_print.h"

namespace datewell {
namespace {

TEST(MonthListBands, SevenEqualBandsFrom500AboveClampedAtBothEnds) {
  constexpr float kH = 1395;  // the design height of the list
  const struct {
    const char* name;
    float y, list_height;
    int index;
  } rows[] = {
      {"far above", -100000, kH, 0},
      {"first band's start", -500, kH, 0},
      {"just above the second band", -300.8f, kH, 0},
      {"second band's start", -300.6f, kH, 1},
      {"just above the shown month", 97.8f, kH, 2},
      {"the shown month's start", 97.9f, kH, 3},
      {"the caption's middle", 187, kH, 3},
      {"the caption's bottom", 285, kH, 3},
      {"just above the last band", 695.7f, kH, 5},
      {"the last band's start", 695.8f, kH, 6},
      {"infinitely far below", std::numeric_limits<float>::infinity(), kH, 6},
      {"not a number", std::numeric_limits<float>::quiet_NaN(), kH, 0},
      // A list 700 high: bands of 100 twips from -500.
      {"another height, band 1", -400, 700, 1},
      {"another height, band 6", 100, 700, 6},
      {"no height", 100, 0, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(MonthListIndexAt(row.y, row.list_height), row.index) << row.name;
  }
}

std::string Dates(const std::array<Date, 7>& dates) {
  std::string text;
  for (const Date d : dates) {
    const CivilDate c = CivilFromDate(d);
    text += (text.empty() ? "" : " ") + std::to_string(c.year) + "-" + std::to_string(c.month) +
            "-" + std::to_string(c.day);
  }
  return text;
}

// (That the list goes no further than December 9999 or January 100 the year-range-ends scenario
// shows.)
TEST(MonthListMonths, ThreeBeforeToThreeAfterAscending) {
  const struct {
    const char* name;
    CivilDate shown;
    const char* items;
  } rows[] = {
      {"March 2004",
       {2004, 3, 14},
       "2003-12-14 2004-1-14 2004-2-14 2004-3-14 2004-4-14 2004-5-14 2004-6-14"},
      {"January reaches back a year",
       {2011, 1, 11},
       "2010-10-11 2010-11-11 2010-12-11 2011-1-11 2011-2-11 2011-3-11 2011-4-11"},
      {"month arithmetic keeps within each month",
       {2004, 3, 31},
       "2003-12-31 2004-1-31 2004-2-29 2004-3-31 2004-4-30 2004-5-31 2004-6-30"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Dates(MonthListDates(DateFromCivil(row.shown))), row.items) << row.name;
  }
}

}  // namespace
}  // namespace datewell
