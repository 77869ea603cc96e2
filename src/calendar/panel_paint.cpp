#include "calendar/colors.h"
#include "calendar/panel_paint_geometry.h"
#include "control/datewell.h"

namespace datewell {

namespace {

constexpr std::uint32_t kBandState = DFCS_MENUARROWUP;

}  // namespace

// Painting the panel's frame, header band and month arrows. The labels, lines and the Today
// button draw themselves.
void Datewell::picCalendar_Paint() {
  // A paint that arrives while one is running (a message pump inside a platform call) is
  // dropped, not deferred.
  if (m_Painting) {
    return;
  }
  m_Painting = true;
  const float tx = toolkit_.TwipsPerPixelX();
  const float ty = toolkit_.TwipsPerPixelY();
  const float width = picCalendar->Width();
  const Hdc hdc = picCalendar->hDC();
  PanelFrameRects rects = ComputePanelFrameRects(width, picCalendar->Height(), tx, ty);
  windowing_.DrawEdge(hdc, rects.outer, EDGE_RAISED, BF_RECT);
  windowing_.DrawEdge(hdc, rects.inner, EDGE_SUNKEN, BF_RECT);
  windowing_.DrawFrameControl(hdc, rects.band, DFC_POPUPMENU, kBandState);
  picCalendar->SetForeColor(kColorBlack);

  const auto draw_arrow = [&](float start_x, ArrowDirection direction) {
    picCalendar->SetCurrentX(start_x);
    picCalendar->SetCurrentY(kArrowTop);
    for (const LineStroke& s : ArrowStrokes(start_x, kArrowTop, direction, tx, ty)) {
      picCalendar->Line(s.x1, s.y1, s.x2, s.y2);
    }
  };
  draw_arrow(kPrevArrowLeft, ArrowDirection::Left);
  draw_arrow(width - kNextArrowFromRight, ArrowDirection::Right);
  m_Painting = false;
}

}  // namespace datewell
