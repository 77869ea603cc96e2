// The system clock's conversion of local time. (Date parts and arithmetic are the plain date
// functions, tested with the platform types.)

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

#include "platform/system_clock.h"

namespace datewell {
namespace {

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
