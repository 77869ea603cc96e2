// The case-insensitive search, plain and as ParseDateText looks for a weekday name fourteen times
// per text.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fixed_clock.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

struct SearchRow {
  const char* name;
  const char* locale;
  std::string text;
  std::string needle;
  int plain;    // InStr
  int weekday;  // InStrWeekday
  friend void PrintTo(const SearchRow& row, std::ostream* os) { *os << row.name; }
};

class SearchTest : public ::testing::TestWithParam<SearchRow> {};

TEST_P(SearchTest, FindsTheCharacterPosition) {
  const SearchRow& row = GetParam();
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, row.locale);
  EXPECT_EQ(locale.InStr(row.text, row.needle), row.plain);
  EXPECT_EQ(locale.InStrWeekday(row.text, row.needle), row.weekday);
  // The second search of the same text answers from the folded copy: same answer.
  EXPECT_EQ(locale.InStr(row.text, row.needle), row.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, SearchTest,
    ::testing::Values(
        SearchRow{"case_ignored", "en_US", "monday, JANUARY 5", "MONDAY", 1, 1},
        SearchRow{"empty_text", "en_US", "", "Monday", 0, 0},
        SearchRow{"empty_needle_plain_is_one", "en_US", "abc", "", 1, 0},
        SearchRow{"at_end", "en_US", "5 January 2004 Monday", "monday", 16, 16},
        SearchRow{"inside_word_plain_only", "en_US", "Sundays 5 Jan", "Sun", 1, 0},
        SearchRow{"later_whole_word_found", "en_US", "Sundays Sun 5 Jan", "sun", 1, 9},
        SearchRow{"digit_after_is_whole", "en_US", "Monday5 January 2004", "Monday", 1, 1},
        SearchRow{"digit_before_is_not", "en_US", "5Monday January", "Monday", 2, 0},
        SearchRow{"positions_count_characters", "de_DE", "Für Montag", "montag", 5, 5},
        SearchRow{"umlaut_case", "de_DE", "FÜR MONTAG", "für", 1, 1},
        SearchRow{"also_a_month_name", "es_ES", "5 mar 2004", "mar", 3, 0},
        SearchRow{"month_of_the_same_name", "br_FR", "Meurzh 2 Meurzh 2004", "meurzh", 1, 0},
        SearchRow{"inside_an_era_name", "th_TH", "9 มกราคม ค.ศ. 2004", "ศ.", 12, 0},
        SearchRow{"inside_a_longer_weekday_name", "az_AZ", "5 yanvar 2004, bazar ertəsi", "bazar",
                  16, 0},
        SearchRow{"longer_name_itself_found", "az_AZ", "5 yanvar 2004, bazar ertəsi",
                  "bazar ertəsi", 16, 16},
        SearchRow{"after_a_zero_width_non_joiner", "fa_IR", "سه‌شنبه ۲ مارس ۲۰۰۴",
                  "شنبه", 4, 0},
        SearchRow{"spanish_mar_not_in_marzo", "es_ES", "5 de marzo de 2004", "mar", 6, 0},
        SearchRow{"spanish_accented", "es_ES", "MIÉRCOLES, 7", "miércoles", 1, 1},
        SearchRow{"japanese_month_between_digits", "ja_JP", "2004年1月5日月曜日", "月", 7, 0},
        SearchRow{"japanese_full_name_after_letter", "ja_JP", "2004年1月5日月曜日", "月曜日", 10,
                  0},
        SearchRow{"turkish_dotless_i", "tr_TR", "PAZARTESİ", "pazartesi", 1, 1},
        SearchRow{"turkish_capital_i_is_dotless", "tr_TR", "SALI", "salı", 1, 1},
        SearchRow{"invalid_bytes_count_one_each", "en_US", std::string("\xFF\xFEMon"), "mon", 3, 3},
        SearchRow{"needle_of_invalid_bytes", "en_US", "ab \xC3", "\xC3", 4, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SearchCacheTest, ADifferentTextIsFoldedAfresh) {
  FixedClock clock(Ymd(2004, 1, 5));
  IcuLocale locale(clock, "en_US");
  const struct {
    const char* text;
    int expected;
  } rows[] = {{"Monday", 1}, {"x Monday", 3}, {"Monday", 1}, {"Tuesday", 0}, {"xx Monday", 4}};
  for (const auto& row : rows) {
    EXPECT_EQ(locale.InStr(row.text, "MONDAY"), row.expected) << row.text;
  }
}

}  // namespace
}  // namespace datewell
