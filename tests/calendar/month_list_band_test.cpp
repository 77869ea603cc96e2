// The month quick-select list: its seven months and the band rule under a vertical position.

#include <gtest/gtest.h>

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
        BandCase{"SecondBandStart", -300.6f, kH, 1}, BandCase{"JustAboveThirdBand", -101.5f, kH, 1},
        BandCase{"ThirdBandStart", -101.3f, kH, 2}, BandCase{"JustAboveShownMonth", 97.8f, kH, 2},
        BandCase{"ShownMonthStart", 97.9f, kH, 3}, BandCase{"CaptionTop", 90.5f, kH, 2},
        BandCase{"CaptionMiddle", 187, kH, 3}, BandCase{"CaptionBottom", 285, kH, 3},
        BandCase{"JustAboveFifth", 297.1f, kH, 3}, BandCase{"FifthBandStart", 297.2f, kH, 4},
        BandCase{"SixthBandStart", 496.5f, kH, 5}, BandCase{"JustAboveLast", 695.7f, kH, 5},
        BandCase{"LastBandStart", 695.8f, kH, 6}, BandCase{"FarBelow", 1e6f, kH, 6},
        BandCase{"HugeAbove", -1e30f, kH, 0}, BandCase{"HugeBelow", 1e30f, kH, 6},
        BandCase{"InfiniteBelow", kInf, kH, 6}, BandCase{"InfiniteAbove", -kInf, kH, 0},
        BandCase{"NotANumber", std::numeric_limits<float>::quiet_NaN(), kH, 0},
        // A list 700 high: bands of 100 twips from -500.
        BandCase{"OtherHeightBand1", -400, 700, 1}, BandCase{"OtherHeightBand6", 100, 700, 6},
        BandCase{"NoHeight", 100, 0, 0}),
    [](const auto& info) { return info.param.name; });

struct ListCase {
  std::string name;
  CivilDate shown;
  std::array<CivilDate, 7> items;
};

class MonthListMonths : public testing::TestWithParam<ListCase> {};

TEST_P(MonthListMonths, ThreeBeforeToThreeAfterAscending) {
  const auto dates = MonthListDates(DateFromCivil(GetParam().shown));
  for (std::size_t k = 0; k < dates.size(); ++k) {
    EXPECT_EQ(CivilFromDate(dates[k]), GetParam().items[k]) << "item " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Months, MonthListMonths,
                         testing::Values(ListCase{"March2004",
                                                  {2004, 3, 14},
                                                  {{{2003, 12, 14},
                                                    {2004, 1, 14},
                                                    {2004, 2, 14},
                                                    {2004, 3, 14},
                                                    {2004, 4, 14},
                                                    {2004, 5, 14},
                                                    {2004, 6, 14}}}},
                                         ListCase{"JanuaryReachesBackAYear",
                                                  {2011, 1, 11},
                                                  {{{2010, 10, 11},
                                                    {2010, 11, 11},
                                                    {2010, 12, 11},
                                                    {2011, 1, 11},
                                                    {2011, 2, 11},
                                                    {2011, 3, 11},
                                                    {2011, 4, 11}}}},
                                         // Month arithmetic keeps within each month.
                                         ListCase{"FromThe31st",
                                                  {2004, 3, 31},
                                                  {{{2003, 12, 31},
                                                    {2004, 1, 31},
                                                    {2004, 2, 29},
                                                    {2004, 3, 31},
                                                    {2004, 4, 30},
                                                    {2004, 5, 31},
                                                    {2004, 6, 30}}}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
