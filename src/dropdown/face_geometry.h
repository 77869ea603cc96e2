#pragma once
// The control face: the text field's size and the control's fixed height for a given width, the
// drop button's hit rectangle, and the rectangles the face is painted with.

#include <cstdint>

#include "platform/types.h"

namespace datewell {

inline constexpr float kTextFieldHeight = 240.0f;  // twips

struct FaceLayout {
  float txt_width = 0.0f;       // twips: 22 pixels narrower than the control
  float txt_height = 0.0f;      // twips
  float control_height = 0.0f;  // twips: the text field's height plus 5 pixels
};

FaceLayout ComputeFaceLayout(float control_width, float tx, float ty);

// The drop button's hit rectangle in twips of the control's client area: from one pixel right of
// the text field (as it is laid out for this width) to one pixel inside the face's right, top and
// bottom.
Rect DropButtonHitRect(float txt_left, float txt_width, float control_width, float control_height,
                       float tx, float ty);

// The rectangles the face is painted with, in client pixels. scroll_arrow is the system's
// scroll-arrow size (the button's width), border its border width.
struct FacePaintRects {
  Rect button;
  Rect edge;
};

FacePaintRects ComputeFacePaintRects(float control_width, float control_height, float tx, float ty,
                                     std::int32_t scroll_arrow, std::int32_t border);

}  // namespace datewell
