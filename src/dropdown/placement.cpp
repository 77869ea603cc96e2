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
                          std::int32_t cx_fullscreen, std::int32_t cy_fullscreen) {
  Point p = panel_on_screen;
  const double panel_w = static_cast<double>(g.panel_width) / tx;
  const double panel_h = static_cast<double>(g.panel_height) / ty;
  // Left first, then right: a panel wider than the work area keeps its right edge on screen.
  if (p.x < 0) {
    p.x = 0;
  }
  if (p.x + panel_w > cx_fullscreen) {
    p.x = RoundHalfEven(cx_fullscreen - panel_w);
  }
  if (p.y + panel_h > cy_fullscreen) {
    p.y = RoundHalfEven(p.y - (static_cast<double>(g.control_height) + g.panel_height) / ty);
  }
  Point list{p.x + kListOffsetX, p.y + kListOffsetY};
  if (list.x < 0) {
    list.x = 0;
  }
  if (list.y < 0) {
    list.y = 0;
  }
  return PanelPlacement{p, list};
}

}  // namespace datewell
