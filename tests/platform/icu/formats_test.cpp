// The named formats and masks per locale, the plain date-to-text conversion and the locale name.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fixed_clock.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

struct FormatRow {
  const char* name;
  const char* locale;
  Date date;
  std::string_view mask;
  const char* expected;
  friend void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.name; }
};

class FormatTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatTest, FormatsAsTheLocaleWritesIt) {
  const FormatRow& row = GetParam();
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, row.locale);
  EXPECT_EQ(locale.FormatDate(row.date, row.mask), row.expected);
}

// 5 January 2004 was a Monday; 1 January 100 a Friday (proleptic Gregorian). The long and short
// dates and the month caption of en_US, and the long date of de_DE, the scenarios print.
INSTANTIATE_TEST_SUITE_P(
    Locales, FormatTest,
    ::testing::Values(
        FormatRow{"en_US_year_100_is_not_julian", "en_US", Ymd(100, 1, 1), kLongDate,
                  "Friday, January 1, 100"},
        FormatRow{"en_US_year_100_short_padded", "en_US", Ymd(100, 1, 1), kShortDate, "1/1/0100"},
        FormatRow{"en_US_time_of_day_ignored", "en_US", Date{Ymd(2004, 1, 5).serial + 0.75},
                  kShortDate, "1/5/2004"},
        FormatRow{"en_US_before_1899_with_time", "en_US", Date{Ymd(1899, 12, 29).serial - 0.5},
                  kShortDate, "12/29/1899"},
        FormatRow{"en_GB_long", "en_GB", Ymd(2004, 1, 5), kLongDate, "Monday, 5 January 2004"},
        FormatRow{"en_GB_short", "en_GB", Ymd(2004, 1, 5), kShortDate, "05/01/2004"},
        FormatRow{"de_DE_weekday_abbrev", "de_DE", Ymd(2004, 1, 7), kWeekdayAbbrevMask, "Mi."},
        FormatRow{"es_ES_long", "es_ES", Ymd(2004, 1, 5), kLongDate, "lunes, 5 de enero de 2004"},
        FormatRow{"ja_JP_long_weekday_last", "ja_JP", Ymd(2004, 1, 5), kLongDate,
                  "2004年1月5日月曜日"},
        FormatRow{"ru_RU_month_year_standalone", "ru_RU", Ymd(2004, 1, 5), kMonthYearMask,
                  "январь 2004\u202fг."}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextRow {
  const char* name;
  const char* locale;
  Date date;
  const char* expected;
  friend void PrintTo(const TextRow& row, std::ostream* os) { *os << row.name; }
};

class DateToTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(DateToTextTest, ShortFormWithTimeWhenThereIsOne) {
  const TextRow& row = GetParam();
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, row.locale);
  EXPECT_EQ(locale.DateToText(row.date), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateToTextTest,
    ::testing::Values(TextRow{"en_US_afternoon", "en_US", Date{Ymd(2004, 1, 5).serial + 13.5 / 24},
                              "1/5/2004 1:30:00\u202fPM"},
                      TextRow{"en_US_rounds_to_the_second", "en_US",
                              Date{Ymd(2004, 1, 5).serial + (3600 + 0.6) / 86400},
                              "1/5/2004 1:00:01\u202fAM"},
                      TextRow{"en_US_never_carries_into_next_day", "en_US",
                              Date{Ymd(2004, 1, 5).serial + 0.9999999},
                              "1/5/2004 11:59:59\u202fPM"},
                      TextRow{"en_US_before_1899_time_counts_away_from_zero", "en_US",
                              Date{Ymd(1899, 12, 29).serial - 0.25}, "12/29/1899 6:00:00\u202fAM"},
                      TextRow{"de_DE_24_hours", "de_DE", Date{Ymd(2004, 1, 5).serial + 13.5 / 24},
                              "05.01.2004 13:30:00"},
                      TextRow{"ja_JP_date_only", "ja_JP", Ymd(100, 1, 1), "0100/01/01"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameRow {
  const char* name;
  const char* requested;
  const char* lc_all;
  const char* lc_time;
  const char* lang;
  const char* expected;
  friend void PrintTo(const NameRow& row, std::ostream* os) { *os << row.name; }
};

class ResolveLocaleNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(ResolveLocaleNameTest, PicksTheLocale) {
  const NameRow& row = GetParam();
  EXPECT_EQ(ResolveLocaleName(row.requested, row.lc_all, row.lc_time, row.lang), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, ResolveLocaleNameTest,
    ::testing::Values(NameRow{"lc_all_first", "", "fr_FR.UTF-8", "de_DE", "es_ES", "fr_FR"},
                      NameRow{"empty_lc_all_skipped", "", "", nullptr, "es_ES.UTF-8", "es_ES"},
                      NameRow{"modifier_dropped", "", nullptr, nullptr, "de_DE@euro", "de_DE"},
                      NameRow{"unset_is_en_US", "", nullptr, nullptr, nullptr, "en_US"},
                      NameRow{"c_is_en_US", "", "C", nullptr, nullptr, "en_US"},
                      NameRow{"language_tag_dashes", "pt-BR", nullptr, nullptr, nullptr, "pt_BR"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IcuLocaleTest, NameAndToday) {
  FixedClock clock(Date{Ymd(2004, 1, 5).serial + 0.75});
  IcuLocale locale(clock, "de_DE");
  EXPECT_EQ(locale.Name(), "de_DE");
  EXPECT_EQ(locale.Today(), Ymd(2004, 1, 5));
  clock.Set(Date{Ymd(1899, 12, 29).serial - 0.75});
  EXPECT_EQ(locale.Today(), Ymd(1899, 12, 29));
}

}  // namespace
}  // namespace datewell
