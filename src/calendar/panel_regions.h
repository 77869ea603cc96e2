#pragma once
// Where a press on the open panel lands: the regions of the panel, recomputed from the current
// widget geometry on every press, and the order in which they are tried.

#include <cstdint>

#include "platform/types.h"

namespace datewell {

// A widget's geometry in twips of its container.
struct TwipsBox {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

// The whole-pixel box of a widget: each edge divided by its axis' twips per pixel and rounded,
// right and bottom from the sums Left + Width and Top + Height.
Rect PixelBox(const TwipsBox& box, float tx, float ty);

// The regions inside the panel, in the panel's client pixels (converted to the screen by the
// caller through ClientToScreen).
struct PanelClientRegions {
  Rect day_area;  // from the top-left day cell to the bottom-right one
  Rect today;
  Rect prev_month;
  Rect caption;
  Rect next_month;
};

PanelClientRegions ComputePanelClientRegions(float panel_width, const TwipsBox& first_day_cell,
                                             const TwipsBox& last_day_cell,
                                             const TwipsBox& today_button, float tx, float ty);

// Twice the full-screen client area from the origin, widened to take in every screen of the
// desktop (all_screens, their bounding rectangle), so that a press outside the panel closes it
// on whichever screen it lands, also at negative coordinates. Presses beyond it are ignored.
Rect BoundRegion(std::int32_t cx_fullscreen, std::int32_t cy_fullscreen, const Rect& all_screens);

// All regions in screen pixels.
struct PanelRegions {
  Rect bound;
  Rect panel;
  Rect day_area;
  Rect today;
  Rect prev_month;
  Rect caption;
  Rect next_month;
};

enum class PanelPress { Nothing, Outside, DayArea, Caption, PrevMonth, NextMonth, Today };

// The meaning of a press at a screen point; the first match in this order wins: outside the
// panel (within the bound), day area, caption strip, previous month, next month, Today.
PanelPress ClassifyPanelPress(const PanelRegions& regions, Point cursor);

}  // namespace datewell
