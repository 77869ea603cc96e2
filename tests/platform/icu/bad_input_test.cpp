// Any bytes at all: the services answer and never crash.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "fixed_clock.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

struct BytesRow {
  const char* name;
  std::string text;
  bool names_a_date;
  friend void PrintTo(const BytesRow& row, std::ostream* os) { *os << row.name; }
};

class BadBytesTest : public ::testing::TestWithParam<BytesRow> {};

TEST_P(BadBytesTest, RecogniserAndSearchAnswer) {
  const BytesRow& row = GetParam();
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, "en_US");
  EXPECT_EQ(locale.RecogniseDate(row.text).has_value(), row.names_a_date);
  // The needle is not there unless the text holds it.
  const bool holds_monday = row.text.find("Monday") != std::string::npos;
  EXPECT_EQ(locale.InStr(row.text, "monday") != 0, holds_monday);
  EXPECT_EQ(locale.InStrWeekday(row.text, "monday") != 0, holds_monday);
}

std::string Repeat(std::string_view piece, std::size_t bytes) {
  std::string s;
  while (s.size() < bytes) {
    s += piece;
  }
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, BadBytesTest,
    ::testing::Values(
        BytesRow{"lone_continuation_bytes", "\x80\x80\x80", false},
        BytesRow{"truncated_sequence_at_end", "1/5/2004\xE2\x82", false},
        BytesRow{"surrogate_encoded", "\xED\xA0\x80 1/5/2004", false},
        BytesRow{"beyond_unicode", "\xF4\x90\x80\x80", false},
        BytesRow{"nul_after_date", std::string("1/5/2004\0", 9), false},
        BytesRow{"all_byte_values",
                 [] {
                   std::string s;
                   for (int b = 0; b < 256; ++b) {
                     s += static_cast<char>(b);
                   }
                   return s;
                 }(),
                 false},
        BytesRow{"one_megabyte_of_garbage", Repeat("\xFF\x00Monday,", 1 << 20), false},
        BytesRow{"one_megabyte_then_a_date", Repeat(" ", 1 << 20) + "1/5/2004", false},
        BytesRow{"digits_beyond_int", "99999999999999999999/1/2004", false},
        BytesRow{"a_good_date_still_reads", "Monday, January 5, 2004", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct OddDateRow {
  const char* name;
  double serial;
};

TEST(BadDatesTest, FormattingOddDatesGivesNoText) {
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, "en_US");
  for (const OddDateRow row :
       {OddDateRow{"nan", std::numeric_limits<double>::quiet_NaN()},
        OddDateRow{"infinity", std::numeric_limits<double>::infinity()},
        OddDateRow{"minus_infinity", -std::numeric_limits<double>::infinity()},
        OddDateRow{"far_future", 1e300}, OddDateRow{"far_past", -1e15}}) {
    for (std::string_view mask :
         {kLongDate, kShortDate, kMonthYearMask, kWeekdayMask, kWeekdayAbbrevMask}) {
      EXPECT_EQ(locale.FormatDate(Date{row.serial}, mask), "") << row.name << " " << mask;
    }
    EXPECT_EQ(locale.DateToText(Date{row.serial}), "") << row.name;
  }
}

}  // namespace
}  // namespace datewell
