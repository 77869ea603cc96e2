// ParseDateText with the clock fixed: weekday names cut out (their order depends on today), the
// locale's recognition of what remains, and today for anything else.

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
        ParseRow{"blanks_are_today", "en_US", "   ", kToday},
        ParseRow{"long_date_padded_day", "en_US", "Monday, January 05, 2004", {2004, 1, 5}},
        ParseRow{"abbrev_and_comma", "en_US", "Mon, 5 Jan 2004", {2004, 1, 5}},
        ParseRow{"full_name_alone", "en_US", "Monday", kToday},
        ParseRow{"abbrev_alone", "en_US", "Mon", kToday},
        ParseRow{"name_at_the_end_removed", "en_US", "5 January 2004 Monday", {2004, 1, 5}},
        ParseRow{"abbrev_at_the_end_removed", "en_US", "5 January 2004 Mon", {2004, 1, 5}},
        ParseRow{"digit_after_name_goes_with_it", "en_US", "Monday5 January 2004", kToday},
        ParseRow{"digit_after_name_short_date", "en_US", "Monday11/5/2004", {2004, 1, 5}},
        ParseRow{"all_seven_names",
                 "en_US",
                 "Sunday Monday Tuesday Wednesday Thursday Friday Saturday 9 January 2004",
                 {2004, 1, 9}},
        ParseRow{"name_inside_word_kept", "en_US", "Sundays 5 Jan 2004", kToday},
        ParseRow{"hello", "en_US", "hello", kToday},
        ParseRow{"time_of_day_kept",
                 "en_US",
                 "Monday, January 5, 2004 1:30 PM",
                 {2004, 1, 5},
                 4,
                 13 * 3600 + 1800},
        ParseRow{"invalid_byte_is_the_following_character",
                 "en_US",
                 "Monday\xFF January 5, 2004",
                 {2004, 1, 5}},
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
        ParseRow{"en_GB_long", "en_GB", "Monday, 5 January 2004", {2004, 1, 5}},
        ParseRow{"en_GB_day_first", "en_GB", "Tue 6/1/2004", {2004, 1, 6}},
        ParseRow{"de_DE_long", "de_DE", "Montag, 5. Januar 2004", {2004, 1, 5}},
        ParseRow{"de_DE_abbrev_with_dot", "de_DE", "Mo., 5.1.2004", {2004, 1, 5}},
        ParseRow{"es_ES_long", "es_ES", "lunes, 5 de enero de 2004", {2004, 1, 5}},
        ParseRow{
            "es_ES_mar_not_cut_from_marzo", "es_ES", "martes, 2 de marzo de 2004", {2004, 3, 2}},
        ParseRow{"es_ES_accented_name", "es_ES", "Miércoles, 7 de enero de 2004", {2004, 1, 7}},
        ParseRow{"ja_JP_long_weekday_last", "ja_JP", "2004年1月5日月曜日", {2004, 1, 5}},
        ParseRow{"ja_JP_month_between_digits_kept", "ja_JP", "2004年1月5日", {2004, 1, 5}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// In Azerbaijani Monday is "bazar ertəsi" and Sunday "bazar", Tuesday "çərşənbə axşamı" and
// Wednesday "çərşənbə": which name is looked for first decides what is left of the text.
struct OrderRow {
  const char* name;
  int today_weekday;
  const char* text;
  bool reads_date;  // else today
  friend void PrintTo(const OrderRow& row, std::ostream* os) { *os << row.name; }
};

class WeekdayOrderTest : public ::testing::TestWithParam<OrderRow> {};

TEST_P(WeekdayOrderTest, NamesAreTriedFromToday) {
  const OrderRow& row = GetParam();
  FixedClock clock(TodayOnWeekday(row.today_weekday));
  IcuLocale locale(clock, "az_AZ");
  const Date got = ParseDateText(locale, row.text);
  const Date want = row.reads_date ? *locale.RecogniseDate("5 yanvar 2004")
                                   : DateOnly(TodayOnWeekday(row.today_weekday));
  EXPECT_EQ(got, want) << row.text << " gave " << locale.FormatDate(got, kShortDate);
}

constexpr const char* kMonday = "5 yanvar 2004, bazar ertəsi";
constexpr const char* kTuesday = "5 yanvar 2004 çərşənbə axşamı";

INSTANTIATE_TEST_SUITE_P(
    SevenTodays, WeekdayOrderTest,
    ::testing::Values(OrderRow{"monday_text_today_sunday", 1, kMonday, false},
                      OrderRow{"monday_text_today_monday", 2, kMonday, true},
                      OrderRow{"monday_text_today_tuesday", 3, kMonday, false},
                      OrderRow{"monday_text_today_wednesday", 4, kMonday, false},
                      OrderRow{"monday_text_today_thursday", 5, kMonday, false},
                      OrderRow{"monday_text_today_friday", 6, kMonday, false},
                      OrderRow{"monday_text_today_saturday", 7, kMonday, false},
                      OrderRow{"tuesday_text_today_sunday", 1, kTuesday, true},
                      OrderRow{"tuesday_text_today_monday", 2, kTuesday, true},
                      OrderRow{"tuesday_text_today_tuesday", 3, kTuesday, true},
                      OrderRow{"tuesday_text_today_wednesday", 4, kTuesday, false},
                      OrderRow{"tuesday_text_today_thursday", 5, kTuesday, true},
                      OrderRow{"tuesday_text_today_friday", 6, kTuesday, true},
                      OrderRow{"tuesday_text_today_saturday", 7, kTuesday, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The control's own texts read back whatever today is: the Long Date of each weekday, with each
// of the seven days as today, in each locale. (Every day of whole years reads back in the locale
// services' own round trip.)
struct LocaleRow {
  const char* locale;
  friend void PrintTo(const LocaleRow& row, std::ostream* os) { *os << row.locale; }
};

class OwnTextsTest : public ::testing::TestWithParam<LocaleRow> {};

TEST_P(OwnTextsTest, LongDateOfEveryWeekdayWithEveryToday) {
  for (int today = 1; today <= 7; ++today) {
    FixedClock clock(TodayOnWeekday(today));
    IcuLocale locale(clock, GetParam().locale);
    for (int day = 12; day <= 18; ++day) {  // Monday 12 to Sunday 18 January 2010
      const Date date = Ymd(2010, 1, day);
      for (std::string_view mask : {kLongDate, kShortDate}) {
        const std::string text = locale.FormatDate(date, mask);
        EXPECT_EQ(ParseDateText(locale, text), date) << "today " << today << ": " << text;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, OwnTextsTest,
                         ::testing::Values(LocaleRow{"en_US"}, LocaleRow{"en_GB"},
                                           LocaleRow{"de_DE"}, LocaleRow{"es_ES"},
                                           LocaleRow{"ja_JP"}, LocaleRow{"fr_FR"},
                                           LocaleRow{"ko_KR"}),
                         [](const auto& info) { return std::string(info.param.locale); });

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
      {"Sundays Sun,x", "Sundays x"},      // the whole word, not the one inside a word
      {"5Monday x", "5Monday x"},          // glued to a digit before: not a weekday
      {"Tue\xC3\xA9 x", "Tue\xC3\xA9 x"},  // é is a letter: Tue is no whole word
      {"Tue\xE2\x80\xA6x", "x"},           // … is one character of three bytes
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RemoveWeekdayNames(locale, row.text, today), row.expected) << row.text;
  }
}

}  // namespace
}  // namespace datewell
