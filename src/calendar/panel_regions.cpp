#include "calendar/panel_regions.h"

#include <algorithm>

#include "calendar/twips.h"

namespace datewell {

namespace {

// The arrow buttons are 30 by 18 pixels, 5 pixels inside the panel's top and sides.
constexpr std::int32_t kButtonInset = 5;
constexpr std::int32_t kButtonWidth = 30;
constexpr std::int32_t kButtonBottom = 23;

}  // namespace

Rect PixelBox(const TwipsBox& box, float tx, float ty) {
  const float right = box.left + box.width;  // single-precision sums, as the widgets hold them
  const float bottom = box.top + box.height;
  return Rect{TwipsToPixels(box.left, tx), TwipsToPixels(box.top, ty), TwipsToPixels(right, tx),
              TwipsToPixels(bottom, ty)};
}

PanelClientRegions ComputePanelClientRegions(float panel_width, const TwipsBox& first_day_cell,
                                             const TwipsBox& last_day_cell,
                                             const TwipsBox& today_button, float tx, float ty) {
  const Rect first = PixelBox(first_day_cell, tx, ty);
  const Rect last = PixelBox(last_day_cell, tx, ty);
  const std::int32_t nx = RoundHalfEven(static_cast<double>(panel_width) / tx - 35.0);
  PanelClientRegions r;
  r.day_area = Rect{first.left, first.top, last.right, last.bottom};
  r.today = PixelBox(today_button, tx, ty);
  r.prev_month = Rect{kButtonInset, kButtonInset, kButtonInset + kButtonWidth, kButtonBottom};
  r.caption = Rect{kButtonInset + kButtonWidth, kButtonInset, nx, kButtonBottom};
  r.next_month = Rect{nx, kButtonInset, OffsetBy(nx, kButtonWidth), kButtonBottom};
  return r;
}

Rect BoundRegion(std::int32_t cx_fullscreen, std::int32_t cy_fullscreen, const Rect& all_screens) {
  Rect bound{0, 0, OffsetBy(cx_fullscreen, cx_fullscreen), OffsetBy(cy_fullscreen, cy_fullscreen)};
  if (all_screens.left < all_screens.right && all_screens.top < all_screens.bottom) {
    bound.left = std::min(bound.left, all_screens.left);
    bound.top = std::min(bound.top, all_screens.top);
    bound.right = std::max(bound.right, all_screens.right);
    bound.bottom = std::max(bound.bottom, all_screens.bottom);
  }
  return bound;
}

PanelPress ClassifyPanelPress(const PanelRegions& regions, Point cursor) {
  if (PtInRect(regions.bound, cursor) && !PtInRect(regions.panel, cursor)) {
    return PanelPress::Outside;
  }
  if (PtInRect(regions.day_area, cursor)) {
    return PanelPress::DayArea;
  }
  if (PtInRect(regions.caption, cursor)) {
    return PanelPress::Caption;
  }
  if (PtInRect(regions.prev_month, cursor)) {
    return PanelPress::PrevMonth;
  }
  if (PtInRect(regions.next_month, cursor)) {
    return PanelPress::NextMonth;
  }
  if (PtInRect(regions.today, cursor)) {
    return PanelPress::Today;
  }
  return PanelPress::Nothing;
}

}  // namespace datewell
