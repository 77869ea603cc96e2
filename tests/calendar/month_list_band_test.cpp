// The month quick-select list: its seven months and the band rule under a vertical position.

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "calendar/month_list_band.h"
#include "calendar/test_print.h"

namespace datewell {
namespace {

struct BandCase {
  std::string name;
  float y;
  float list_height;
  int index;
};

class MonthListBands : public testing::TestWithParam<BandCase> {};

TEST_P(MonthListBands, SevenEqualBandsFrom500AboveClampedAtBothEnds) {
  EXPECT_EQ(MonthListIndexAt(GetParam().y, GetParam().list_height), GetParam().index);
}

constexpr float kH = 1395;  // the design height of the list
constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    DesignHeight, MonthListBands,
    testing::Values(
        BandCase{"FarAbove", -100000, kH, 0}, BandCase{"FirstBandStart", -500, kH, 0},
        BandCase{"JustAboveSecondBand", -300.8f, kH, 0},
        BandCase{"SecondBandStart", -300.6f, kH, 1}, BandCase{"JustAboveShownMonth", 97.8f, kH, 2},
        BandCase{"ShownMonthStart", 97.9f, kH, 3}, BandCase{"CaptionMiddle", 187, kH, 3},
        BandCase{"CaptionBottom", 285, kH, 3}, BandCase{"JustAboveLast", 695.7f, kH, 5},
        BandCase{"LastBandStart", 695.8f, kH, 6}, BandCase{"InfiniteBelow", kInf, kH, 6},
        BandCase{"NotANumber", std::numeric_limits<float>::quiet_NaN(), kH, 0},
        // A list 700 high: bands of 100 twips from -500.
        BandCase{"OtherHeightBand1", -400, 700, 1}, BandCase{"OtherHeightBand6", 100, 700, 6},
        BandCase{"NoHeight", 100, 0, 0}),
    [](const auto& info) { return info.param.name; });

std::string Dates(const std::array<Date, 7>& dates) {
  std::string text;
  for (const Date d : dates) {
    const CivilDate c = CivilFromDate(d);
    text += (text.empty() ? "" : " ") + std::to_string(c.year) + "-" + std::to_string(c.month) +
            "-" + std::to_string(c.day);
  }
  return text;
}

TEST(MonthListMonths, ThreeBeforeToThreeAfterAscending) {
  const struct {
    const char* name;
    CivilDate shown;
    const char* items;
  } rows[] = {
      {"March 2004",
       {2004, 3, 14},
       "2003-12-14 2004-1-14 2004-2-14 2004-3-14 2004-4-14 2004-5-14 2004-6-14"},
      {"January reaches back a year",
       {2011, 1, 11},
       "2010-10-11 2010-11-11 2010-12-11 2011-1-11 2011-2-11 2011-3-11 2011-4-11"},
      {"month arithmetic keeps within each month",
       {2004, 3, 31},
       "2003-12-31 2004-1-31 2004-2-29 2004-3-31 2004-4-30 2004-5-31 2004-6-30"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Dates(MonthListDates(DateFromCivil(row.shown))), row.items) << row.name;
  }
}

}  // namespace
}  // namespace datewell
