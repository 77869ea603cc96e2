#pragma once
// The colours the Qt backend draws the control's colours with. The control keeps its fixed
// colours (black text, the navy highlight with white text, today's dark red); on a light palette
// they are drawn as they are. When the palette's window background is dark they would be
// unreadable, so each is drawn with the palette colour it stands for, made readable (a contrast
// of at least 4.5:1) against what lies behind it.

#include <QColor>
#include <QPalette>

#include "platform/types.h"

namespace datewell::qtcolor {

// What a colour paints: text (or a line) over something, or the background of an item.
enum class Ink { Text, Stroke, Fill };

// The contrast ratio of two colours by their relative luminance, 1 to 21.
double Contrast(const QColor& a, const QColor& b);

// A palette is dark when its window background (the panel's and the day cells' background) is.
bool IsDark(const QPalette& palette);

// A system colour (the flag bit set) is the palette's colour for it; any other is the RGB value.
QColor Resolve(OleColor color, const QPalette& palette);

// The colour that draws `color` as `ink` under `palette`. `behind` is the colour drawn beneath
// (already mapped); it is only read for text and strokes on a dark palette.
QColor Drawn(OleColor color, Ink ink, const QPalette& palette, const QColor& behind);

}  // namespace datewell::qtcolor
