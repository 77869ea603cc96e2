// What the recogniser reads, and what it refuses, per locale.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fixed_clock.h"
#include "platform/icu/date_recogniser.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

struct AcceptRow {
  const char* name;
  const char* locale;
  const char* text;
  CivilDate expected;
  int seconds = 0;  // time of day
  friend void PrintTo(const AcceptRow& row, std::ostream* os) { *os << row.name; }
};

class RecogniseAcceptTest : public ::testing::TestWithParam<AcceptRow> {};

TEST_P(RecogniseAcceptTest, ReadsTheDate) {
  const AcceptRow& row = GetParam();
  FixedClock clock(Ymd(2010, 6, 15));
  IcuLocale locale(clock, row.locale);
  const std::optional<Date> got = locale.RecogniseDate(row.text);
  ASSERT_TRUE(got.has_value()) << row.text;
  const double day = DateFromCivil(row.expected).serial;
  const double time = row.seconds / 86400.0;
  EXPECT_DOUBLE_EQ(got->serial, day < 0 ? day - time : day + time) << row.text;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, RecogniseAcceptTest,
    ::testing::Values(
        AcceptRow{"en_US_long_after_weekday_cut", "en_US", ", January 5, 2004", {2004, 1, 5}},
        AcceptRow{"en_US_long_padded_day", "en_US", " January 05, 2004", {2004, 1, 5}},
        AcceptRow{"en_US_day_month_name_year", "en_US", "5 Jan 2004", {2004, 1, 5}},
        AcceptRow{"en_US_month_name_day_year", "en_US", "Jan 5 2004", {2004, 1, 5}},
        AcceptRow{"en_US_iso", "en_US", "2004-01-05", {2004, 1, 5}},
        AcceptRow{"en_US_dashes_two_digit_year", "en_US", "1-5-04", {2004, 1, 5}},
        AcceptRow{"en_US_year_30_is_1930", "en_US", "1/5/30", {1930, 1, 5}},
        AcceptRow{"en_US_ordinal_day", "en_US", "January 5th, 2004", {2004, 1, 5}},
        AcceptRow{"en_US_weekday_anywhere", "en_US", "5 Jan Monday 2004", {2004, 1, 5}},
        AcceptRow{"en_US_time_pm", "en_US", "1/5/2004 1:30 PM", {2004, 1, 5}, 13 * 3600 + 1800},
        AcceptRow{"en_US_time_seconds",
                  "en_US",
                  "1/5/2004 1:30:15\u202fpm",
                  {2004, 1, 5},
                  13 * 3600 + 1815},
        AcceptRow{"en_US_twelve_pm_is_noon",
                  "en_US",
                  "1/5/2004 12:05 p.m.",
                  {2004, 1, 5},
                  12 * 3600 + 300},
        AcceptRow{"en_US_hour_with_marker_only",
                  "en_US",
                  "January 5, 2004 1 PM",
                  {2004, 1, 5},
                  13 * 3600},
        AcceptRow{"en_US_time_before_1899", "en_US", "12/29/1899 6:00", {1899, 12, 29}, 6 * 3600},
        AcceptRow{"en_US_only_day_first_is_a_date", "en_US", "13/1/2004", {2004, 1, 13}},
        AcceptRow{"en_GB_day_first", "en_GB", "5/1/2004", {2004, 1, 5}},
        AcceptRow{"en_GB_only_month_first_is_a_date", "en_GB", "1/13/2004", {2004, 1, 13}},
        AcceptRow{"de_DE_only_month_first_is_a_date", "de_DE", "1.13.04", {2004, 1, 13}},
        AcceptRow{"en_GB_long", "en_GB", " 5 January 2004", {2004, 1, 5}},
        AcceptRow{"de_DE_long", "de_DE", "5. Januar 2004", {2004, 1, 5}},
        AcceptRow{"de_DE_umlaut_any_case", "de_DE", "5. MÄRZ 2004", {2004, 3, 5}},
        AcceptRow{"de_DE_english_fallback", "de_DE", "5 March 2004", {2004, 3, 5}},
        AcceptRow{
            "de_DE_time_with_dots", "de_DE", "05.01.2004 13.30.00", {2004, 1, 5}, 13 * 3600 + 1800},
        AcceptRow{
            "de_DE_time_with_colons", "de_DE", "05.01.2004 13:30", {2004, 1, 5}, 13 * 3600 + 1800},
        AcceptRow{"es_ES_long", "es_ES", "5 de enero de 2004", {2004, 1, 5}},
        AcceptRow{"es_ES_march_not_tuesday", "es_ES", "5 de marzo de 2004", {2004, 3, 5}},
        AcceptRow{"es_ES_mar_is_march_when_alone", "es_ES", "5 mar 2004", {2004, 3, 5}},
        AcceptRow{"es_ES_mar_is_tuesday_beside_month", "es_ES", "mar 6 ene 2004", {2004, 1, 6}},
        AcceptRow{"es_ES_mar_is_tuesday_beside_numbers", "es_ES", "mar 6/1/2004", {2004, 1, 6}},
        AcceptRow{"es_ES_accented_weekday", "es_ES", "miércoles, 7 de enero de 2004", {2004, 1, 7}},
        AcceptRow{"ja_JP_long_with_weekday", "ja_JP", "2004年1月5日月曜日", {2004, 1, 5}},
        AcceptRow{"ja_JP_fullwidth_digits", "ja_JP", "２００４年１月５日", {2004, 1, 5}},
        AcceptRow{"ja_JP_two_digit_year_first", "ja_JP", "04/1/5", {2004, 1, 5}},
        AcceptRow{"ja_JP_afternoon_marker_first",
                  "ja_JP",
                  "2004/01/05 午後1:30",
                  {2004, 1, 5},
                  13 * 3600 + 1800},
        AcceptRow{"ko_KR_marker_before_time",
                  "ko_KR",
                  "2004. 1. 5. 오후 1:30:00",
                  {2004, 1, 5},
                  13 * 3600 + 1800},
        AcceptRow{"ru_RU_genitive_month", "ru_RU", "5 января 2004 г.", {2004, 1, 5}},
        AcceptRow{"tr_TR_dotted_capital_i", "tr_TR", "5 NİSAN 2004", {2004, 4, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RejectRow {
  const char* name;
  const char* locale;
  std::string text;
  friend void PrintTo(const RejectRow& row, std::ostream* os) { *os << row.name; }
};

class RecogniseRejectTest : public ::testing::TestWithParam<RejectRow> {};

TEST_P(RecogniseRejectTest, NamesNoDate) {
  const RejectRow& row = GetParam();
  FixedClock clock(Ymd(2010, 6, 15));
  IcuLocale locale(clock, row.locale);
  const std::optional<Date> got = locale.RecogniseDate(row.text);
  EXPECT_FALSE(got.has_value()) << row.text << " read as " << (got ? got->serial : 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, RecogniseRejectTest,
    ::testing::Values(RejectRow{"empty", "en_US", ""},
                      RejectRow{"weekday_alone", "en_US", "Monday"},
                      RejectRow{"month_thirty_one", "en_US", "31/31/2004"},
                      RejectRow{"february_thirtieth_not_rolled_over", "en_US", "2/30/2004"},
                      RejectRow{"not_a_leap_year", "de_DE", "29.2.2100"},
                      RejectRow{"trailing_word", "en_US", "1/5/2004 hello"},
                      RejectRow{"leading_word", "en_US", "hello 1/5/2004"},
                      RejectRow{"month_name_prefix_of_word", "en_US", "Janx 5 2004"},
                      RejectRow{"year_99_before_range", "en_US", "1/1/099"},
                      RejectRow{"month_and_year_only", "en_US", " January 2004"},
                      RejectRow{"two_month_names", "en_US", "January February 5 2004"},
                      RejectRow{"month_name_and_three_numbers", "en_US", "January 1/5/2004"},
                      RejectRow{"year_in_the_middle", "en_US", "1/2004/5"},
                      RejectRow{"pm_hour_13", "en_US", "1/5/2004 13:30 PM"},
                      RejectRow{"marker_without_time", "en_US", "1/5/2004 PM"},
                      RejectRow{"bare_hour", "en_US", "January 5, 2004 13"},
                      RejectRow{"time_only", "en_US", "13:30"},
                      RejectRow{"time_before_date", "en_US", "13:30 1/5/2004"},
                      RejectRow{"embedded_nul", "en_US",
                                std::string("1/5/\0"
                                            "2004",
                                            9)},
                      RejectRow{"invalid_utf8", "en_US", "1/5/2004 \xC3"},
                      RejectRow{"too_long", "en_US", std::string(600, ' ') + "1/5/2004"},
                      RejectRow{"ja_month_out_of_range", "ja_JP", "2004年13月5日"},
                      RejectRow{"de_unknown_word", "de_DE", "5. Jänner 2004 morgen"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WindowRow {
  int yy;
  int expected;
};

TEST(WindowTwoDigitYearTest, ThirtyIsTheTurn) {
  for (const WindowRow row : {WindowRow{0, 2000}, WindowRow{29, 2029}, WindowRow{30, 1930},
                              WindowRow{99, 1999}, WindowRow{4, 2004}}) {
    EXPECT_EQ(WindowTwoDigitYear(row.yy), row.expected) << row.yy;
  }
}

}  // namespace
}  // namespace datewell
