#pragma once
// What the panel paints on its own surface: two frames, the header band and two month arrows.

#include <array>

#include "platform/types.h"

namespace datewell {

// Rectangles in the panel's client pixels.
struct PanelFrameRects {
  Rect outer;  // raised edge at the border
  Rect inner;  // sunken edge 3 pixels inside
  Rect band;   // behind the month caption and the arrows
};

PanelFrameRects ComputePanelFrameRects(float width_twips, float height_twips, float tx, float ty);

// One stroke of an arrow, in the panel's twips; the end point is not drawn.
struct LineStroke {
  float x1 = 0.0f;
  float y1 = 0.0f;
  float x2 = 0.0f;
  float y2 = 0.0f;
};

enum class ArrowDirection { Left, Right };

inline constexpr float kArrowTop = 130.0f;         // twips from the panel's top
inline constexpr float kPrevArrowLeft = 225.0f;    // twips from the panel's left
inline constexpr float kNextArrowFromRight = 255;  // twips from the panel's outer right

// The five vertical strokes of a solid triangle: adjacent one-pixel columns 9, 7, 5, 3 and 1
// pixels long, centred on the row 4 pixels below the start, each one pixel further towards the
// tip. Each stroke starts from where the previous one ended, as the panel's drawing position
// moves with every line.
std::array<LineStroke, 5> ArrowStrokes(float start_x, float start_y, ArrowDirection direction,
                                       float tx, float ty);

}  // namespace datewell
