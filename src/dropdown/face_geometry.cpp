#include "dropdown/face_geometry.h"

#include "calendar/twips.h"

namespace datewell {

FaceLayout ComputeFaceLayout(float control_width, float tx, float ty) {
  FaceLayout f;
  f.txt_width = control_width - 22.0f * tx;
  f.txt_height = kTextFieldHeight;
  f.control_height = kTextFieldHeight + 5.0f * ty;
  return f;
}

Rect DropButtonHitRect(float txt_left, float txt_width, float control_width, float control_height,
                       float tx, float ty) {
  return Rect{RoundHalfEven(static_cast<double>(txt_width) + txt_left + tx), RoundHalfEven(ty),
              RoundHalfEven(static_cast<double>(control_width) - tx),
              RoundHalfEven(static_cast<double>(control_height) - ty)};
}

FacePaintRects ComputeFacePaintRects(float control_width, float control_height, float tx, float ty,
                                     std::int32_t scroll_arrow, std::int32_t border) {
  const std::int32_t e = 2 * border;
  const double w = static_cast<double>(control_width) / tx;
  const double h = static_cast<double>(control_height) / ty;
  FacePaintRects r;
  r.button =
      Rect{RoundHalfEven(w - (scroll_arrow + e)), e, RoundHalfEven(w - e), RoundHalfEven(h - e)};
  r.edge = Rect{0, 0, RoundHalfEven(w), RoundHalfEven(h)};
  return r;
}

}  // namespace datewell
