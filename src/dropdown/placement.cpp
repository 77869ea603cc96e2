#include "dropdown/placement.h"

#include "calendar/twips.h"

namespace datewell {

namespace {

constexpr std::int32_t kListOffsetX = 40;
constexpr std::int32_t kListOffsetY = -34;

}  // namespace

Point PanelClientPosition(const PlacementGeometry& g, float tx, float ty) {
  // The panel's right edge lines up with the control's, the text field being inset 2 pixels;
  // its top is 2 pixels below the text field.
  const double x = static_cast<double>(g.txt_left) + g.control_width - 2.0 * tx - g.panel_width;
  const double y = static_cast<double>(g.txt_top) + g.txt_height + 2.0 * ty;
  return Point{TwipsToPixels(x, tx), TwipsToPixels(y, ty)};
}

PanelPlacement PlacePanel(Point panel_on_screen, const PlacementGeometry& g, float tx, float ty,
                          const Rect& work_area) {
  Point p = panel_on_screen;
  const double panel_w = static_cast<double>(g.panel_width) / tx;
  const double panel_h = static_cast<double>(g.panel_height) / ty;
  // Left first, then right: a panel wider than the work area keeps its right edge on screen.
  if (p.x < work_area.left) {
    p.x = work_area.left;
  }
  if (p.x + panel_w > work_area.right) {
    p.x = RoundHalfEven(work_area.right - panel_w);
  }
  // No other vertical check follows: flipped, the panel stays above even if that is off screen.
  if (p.y + panel_h > work_area.bottom) {
    p.y = RoundHalfEven(p.y - (static_cast<double>(g.control_height) + g.panel_height) / ty);
  }
  Point list{OffsetBy(p.x, kListOffsetX), OffsetBy(p.y, kListOffsetY)};
  if (list.x < work_area.left) {
    list.x = work_area.left;
  }
  if (list.y < work_area.top) {
    list.y = work_area.top;
  }
  return PanelPlacement{p, list};
}

}  // namespace datewell
