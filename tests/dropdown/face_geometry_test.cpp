// The control face: layout for a width, the drop button's hit rectangle, the paint rectangles.

#include <gtest/gtest.h>

#include <string>

#include "calendar/test_print.h"
#include "calendar/twips.h"
#include "dropdown/face_geometry.h"

namespace datewell {
namespace {

constexpr float kTxtLeft = 45;

struct LayoutCase {
  std::string name;
  float width, tpp;
  FaceLayout expected;
};

class FaceLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(FaceLayouts, FieldIs22PixelsNarrowerAndHeightIsFixed) {
  const LayoutCase& c = GetParam();
  const FaceLayout f = ComputeFaceLayout(c.width, c.tpp, c.tpp);
  EXPECT_FLOAT_EQ(f.txt_width, c.expected.txt_width);
  EXPECT_FLOAT_EQ(f.txt_height, c.expected.txt_height);
  EXPECT_FLOAT_EQ(f.control_height, c.expected.control_height);
}

INSTANTIATE_TEST_SUITE_P(Widths, FaceLayouts,
                         testing::Values(LayoutCase{"DesignAt15", 1815, 15, {1485, 240, 315}},
                                         LayoutCase{"NarrowAt15", 1500, 15, {1170, 240, 315}},
                                         LayoutCase{"NarrowAt12", 1500, 12, {1236, 240, 300}}),
                         [](const auto& info) { return info.param.name; });

struct HitCase {
  std::string name;
  float width, height, tpp;
  Rect expected;
};

class DropButtonHit : public testing::TestWithParam<HitCase> {};

TEST_P(DropButtonHit, FromOnePixelRightOfTheFieldToOnePixelInside) {
  const HitCase& c = GetParam();
  const FaceLayout f = ComputeFaceLayout(c.width, c.tpp, c.tpp);
  EXPECT_EQ(DropButtonHitRect(kTxtLeft, f.txt_width, c.width, c.height, c.tpp, c.tpp), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, DropButtonHit,
    testing::Values(HitCase{"DesignAt15", 1815, 315, 15, {1545, 15, 1800, 300}},
                    HitCase{"HundredPixelsAt15", 1500, 315, 15, {1230, 15, 1485, 300}},
                    HitCase{"HundredTwentyFivePixelsAt12", 1500, 300, 12, {1293, 12, 1488, 288}},
                    // Twips that are not whole: each edge rounds to a whole twip, halves even
                    // (1230.5 and 1485.5).
                    HitCase{"FractionalTwips", 1500.5f, 315, 15, {1230, 15, 1486, 300}}),
    [](const auto& info) { return info.param.name; });

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

struct PaintCase {
  std::string name;
  float width, height, tpp;
  std::int32_t scroll_arrow, border;
  Rect button, edge;
};

class FacePaint : public testing::TestWithParam<PaintCase> {};

TEST_P(FacePaint, ButtonAndEdgeRectangles) {
  const PaintCase& c = GetParam();
  const FacePaintRects r =
      ComputeFacePaintRects(c.width, c.height, c.tpp, c.tpp, c.scroll_arrow, c.border);
  EXPECT_EQ(r.button, c.button);
  EXPECT_EQ(r.edge, c.edge);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FacePaint,
    testing::Values(
        PaintCase{"HundredBy21At15", 1500, 315, 15, 16, 1, {82, 2, 98, 19}, {0, 0, 100, 21}},
        PaintCase{
            "HundredTwentyFiveBy25At12", 1500, 300, 12, 16, 1, {107, 2, 123, 23}, {0, 0, 125, 25}},
        // 125.5 pixels: the edge's right rounds to the even 126, the button's 107.5 to 108 and
        // 123.5 to 124.
        PaintCase{"HalfPixelWidthAt12", 1506, 300, 12, 16, 1, {108, 2, 124, 23}, {0, 0, 126, 25}},
        PaintCase{
            "ThickBordersAndWideArrows", 1500, 315, 15, 20, 2, {76, 4, 96, 17}, {0, 0, 100, 21}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
