// ParseDateText with the clock fixed: weekday names cut out (their order depends on today), the
// locale's recognition of what remains, and today for anything else. Each locale's own long and
// short dates are the every-locale sweep's; the table holds texts the control never writes and a
// script cannot set (the en_US ones it can are the entry-odd-texts scenario's), and other locales.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "entry/parse_date_text.h"
#include "platform/icu/fixed_clock.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

// The week of 13 June 2010 (a Sunday) to 19 June 2010 (a Saturday), far from the dates the texts
// name, each at about half past nine so that a result carrying the clock's time would show.
Date TodayOnWeekday(int weekday) {  // Sunday = 1
  return Date{Ymd(2010, 6, 12 + weekday).serial + 0.39};
}

constexpr CivilDate kToday{0, 0, 0};  // expected: the fixed today

struct ParseRow {
  const char* name;
  const char* locale;
  std::string text;
  CivilDate expected;     // kToday for today's date
  int today_weekday = 4;  // a Wednesday unless a row says otherwise
  int seconds = 0;
  friend void PrintTo(const ParseRow& row, std::ostream* os) { *os << row.name; }
};

class ParseDateTextTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseDateTextTest, GivesTheDateOrToday) {
  const ParseRow& row = GetParam();
  FixedClock clock(TodayOnWeekday(row.today_weekday));
  IcuLocale locale(clock, row.locale);
  const Date today = DateOnly(TodayOnWeekday(row.today_weekday));
  const Date expected = row.expected == kToday
                            ? today
                            : Date{DateFromCivil(row.expected).serial + row.seconds / 86400.0};
  const Date got = ParseDateText(locale, row.text);
  EXPECT_DOUBLE_EQ(got.serial, expected.serial)
      << "[" << row.text << "] gave " << locale.FormatDate(got, kShortDate);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ParseDateTextTest,
    ::testing::Values(
        ParseRow{"empty_is_today", "en_US", "", kToday},
        ParseRow{"time_of_day_kept",
                 "en_US",
                 "Monday, January 5, 2004 1:30 PM",
                 {2004, 1, 5},
                 4,
                 13 * 3600 + 1800},
        ParseRow{"multibyte_following_character_cut_whole",
                 "de_DE",
                 "Montag\xE2\x80\xA6"
                 "5. Januar 2004",
                 {2004, 1, 5}},
        ParseRow{"embedded_nul", "en_US", std::string("Monday, January 5,\0 2004", 24), kToday},
        ParseRow{"one_megabyte", "en_US", std::string(1 << 20, 'x'), kToday},
        ParseRow{"one_megabyte_of_names", "en_US",
                 [] {
                   std::string s;
                   while (s.size() < (1u << 20)) {
                     s += "Monday, ";
                   }
                   return s + "January 5, 2004";
                 }(),
                 kToday},
        ParseRow{"en_GB_day_first", "en_GB", "Tue 6/1/2004", {2004, 1, 6}},
        ParseRow{"de_DE_abbrev_with_dot", "de_DE", "Mo., 5.1.2004", {2004, 1, 5}},
        ParseRow{
            "es_ES_mar_not_cut_from_marzo", "es_ES", "martes, 2 de marzo de 2004", {2004, 3, 2}},
        ParseRow{"es_ES_medium_mar_is_march", "es_ES", "5 mar 2004", {2004, 3, 5}},
        ParseRow{"es_ES_accented_name", "es_ES", "Miércoles, 7 de enero de 2004", {2004, 1, 7}},
        ParseRow{"ja_JP_month_between_digits_kept", "ja_JP", "2004年1月5日", {2004, 1, 5}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// The control's own texts (Long Date, Short Date, a day cell's stored text) read back as their
// dates in every locale ICU has, whatever today is: the weekday names cut out first must never
// take a piece of a month, an era or a longer weekday name with them.
TEST(OwnTextsTest, ReadBackInEveryLocaleWithEveryToday) {
  // All twelve months and all seven weekdays (the first seven rows fall on Sunday to Saturday),
  // at both ends of the years the control accepts.
  const Date dates[] = {Ymd(100, 1, 3),  Ymd(1899, 2, 6),   Ymd(9999, 3, 2),  Ymd(2004, 4, 7),
                        Ymd(100, 5, 6),  Ymd(1899, 6, 2),   Ymd(9999, 7, 3),  Ymd(2004, 8, 30),
                        Ymd(100, 9, 14), Ymd(1899, 10, 31), Ymd(2026, 11, 4), Ymd(9999, 12, 31),
                        Ymd(100, 1, 1)};
  FixedClock clock(TodayOnWeekday(1));
  std::vector<std::string> failures;
  std::size_t checked = 0;
  for (const std::string& name : AvailableLocaleNames()) {
    IcuLocale locale(clock, name);
    for (int today = 1; today <= 7; ++today) {
      clock.Set(TodayOnWeekday(today));
      for (const Date date : dates) {
        const std::string texts[] = {locale.FormatDate(date, kLongDate),
                                     locale.FormatDate(date, kShortDate), locale.DateToText(date)};
        for (const std::string& text : texts) {
          ++checked;
          const Date got = ParseDateText(locale, text);
          if (got != date && failures.size() < 40) {
            failures.push_back(name + " today " + std::to_string(today) + ": [" + text + "] gave " +
                               locale.FormatDate(got, kLongDate));
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 100000u);  // several hundred locales
  for (const std::string& failure : failures) {
    ADD_FAILURE() << failure;
  }
}

TEST(RemoveWeekdayNamesTest, EachNameOnceWithTheCharacterAfterIt) {
  FixedClock clock(TodayOnWeekday(2));
  IcuLocale locale(clock, "en_US");
  const Date today = DateOnly(TodayOnWeekday(2));
  const struct {
    const char* text;
    const char* expected;
  } rows[] = {
      {"Monday, January 5, 2004", " January 5, 2004"},
      {"Monday Monday x", "Monday x"},     // the first occurrence only
      {"Mon Monday x", "x"},               // full name, then its abbreviation
      {"x Friday", "x "},                  // at the end: the name alone goes
      {"FRIDAY!Fri?", ""},                 // each with its following character
      {"Tue\xC3\xA9 x", "Tue\xC3\xA9 x"},  // é is a letter: Tue is no whole word
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RemoveWeekdayNames(locale, row.text, today), row.expected) << row.text;
  }
}

}  // namespace
}  // namespace datewell
