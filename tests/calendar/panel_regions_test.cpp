// Where a press on the open panel lands: the regions from the widget geometry, and the order in
// which they are tried.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calendar/panel_regions.h"
#include "calendar/test_print.h"
#include "calendar/twips.h"

namespace datewell {
namespace {

struct RoundCase {
  std::string name;
  double twips;
  float tpp;
  std::int32_t pixels;
};

class TwipsToPixelsRounding : public testing::TestWithParam<RoundCase> {};

TEST_P(TwipsToPixelsRounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().tpp), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwipsToPixelsRounding,
    testing::Values(RoundCase{"Whole", 2475, 15, 165}, RoundCase{"HalfUp", 22.5, 15, 2},
                    RoundCase{"FourAndAHalf", 67.5, 15, 4}, RoundCase{"QuarterAt12", 2475, 12, 206},
                    RoundCase{"HalfAt12", 870, 12, 72},
                    // Geometry far beyond any screen saturates instead of overflowing.
                    RoundCase{"HugeSaturates", 1e12, 15, std::numeric_limits<std::int32_t>::max()},
                    RoundCase{"NoTwipsPerPixel", 100, 0, std::numeric_limits<std::int32_t>::max()},
                    RoundCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 15, 0}),
    [](const auto& info) { return info.param.name; });

TEST(OffsetBy, SaturatesAtTheEndsOfTheRange) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(OffsetBy(100, 40), 140);
  EXPECT_EQ(OffsetBy(10, -34), -24);
  EXPECT_EQ(OffsetBy(kMax - 10, 40), kMax);
  EXPECT_EQ(OffsetBy(kMin + 10, -34), kMin);
}

struct BoxCase {
  std::string name;
  TwipsBox box;
  float tpp;
  Rect pixels;
};

class PixelBoxes : public testing::TestWithParam<BoxCase> {};

TEST_P(PixelBoxes, RightAndBottomComeFromTheSumsRoundedOnce) {
  EXPECT_EQ(PixelBox(GetParam().box, GetParam().tpp, GetParam().tpp), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelBoxes,
    testing::Values(
        BoxCase{"TopLeftDayCell", {180, 600, 285, 225}, 15, {12, 40, 31, 55}},
        // Rounded apart, 0.5 + 0.5 would give 0 + 0; the sum 15 twips is one pixel.
        BoxCase{"HalfPixelPlusHalfPixel", {7.5f, 7.5f, 7.5f, 7.5f}, 15, {0, 0, 1, 1}},
        BoxCase{"PanelOnTheDesktopAt12", {3600, 2400, 2475, 2475}, 12, {300, 200, 506, 406}}),
    [](const auto& info) { return info.param.name; });

// The design geometry of the panel and its children.
constexpr float kPanelWidth = 2475;
constexpr TwipsBox kFirstDayCell{180, 600, 285, 225};
constexpr TwipsBox kLastDayCell{180 + 6 * 300, 600 + 5 * 210, 285, 225};
constexpr TwipsBox kTodayButton{870, 2040, 735, 315};

struct ClientRegionCase {
  std::string name;
  float tpp;
  Rect day_area, today, prev_month, caption, next_month;
};

class PanelClientRegionsAt : public testing::TestWithParam<ClientRegionCase> {};

TEST_P(PanelClientRegionsAt, DesignLayout) {
  const ClientRegionCase& c = GetParam();
  const PanelClientRegions r = ComputePanelClientRegions(kPanelWidth, kFirstDayCell, kLastDayCell,
                                                         kTodayButton, c.tpp, c.tpp);
  EXPECT_EQ(r.day_area, c.day_area);
  EXPECT_EQ(r.today, c.today);
  EXPECT_EQ(r.prev_month, c.prev_month);
  EXPECT_EQ(r.caption, c.caption);
  EXPECT_EQ(r.next_month, c.next_month);
}

constexpr Rect R(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return Rect{left, top, right, bottom};
}

INSTANTIATE_TEST_SUITE_P(
    Scales, PanelClientRegionsAt,
    testing::Values(ClientRegionCase{"At15", 15, R(12, 40, 151, 125), R(58, 136, 107, 157),
                                     R(5, 5, 35, 23), R(35, 5, 130, 23), R(130, 5, 160, 23)},
                    // 206.25 - 35 = 171.25: the next button starts at 171; Today's left is
                    // 72.5, a half that goes down to the even 72.
                    ClientRegionCase{"At12", 12, R(15, 50, 189, 156), R(72, 170, 134, 196),
                                     R(5, 5, 35, 23), R(35, 5, 171, 23), R(171, 5, 201, 23)}),
    [](const auto& info) { return info.param.name; });

TEST(PanelBound, IsTwiceTheFullScreenClientArea) {
  EXPECT_EQ(BoundRegion(1024, 738), (Rect{0, 0, 2048, 1476}));
}

// A panel at screen pixel (100, 200), design size at 15 twips per pixel.
PanelRegions RegionsAt100x200() {
  const Point origin{100, 200};
  const auto shift = [&](Rect r) {
    return Rect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
  };
  const PanelClientRegions c =
      ComputePanelClientRegions(kPanelWidth, kFirstDayCell, kLastDayCell, kTodayButton, 15, 15);
  PanelRegions r;
  r.bound = BoundRegion(1024, 738);
  r.panel = PixelBox({1500, 3000, kPanelWidth, kPanelWidth}, 15, 15);
  r.day_area = shift(c.day_area);
  r.today = shift(c.today);
  r.prev_month = shift(c.prev_month);
  r.caption = shift(c.caption);
  r.next_month = shift(c.next_month);
  return r;
}

struct PressCase {
  std::string name;
  Point client;  // relative to the panel's top-left pixel
  PanelPress expected;
};

class PanelPresses : public testing::TestWithParam<PressCase> {};

TEST_P(PanelPresses, FirstMatchingRegionWins) {
  const Point screen{100 + GetParam().client.x, 200 + GetParam().client.y};
  EXPECT_EQ(ClassifyPanelPress(RegionsAt100x200(), screen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, PanelPresses,
    testing::Values(PressCase{"PrevButtonBottomRight", {34, 22}, PanelPress::PrevMonth},
                    // The button's right edge belongs to the caption strip.
                    PressCase{"PrevButtonRightEdge", {35, 5}, PanelPress::Caption},
                    PressCase{"NextButtonLeftEdge", {130, 5}, PanelPress::NextMonth},
                    PressCase{"RightOfNextButton", {160, 5}, PanelPress::Nothing},
                    PressCase{"WeekdayHeaderRow", {50, 30}, PanelPress::Nothing},
                    PressCase{"DayAreaBottomRight", {150, 124}, PanelPress::DayArea},
                    PressCase{"BetweenGridAndToday", {80, 130}, PanelPress::Nothing},
                    PressCase{"RightOfToday", {107, 156}, PanelPress::Nothing},
                    PressCase{"PanelBottomRightPixel", {164, 164}, PanelPress::Nothing},
                    PressCase{"LeftOfPanel", {-1, 50}, PanelPress::Outside},
                    // Beyond the bound a press outside the panel means nothing.
                    PressCase{"LeftOfTheScreen", {-101, 50}, PanelPress::Nothing},
                    PressCase{"BeyondTwiceTheWidth", {1948, 50}, PanelPress::Nothing},
                    PressCase{"LastPixelOfTheBound", {1947, 1275}, PanelPress::Outside}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
