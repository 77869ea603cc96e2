// The six-week grid of a month as plain data: dates, captions and colours of the 42 cells.

#include <gtest/gtest.h>

#include <string>

#include "calendar/month_grid_math.h"
#include "calendar/test_print.h"

namespace datewell {
namespace {

Date D(int y, int m, int d) {
  return DateFromCivil({y, m, d});
}

// Cell k of the data is lblDate(k + 7); lblDate(23) holds the middle of the month.
constexpr int kFirstCellIndex = 7;
constexpr std::size_t kMidMonthCellOffset = 16;

TEST(MonthGrid, OnlyTodayIsBoldAndDarkRedWhereverItFalls) {
  const struct {
    const char* name;
    Date shown, today;
    int today_index;  // 0: not visible
  } rows[] = {
      {"in the month", D(2015, 2, 10), D(2015, 2, 14), 27},
      {"in the month before", D(2015, 3, 10), D(2015, 2, 27), 12},
      {"in the month after", D(2015, 2, 10), D(2015, 3, 3), 44},
      {"not visible", D(2015, 2, 10), D(2015, 4, 20), 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto cells = MonthGridCells(row.shown, row.today);
    int bold_cells = 0;
    for (int k = 0; k < kGridCells; ++k) {
      const DayCellContent& cell = cells[static_cast<std::size_t>(k)];
      const bool is_today = k + kFirstCellIndex == row.today_index;
      EXPECT_EQ(cell.bold, is_today);
      EXPECT_EQ(cell.fore_color == kColorToday, is_today);
      bold_cells += cell.bold ? 1 : 0;
    }
    EXPECT_EQ(bold_cells, row.today_index == 0 ? 0 : 1);
  }
}

TEST(MonthGrid, TimeOfDayOfTheShownDatePlaysNoPart) {
  const auto plain = MonthGridCells(D(2004, 1, 1), D(1970, 1, 1));
  const auto timed = MonthGridCells(Date{D(2004, 1, 17).serial + 0.99}, D(1970, 1, 1));
  for (std::size_t k = 0; k < plain.size(); ++k) {
    EXPECT_EQ(plain[k].date, timed[k].date);
    EXPECT_EQ(timed[k].date, DateOnly(timed[k].date));
    EXPECT_EQ(plain[k].fore_color, timed[k].fore_color);
  }
}

// The invariants of every fill, over every month of the supported years.
TEST(MonthGrid, InvariantsHoldForEveryMonthOfTheYears100To9999) {
  const Date today = D(2000, 1, 1);
  int failures = 0;
  for (int year = kMinYear; year <= kMaxYear && failures < 5; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const Date first = D(year, month, 1);
      const Date last = AddDays(AddMonths(first, 1), -1);
      const auto cells = MonthGridCells(D(year, month, 20), today);
      const double before_first = first.serial - cells.front().date.serial;
      const double after_last = cells.back().date.serial - last.serial;
      const CivilDate mid = CivilFromDate(cells[kMidMonthCellOffset].date);
      bool ok = WeekdayOf(cells.front().date) == 1 && before_first >= 1 && before_first <= 7 &&
                after_last >= 4 && after_last <= 13 && mid.month == month && mid.year == year &&
                mid.day >= 10 && mid.day <= 16;
      for (std::size_t k = 1; ok && k < cells.size(); ++k) {
        ok = cells[k].date.serial == cells[k - 1].date.serial + 1;
      }
      for (const DayCellContent& cell : cells) {
        const CivilDate c = CivilFromDate(cell.date);
        const bool in_month = c.month == month;
        ok = ok && cell.day_of_month == c.day &&
             cell.fore_color == (cell.date == today ? kColorToday
                                 : in_month         ? kColorBlack
                                                    : kColorButtonShadow);
      }
      if (!ok) {
        ++failures;
        ADD_FAILURE() << "month " << month << "/" << year;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace datewell
