// Where the panel and the month list go on the screen.

#include <gtest/gtest.h>

#include <string>

#include "calendar/test_print.h"
#include "dropdown/placement.h"

namespace datewell {
namespace {

// The design layout with the control at its fixed height for the scale.
PlacementGeometry DesignGeometry(float tpp, float control_width = 1815) {
  PlacementGeometry g;
  g.txt_left = 45;
  g.txt_top = 45;
  g.txt_height = 240;
  g.control_width = control_width;
  g.control_height = 240 + 5 * tpp;
  g.panel_width = 2475;
  g.panel_height = 2475;
  return g;
}

// Right edges aligned, the top two pixels below the field: (45 + 2992.5 - 30 - 2475) / 15 = 35.5
// goes to the even 36. (The design corners at 15 and 12 the screen-edges and locale-and-pixels
// scenarios show.)
TEST(PanelClientCorner, AHalfPixelGoesToTheEvenNeighbour) {
  EXPECT_EQ(PanelClientPosition(DesignGeometry(15, 2992.5f), 15, 15), (Point{36, 21}));
}

// At 15 twips per pixel the panel is 165 by 165 pixels and the control 21 high; at 12 the panel
// is 206.25 wide and high and the control 25. The screen-edges scenario shows a panel below, at
// the left edge, touching the bottom, and a list clamped at the top; here the off-by-one edges.
TEST(PanelPlacement, ClampsFlipsAndPlacesTheList) {
  const Rect screen{0, 0, 1024, 738};
  const struct {
    const char* name;
    float tpp;
    Point corner;  // the panel's corner on the screen before clamping
    Rect work;
    Point panel, list;
  } rows[] = {
      {"the right edge touches at 15", 15, {859, 200}, screen, {859, 200}, {899, 166}},
      {"pulled left at 15", 15, {860, 200}, screen, {859, 200}, {899, 166}},
      // 574 - (315 + 2475) / 15 = 388: the panel's bottom on the control's top.
      {"flipped above at 15", 15, {300, 574}, screen, {300, 388}, {340, 354}},
      {"the bottom-right corner at 15", 15, {950, 700}, screen, {859, 514}, {899, 480}},
      // Wider than the work area: the right edge wins, the left goes off screen; the list's
      // left is clamped on its own.
      {"wider than the screen at 15", 15, {0, 100}, {0, 0, 100, 738}, {-65, 100}, {0, 66}},
      // Flipped above a screen too short: used even though negative; the list clamps to 0.
      {"flipped off the top at 15", 15, {300, 150}, {0, 0, 1024, 200}, {300, -36}, {340, 0}},
      // 817 + 206.25 = 1023.25 keeps; 818 + 206.25 passes and is pulled to round(817.75).
      {"inside the right at 12", 12, {817, 200}, screen, {817, 200}, {857, 166}},
      {"pulled left at 12", 12, {900, 200}, screen, {818, 200}, {858, 166}},
      // A second screen left of the primary one: clamped at its own left and right.
      {"off a second screen's left",
       15,
       {-1300, 200},
       {-1280, 0, 0, 1024},
       {-1280, 200},
       {-1240, 166}},
      {"pulled left on a second screen",
       15,
       {-100, 200},
       {-1280, 0, 0, 1024},
       {-165, 200},
       {-125, 166}},
      // A screen below the primary one: flipped at its own bottom, the list clamped at its top.
      {"flipped on a lower screen",
       15,
       {300, 1500},
       {0, 768, 1024, 1536},
       {300, 1314},
       {340, 1280}},
      // 532 - (300 + 2475) / 12 = 300.75 -> 301.
      {"flipped above at 12", 12, {300, 532}, screen, {300, 301}, {340, 267}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PanelPlacement p =
        PlacePanel(row.corner, DesignGeometry(row.tpp), row.tpp, row.tpp, row.work);
    EXPECT_EQ(p.panel, row.panel);
    EXPECT_EQ(p.list, row.list);
  }
}

}  // namespace
}  // namespace datewell
