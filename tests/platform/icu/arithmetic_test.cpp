// Date parts and arithmetic as the locale services give them, and the system clock's conversion.

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

#include "fixed_clock.h"
#include "platform/icu/icu_locale.h"
#include "platform/system_clock.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

struct MonthAddRow {
  const char* name;
  CivilDate from;
  int months;
  CivilDate expected;
  friend void PrintTo(const MonthAddRow& row, std::ostream* os) { *os << row.name; }
};

class MonthAddTest : public ::testing::TestWithParam<MonthAddRow> {};

TEST_P(MonthAddTest, ClampsToTheMonthsLastDay) {
  const MonthAddRow& row = GetParam();
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, "en_US");
  EXPECT_EQ(CivilFromDate(locale.MonthAdd(DateFromCivil(row.from), row.months)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clamping, MonthAddTest,
    ::testing::Values(MonthAddRow{"jan31_to_feb_leap", {2004, 1, 31}, 1, {2004, 2, 29}},
                      MonthAddRow{"jan31_to_feb", {2003, 1, 31}, 1, {2003, 2, 28}},
                      MonthAddRow{"mar31_back_to_feb", {2004, 3, 31}, -1, {2004, 2, 29}},
                      MonthAddRow{"feb_2100_not_leap", {2100, 1, 31}, 1, {2100, 2, 28}},
                      MonthAddRow{"feb_2000_leap", {2000, 1, 30}, 1, {2000, 2, 29}},
                      MonthAddRow{"dec_to_jan_next_year", {2004, 12, 15}, 1, {2005, 1, 15}},
                      MonthAddRow{"jan_to_dec_last_year", {2004, 1, 15}, -1, {2003, 12, 15}},
                      MonthAddRow{"may31_to_jun30", {2004, 5, 31}, 1, {2004, 6, 30}},
                      MonthAddRow{"many_years", {100, 1, 31}, 12 * 9899 + 1, {9999, 2, 28}},
                      MonthAddRow{"zero_months", {2004, 2, 29}, 0, {2004, 2, 29}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LocalePartsTest, PartsOfADate) {
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, "en_US");
  const struct {
    CivilDate date;
    int weekday;
  } rows[] = {{{2004, 1, 5}, 2}, {{1899, 12, 30}, 7}, {{100, 1, 1}, 6}, {{9999, 12, 31}, 6}};
  for (const auto& row : rows) {
    const Date d = DateFromCivil(row.date);
    EXPECT_EQ(locale.Day(d), row.date.day);
    EXPECT_EQ(locale.Month(d), row.date.month);
    EXPECT_EQ(locale.Year(d), row.date.year);
    EXPECT_EQ(locale.Weekday(d), row.weekday) << row.date.year;
    EXPECT_EQ(locale.DateAdd(d, 1), Date{d.serial + 1});
  }
}

struct LocalTimeRow {
  const char* name;
  std::tm local;
  double expected;
  friend void PrintTo(const LocalTimeRow& row, std::ostream* os) { *os << row.name; }
};

std::tm Tm(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

class LocalTimeTest : public ::testing::TestWithParam<LocalTimeRow> {};

TEST_P(LocalTimeTest, BecomesAnAutomationDate) {
  EXPECT_DOUBLE_EQ(DateFromLocalTime(GetParam().local).serial, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SystemClock, LocalTimeTest,
    ::testing::Values(LocalTimeRow{"midnight", Tm(2004, 1, 5, 0, 0, 0), 37991.0},
                      LocalTimeRow{"half_past_one_pm", Tm(2004, 1, 5, 13, 30, 0),
                                   37991.0 + 13.5 / 24},
                      LocalTimeRow{"leap_second_stays_in_day", Tm(2004, 1, 5, 23, 59, 60),
                                   37991.0 + 86399.0 / 86400},
                      LocalTimeRow{"before_day_zero", Tm(1899, 12, 29, 6, 0, 0), -1.25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemClockTest, NowIsTodaysLocalDate) {
  const std::time_t before = std::time(nullptr);
  SystemClock clock;
  const Date now = clock.Now();
  const std::time_t after = std::time(nullptr);
  std::tm a{};
  std::tm b{};
  localtime_r(&before, &a);
  localtime_r(&after, &b);
  EXPECT_GE(now.serial, DateFromLocalTime(a).serial);
  EXPECT_LE(now.serial, DateFromLocalTime(b).serial);
}

}  // namespace
}  // namespace datewell
