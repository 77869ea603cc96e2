#include "calendar/panel_paint_geometry.h"

#include "calendar/twips.h"

namespace datewell {

PanelFrameRects ComputePanelFrameRects(float width_twips, float height_twips, float tx, float ty) {
  const double wf = static_cast<double>(width_twips) / tx;
  const double hf = static_cast<double>(height_twips) / ty;
  PanelFrameRects r;
  r.outer = Rect{0, 0, RoundHalfEven(wf), RoundHalfEven(hf)};
  r.inner = Rect{3, 3, RoundHalfEven(wf - 3.0), RoundHalfEven(hf - 3.0)};
  r.band = Rect{5, 5, RoundHalfEven(wf - 4.0), 22};
  return r;
}

std::array<LineStroke, 5> ArrowStrokes(float start_x, float start_y, ArrowDirection direction,
                                       float tx, float ty) {
  const float step = direction == ArrowDirection::Left ? -tx : tx;
  // (start offset from the drawing position, length) in pixels; the drawing position then sits
  // at the stroke's end.
  struct Offsets {
    float dx_steps, dy, length;
  };
  constexpr std::array<Offsets, 5> kStrokes{{
      {0.0f, 0.0f, 9.0f},
      {1.0f, -2.0f, -7.0f},
      {1.0f, 2.0f, 5.0f},
      {1.0f, -2.0f, -3.0f},
      {1.0f, 2.0f, 1.0f},
  }};
  std::array<LineStroke, 5> strokes{};
  float x = start_x;
  float y = start_y;
  for (std::size_t i = 0; i < kStrokes.size(); ++i) {
    LineStroke& s = strokes[i];
    s.x1 = x + kStrokes[i].dx_steps * step;
    s.y1 = y + kStrokes[i].dy * ty;
    s.x2 = s.x1;
    s.y2 = s.y1 + kStrokes[i].length * ty;
    x = s.x2;
    y = s.y2;
  }
  return strokes;
}

}  // namespace datewell
