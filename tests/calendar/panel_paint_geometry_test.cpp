// The panel's frames, header band and arrow strokes at a scale other than the design's (at 15
// twips per pixel the calendar-panel scenario prints the paint itself).

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calendar/panel_paint_geometry.h"
#include "calendar/test_print.h"

namespace datewell {
namespace {

TEST(PanelFrames, RectanglesRoundAfterTheSubtraction) {
  const struct {
    const char* name;
    float width, height, tpp;
    Rect outer, inner, band;
  } rows[] = {
      // 206.25 pixels: 206, round(203.25) = 203, round(202.25) = 202.
      {"design at 12", 2475, 2475, 12, {0, 0, 206, 206}, {3, 3, 203, 203}, {5, 5, 202, 22}},
      // 100.5 pixels wide: the outer right is the even 100, the inner 97.5 -> 98, the band's
      // 96.5 -> 96.
      {"halves at 10", 1005, 1000, 10, {0, 0, 100, 100}, {3, 3, 98, 97}, {5, 5, 96, 22}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PanelFrameRects r = ComputePanelFrameRects(row.width, row.height, row.tpp, row.tpp);
    EXPECT_EQ(r.outer, row.outer);
    EXPECT_EQ(r.inner, row.inner);
    EXPECT_EQ(r.band, row.band);
  }
}

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

TEST(ArrowShapes, FiveAdjacentColumnsOf9753And1CentredFourRowsDown) {
  const struct {
    const char* name;
    float start_x;
    ArrowDirection direction;
    float tpp;
    double first_column;  // pixels
  } rows[] = {
      {"previous at 12", kPrevArrowLeft, ArrowDirection::Left, 12, 18.75},
      {"next at 12", 2475 - kNextArrowFromRight, ArrowDirection::Right, 12, 185},
  };
  for (const auto& row : rows) {
    const auto strokes = ArrowStrokes(row.start_x, kArrowTop, row.direction, row.tpp, row.tpp);
    const double step = row.direction == ArrowDirection::Left ? -1.0 : 1.0;
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(std::string(row.name) + ", stroke " + std::to_string(i + 1));
      const Column col =
          LitColumn(strokes[static_cast<std::size_t>(i)], kArrowTop, row.tpp, row.tpp);
      EXPECT_NEAR(col.x_pixels, row.first_column + step * i, 1e-4);
      EXPECT_EQ(col.first_row, i);
      EXPECT_EQ(col.last_row, 8 - i);
    }
  }
}

}  // namespace
}  // namespace datewell
