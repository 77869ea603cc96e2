#pragma once
// Where the panel and the month list go on the screen: below the text field with the panel's
// right edge on the control's, above the control when the screen has no room below, and the
// list over the panel's top edge.

#include <cstdint>

#include "platform/types.h"

namespace datewell {

// The sizes placement reads, in twips.
struct PlacementGeometry {
  float txt_left = 0.0f;
  float txt_top = 0.0f;
  float txt_height = 0.0f;
  float control_width = 0.0f;
  float control_height = 0.0f;
  float panel_width = 0.0f;
  float panel_height = 0.0f;
};

// The panel's top-left corner in the control's client pixels, before it is taken to the screen.
Point PanelClientPosition(const PlacementGeometry& g, float tx, float ty);

struct PanelPlacement {
  Point panel;
  Point list;
};

// From the panel's corner in screen pixels: clamped at the work area's left, pulled left when
// its right edge would pass the work area's (strictly), flipped above the control when its
// bottom would pass the work area's (strictly); the list 40 pixels right of and 34 above the
// panel, each axis clamped at the work area's left or top on its own. On one screen at the
// origin the work area is (0, 0, full-screen width, full-screen height).
PanelPlacement PlacePanel(Point panel_on_screen, const PlacementGeometry& g, float tx, float ty,
                          const Rect& work_area);

}  // namespace datewell
