// Every text the locale writes for a date reads back as that date: the short date, the plain
// date-to-text conversion (with and without a time of day) and the long date, for every day of
// whole years at the edges of the range and around the automation date's day 0.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fixed_clock.h"
#include "platform/icu/icu_locale.h"

namespace datewell {
namespace {

using testing::FixedClock;
using testing::Ymd;

constexpr int kYears[] = {100, 1899, 1900, 2000, 9999};

struct RoundTripRow {
  const char* locale;
  friend void PrintTo(const RoundTripRow& row, std::ostream* os) { *os << row.locale; }
};

class RoundTripTest : public ::testing::TestWithParam<RoundTripRow> {};

std::string First(const std::vector<std::string>& texts) {
  std::string s;
  for (std::size_t i = 0; i < texts.size() && i < 5; ++i) {
    s += "[" + texts[i] + "] ";
  }
  return s;
}

TEST_P(RoundTripTest, EveryDayOfTheYearsReadsBackFromEachText) {
  using Write = std::string (*)(IcuLocale&, Date);
  const Write short_date = [](IcuLocale& l, Date d) { return l.FormatDate(d, kShortDate); };
  const Write long_date = [](IcuLocale& l, Date d) { return l.FormatDate(d, kLongDate); };
  const Write date_to_text = [](IcuLocale& l, Date d) { return l.DateToText(d); };
  const struct {
    const char* name;
    Write write;
    double time_of_day;
  } rows[] = {
      {"short date", short_date, 0.0},
      {"long date with its weekday", long_date, 0.0},
      {"date to text without a time", date_to_text, 0.0},
      {"date to text in the afternoon", date_to_text, (13 * 3600 + 30 * 60 + 15) / 86400.0},
      {"date to text just after midnight", date_to_text, (5 * 60 + 1) / 86400.0},
  };
  FixedClock clock(Ymd(2010, 6, 15));
  IcuLocale locale(clock, GetParam().locale);
  for (const auto& row : rows) {
    std::vector<std::string> misread;
    for (int year : kYears) {
      for (double day = Ymd(year, 1, 1).serial; day <= Ymd(year, 12, 31).serial; ++day) {
        const Date date{day < 0 ? day - row.time_of_day : day + row.time_of_day};
        const std::string text = row.write(locale, date);
        const std::optional<Date> back = locale.RecogniseDate(text);
        if (!back || std::abs(back->serial - date.serial) > 1e-6) {
          misread.push_back(text);
        }
      }
    }
    EXPECT_TRUE(misread.empty()) << row.name << ": " << misread.size() << " misread, e.g. "
                                 << First(misread);
  }
}

// The first and last day of every year of the range, and 29 February where there is one.
TEST_P(RoundTripTest, DateToTextEveryYearOfTheRange) {
  FixedClock clock(Ymd(2010, 6, 15));
  IcuLocale locale(clock, GetParam().locale);
  std::vector<std::string> misread;
  for (int year = kMinYear; year <= kMaxYear; ++year) {
    for (const CivilDate c :
         {CivilDate{year, 1, 1}, CivilDate{year, 2, 29}, CivilDate{year, 12, 31}}) {
      if (!IsValidCivil(c)) {
        continue;
      }
      const Date date = DateFromCivil(c);
      const std::string text = locale.DateToText(date);
      if (locale.RecogniseDate(text) != std::optional<Date>(date)) {
        misread.push_back(text);
      }
    }
  }
  EXPECT_TRUE(misread.empty()) << misread.size() << " misread, e.g. " << First(misread);
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundTripTest,
                         ::testing::Values(RoundTripRow{"en_US"}, RoundTripRow{"en_GB"},
                                           RoundTripRow{"de_DE"}, RoundTripRow{"es_ES"},
                                           RoundTripRow{"ja_JP"}, RoundTripRow{"fr_FR"},
                                           RoundTripRow{"it_IT"}, RoundTripRow{"pt_BR"},
                                           RoundTripRow{"nl_NL"}, RoundTripRow{"pl_PL"},
                                           RoundTripRow{"ru_RU"}, RoundTripRow{"tr_TR"},
                                           RoundTripRow{"ko_KR"}, RoundTripRow{"zh_CN"}),
                         [](const auto& info) { return std::string(info.param.locale); });

}  // namespace
}  // namespace datewell
