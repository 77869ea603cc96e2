// The control face: layout for a width, the drop button's hit rectangle, the paint rectangles.

#include <gtest/gtest.h>

#include <string>

#include "calendar/test_print.h"
#include "calendar/twips.h"
#include "dropdown/face_geometry.h"

namespace datewell {
namespace {

constexpr float kTxtLeft = 45;

TEST(FaceLayout, FieldIs22PixelsNarrowerAndHeightIsFixed) {
  const struct {
    const char* name;
    float width, tpp;
    FaceLayout expected;
  } rows[] = {
      {"design at 15", 1815, 15, {1485, 240, 315}},
      {"narrow at 15", 1500, 15, {1170, 240, 315}},
      {"narrow at 12", 1500, 12, {1236, 240, 300}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const FaceLayout f = ComputeFaceLayout(row.width, row.tpp, row.tpp);
    EXPECT_FLOAT_EQ(f.txt_width, row.expected.txt_width);
    EXPECT_FLOAT_EQ(f.txt_height, row.expected.txt_height);
    EXPECT_FLOAT_EQ(f.control_height, row.expected.control_height);
  }
}

TEST(DropButtonHit, FromOnePixelRightOfTheFieldToOnePixelInside) {
  const struct {
    const char* name;
    float width, height, tpp;
    Rect expected;
  } rows[] = {
      {"design at 15", 1815, 315, 15, {1545, 15, 1800, 300}},
      {"100 pixels at 15", 1500, 315, 15, {1230, 15, 1485, 300}},
      {"125 pixels at 12", 1500, 300, 12, {1293, 12, 1488, 288}},
      // Twips that are not whole: each edge rounds to a whole twip, halves even (1230.5 and
      // 1485.5).
      {"fractional twips", 1500.5f, 315, 15, {1230, 15, 1486, 300}},
  };
  for (const auto& row : rows) {
    const FaceLayout f = ComputeFaceLayout(row.width, row.tpp, row.tpp);
    EXPECT_EQ(DropButtonHitRect(kTxtLeft, f.txt_width, row.width, row.height, row.tpp, row.tpp),
              row.expected)
        << row.name;
  }
}

// Whatever width a host gives, the middle of the painted button lies inside the hit rectangle
// laid out for that width; the rectangle is never empty. (Laid out from the width the field had
// before a narrowing, 1815 to 1500 would give left 1545 and right 1485.)
TEST(DropButtonHit, PaintedButtonIsPressableAtEveryWidth) {
  for (const float tpp : {15.0f, 12.0f}) {
    for (float width = 2400; width >= 450; width -= 7.5f) {
      const FaceLayout f = ComputeFaceLayout(width, tpp, tpp);
      const Rect hit = DropButtonHitRect(kTxtLeft, f.txt_width, width, f.control_height, tpp, tpp);
      const FacePaintRects painted =
          ComputeFacePaintRects(width, f.control_height, tpp, tpp, 16, 1);
      const Point middle{RoundHalfEven((painted.button.left + painted.button.right) / 2.0 * tpp),
                         RoundHalfEven((painted.button.top + painted.button.bottom) / 2.0 * tpp)};
      ASSERT_TRUE(PtInRect(hit, middle)) << "width " << width << " at " << tpp;
    }
  }
}

TEST(FacePaint, ButtonAndEdgeRectangles) {
  const struct {
    const char* name;
    float width, height, tpp;
    std::int32_t scroll_arrow, border;
    Rect button, edge;
  } rows[] = {
      {"100 by 21 at 15", 1500, 315, 15, 16, 1, {82, 2, 98, 19}, {0, 0, 100, 21}},
      {"125 by 25 at 12", 1500, 300, 12, 16, 1, {107, 2, 123, 23}, {0, 0, 125, 25}},
      // 125.5 pixels: the edge's right rounds to the even 126, the button's 107.5 to 108 and
      // 123.5 to 124.
      {"half a pixel wider at 12", 1506, 300, 12, 16, 1, {108, 2, 124, 23}, {0, 0, 126, 25}},
      {"thick borders and wide arrows", 1500, 315, 15, 20, 2, {76, 4, 96, 17}, {0, 0, 100, 21}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const FacePaintRects r = ComputeFacePaintRects(row.width, row.height, row.tpp, row.tpp,
                                                   row.scroll_arrow, row.border);
    EXPECT_EQ(r.button, row.button);
    EXPECT_EQ(r.edge, row.edge);
  }
}

}  // namespace
}  // namespace datewell
