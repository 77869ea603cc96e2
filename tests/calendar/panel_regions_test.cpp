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

TEST(TwipsToPixels, HalvesGoToTheEvenNeighbour) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* name;
    double twips;
    float tpp;
    std::int32_t pixels;
  } rows[] = {
      {"whole", 2475, 15, 165},
      {"half up", 22.5, 15, 2},
      {"four and a half", 67.5, 15, 4},
      {"a quarter at 12", 2475, 12, 206},
      {"a half at 12", 870, 12, 72},
      // Geometry far beyond any screen saturates instead of overflowing.
      {"huge saturates", 1e12, 15, kMax},
      {"no twips per pixel", 100, 0, kMax},
      {"not a number", std::numeric_limits<double>::quiet_NaN(), 15, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TwipsToPixels(row.twips, row.tpp), row.pixels) << row.name;
  }
}

TEST(OffsetBy, SaturatesAtTheEndsOfTheRange) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(OffsetBy(100, 40), 140);
  EXPECT_EQ(OffsetBy(10, -34), -24);
  EXPECT_EQ(OffsetBy(kMax - 10, 40), kMax);
  EXPECT_EQ(OffsetBy(kMin + 10, -34), kMin);
}

TEST(PixelBox, RightAndBottomComeFromTheSumsRoundedOnce) {
  const struct {
    const char* name;
    TwipsBox box;
    float tpp;
    Rect pixels;
  } rows[] = {
      {"top-left day cell", {180, 600, 285, 225}, 15, {12, 40, 31, 55}},
      // Rounded apart, 0.5 + 0.5 would give 0 + 0; the sum 15 twips is one pixel.
      {"half a pixel plus half a pixel", {7.5f, 7.5f, 7.5f, 7.5f}, 15, {0, 0, 1, 1}},
      {"the panel on the desktop at 12", {3600, 2400, 2475, 2475}, 12, {300, 200, 506, 406}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(PixelBox(row.box, row.tpp, row.tpp), row.pixels) << row.name;
  }
}

// The design geometry of the panel and its children.
constexpr float kPanelWidth = 2475;
constexpr TwipsBox kFirstDayCell{180, 600, 285, 225};
constexpr TwipsBox kLastDayCell{180 + 6 * 300, 600 + 5 * 210, 285, 225};
constexpr TwipsBox kTodayButton{870, 2040, 735, 315};

TEST(PanelBound, TwiceTheFullScreenClientAreaWidenedToEveryScreen) {
  const struct {
    const char* name;
    Rect all_screens;
    Rect expected;
  } rows[] = {
      {"one screen at the origin", {0, 0, 1024, 768}, {0, 0, 2048, 1476}},
      {"a second screen right of the first", {0, 0, 2304, 1024}, {0, 0, 2304, 1476}},
      {"a screen left of and above the primary one",
       {-1280, -256, 1024, 768},
       {-1280, -256, 2048, 1476}},
      {"no screen known", {}, {0, 0, 2048, 1476}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(BoundRegion(1024, 738, row.all_screens), row.expected) << row.name;
  }
}

// A panel at screen pixel (100, 200), design size at 15 twips per pixel. (At 12, where the
// buttons' edges fall between pixels, the panel-regions scenario presses them.)
PanelRegions RegionsAt100x200() {
  const Point origin{100, 200};
  const auto shift = [&](Rect r) {
    return Rect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
  };
  const PanelClientRegions c =
      ComputePanelClientRegions(kPanelWidth, kFirstDayCell, kLastDayCell, kTodayButton, 15, 15);
  PanelRegions r;
  r.bound = BoundRegion(1024, 738, Rect{0, 0, 1024, 768});
  r.panel = PixelBox({1500, 3000, kPanelWidth, kPanelWidth}, 15, 15);
  r.day_area = shift(c.day_area);
  r.today = shift(c.today);
  r.prev_month = shift(c.prev_month);
  r.caption = shift(c.caption);
  r.next_month = shift(c.next_month);
  return r;
}

TEST(PanelPresses, FirstMatchingRegionWins) {
  const struct {
    const char* name;
    Point client;  // relative to the panel's top-left pixel
    PanelPress expected;
  } rows[] = {
      {"bottom-right of the previous-month button", {34, 22}, PanelPress::PrevMonth},
      // The button's right edge belongs to the caption strip.
      {"right edge of the previous-month button", {35, 5}, PanelPress::Caption},
      {"left edge of the next-month button", {130, 5}, PanelPress::NextMonth},
      {"right of the next-month button", {160, 5}, PanelPress::Nothing},
      {"the weekday header row", {50, 30}, PanelPress::Nothing},
      {"bottom-right of the day area", {150, 124}, PanelPress::DayArea},
      {"between the grid and Today", {80, 130}, PanelPress::Nothing},
      {"right of Today", {107, 156}, PanelPress::Nothing},
      {"the panel's bottom-right pixel", {164, 164}, PanelPress::Nothing},
      {"left of the panel", {-1, 50}, PanelPress::Outside},
      // Beyond the bound a press outside the panel means nothing.
      {"left of the screen", {-101, 50}, PanelPress::Nothing},
      {"beyond twice the width", {1948, 50}, PanelPress::Nothing},
      {"the last pixel of the bound", {1947, 1275}, PanelPress::Outside},
  };
  const PanelRegions regions = RegionsAt100x200();
  for (const auto& row : rows) {
    const Point screen{100 + row.client.x, 200 + row.client.y};
    EXPECT_EQ(ClassifyPanelPress(regions, screen), row.expected) << row.name;
  }
}

}  // namespace
}  // namespace datewell
