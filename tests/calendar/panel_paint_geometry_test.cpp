// The panel's frames, header band and arrow strokes.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calendar/panel_paint_geometry.h"
#include "calendar/test_print.h"

namespace datewell {
namespace {

struct FrameCase {
  std::string name;
  float width, height, tpp;
  Rect outer, inner, band;
};

class PanelFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(PanelFrames, RectanglesRoundAfterTheSubtraction) {
  const FrameCase& c = GetParam();
  const PanelFrameRects r = ComputePanelFrameRects(c.width, c.height, c.tpp, c.tpp);
  EXPECT_EQ(r.outer, c.outer);
  EXPECT_EQ(r.inner, c.inner);
  EXPECT_EQ(r.band, c.band);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, PanelFrames,
    testing::Values(
        FrameCase{
            "DesignAt15", 2475, 2475, 15, {0, 0, 165, 165}, {3, 3, 162, 162}, {5, 5, 161, 22}},
        // 206.25 pixels: 206, round(203.25) = 203, round(202.25) = 202.
        FrameCase{
            "DesignAt12", 2475, 2475, 12, {0, 0, 206, 206}, {3, 3, 203, 203}, {5, 5, 202, 22}},
        // 100.5 pixels wide: the outer right is the even 100, the inner 97.5 -> 98, the band's
        // 96.5 -> 96.
        FrameCase{"HalvesAt10", 1005, 1000, 10, {0, 0, 100, 100}, {3, 3, 98, 97}, {5, 5, 96, 22}}),
    [](const auto& info) { return info.param.name; });

// The pixels a vertical stroke lights, as the platform draws a line: every pixel from the start
// up to, not including, the end. Rows are counted from start_y, in pixels.
struct Column {
  double x_pixels;
  int first_row;
  int last_row;
};

Column LitColumn(const LineStroke& s, float start_y, float tx, float ty) {
  EXPECT_EQ(s.x1, s.x2) << "strokes are vertical";
  const int from = static_cast<int>(std::lround((s.y1 - start_y) / ty));
  const int to = static_cast<int>(std::lround((s.y2 - start_y) / ty));
  const int last = to > from ? to - 1 : to + 1;
  return Column{s.x1 / tx, std::min(from, last), std::max(from, last)};
}

struct ArrowCase {
  std::string name;
  float start_x;
  ArrowDirection direction;
  float tpp;
  double first_column;  // pixels
};

class ArrowShapes : public testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowShapes, FiveAdjacentColumnsOf9753And1CentredFourRowsDown) {
  const ArrowCase& c = GetParam();
  const auto strokes = ArrowStrokes(c.start_x, kArrowTop, c.direction, c.tpp, c.tpp);
  const double step = c.direction == ArrowDirection::Left ? -1.0 : 1.0;
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE("stroke " + std::to_string(i + 1));
    const Column col = LitColumn(strokes[static_cast<std::size_t>(i)], kArrowTop, c.tpp, c.tpp);
    EXPECT_NEAR(col.x_pixels, c.first_column + step * i, 1e-4);
    EXPECT_EQ(col.first_row, i);
    EXPECT_EQ(col.last_row, 8 - i);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, ArrowShapes,
    testing::Values(
        ArrowCase{"PreviousAt15", kPrevArrowLeft, ArrowDirection::Left, 15, 15},
        ArrowCase{"NextAt15", 2475 - kNextArrowFromRight, ArrowDirection::Right, 15, 148},
        ArrowCase{"PreviousAt12", kPrevArrowLeft, ArrowDirection::Left, 12, 18.75},
        ArrowCase{"NextAt12", 2475 - kNextArrowFromRight, ArrowDirection::Right, 12, 185}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
