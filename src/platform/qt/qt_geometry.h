#pragma once
// The arithmetic of the Qt backend, kept apart from the widgets so that it can be tested without
// a display: twips and pixels, the shades and segments of three-dimensional edges, the arrow of a
// scroll button, the pixels a line covers, the mapping of keys and modifiers, and the work area.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/types.h"

namespace datewell::qtgeom {

// Twips per pixel of a screen: 1440 / logical DPI. The pixel is Qt's device-independent one, so
// that the control's lengths in pixels (frame, button, arrows) grow with its lengths in twips at
// every device pixel ratio, and Qt paints them with device pixels. A DPI that is not positive
// counts as 96 (15 twips per pixel).
float TwipsPerPixel(double logical_dpi);

// A length or position in twips as whole pixels: divided in floating point, rounded to nearest
// with halves to even.
std::int32_t ToPixels(float twips, float twips_per_pixel);

// The four shades of the palette's three-dimensional colours, lightest first.
enum class Shade { Light, Midlight, Mid, Dark };

// A run of pixels of one shade; both ends inclusive, horizontal or vertical.
struct Segment {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Shade shade = Shade::Light;
  friend bool operator==(const Segment&, const Segment&) = default;
};

// The segments of a two-pixel edge inside rect (right and bottom exclusive), outer ring first.
// Raised outer: top and left midlight, bottom and right dark; raised inner: light and mid;
// sunken outer: mid and light; sunken inner: dark and midlight. Top and left stop one pixel short
// so that the bottom-left and top-right corners carry the bottom and right shade. flags choose
// the sides (BF_LEFT, BF_TOP, BF_RIGHT, BF_BOTTOM); an empty rectangle gives nothing.
std::vector<Segment> EdgeSegments(const Rect& rect, std::uint32_t edge, std::uint32_t flags);

// The filled rows of a downward arrow centred in a scroll button (rect as given to the call);
// each row is a horizontal run, widest first. A pushed button draws its arrow one pixel right and
// down. A rectangle too small for an arrow gives nothing.
std::vector<Segment> ScrollDownArrow(const Rect& rect, bool pushed);

// The pixel end points of a line from (x1, y1) to (x2, y2) whose end point is not drawn, for the
// straight lines the control draws; nothing when the line is a single (undrawn) point.
struct PixelLine {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const PixelLine&, const PixelLine&) = default;
};
std::optional<PixelLine> LineWithoutEnd(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                        std::int32_t y2);

// The virtual-key code of a Qt key (Qt::Key values), or 0 for keys the control has no code for.
// Letters give their upper-case code, digits theirs, the modifiers 16, 17 and 18 of their own;
// a key that types a character without a code of its own (Latin-1 letters) gives kKeyPacket.
inline constexpr std::int16_t kKeyPacket = 231;
std::int16_t VirtualKeyFromQt(int qt_key);

// The Qt key of a virtual-key code (Qt::Key_unknown for codes without one); the inverse of
// VirtualKeyFromQt on the keys the control and scripts use.
int QtKeyFromVirtualKey(std::int16_t vk);

// The shift mask of the modifiers held: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftMask(bool shift, bool ctrl, bool alt);

// The key's character as KeyAscii: the code point when it fits a 16-bit key value (Enter 13,
// Backspace 8, Escape 27 included), else 0.
std::int16_t KeyAsciiFromCodePoint(char32_t code_point);

// SM_CXFULLSCREEN and SM_CYFULLSCREEN of a screen's available area in pixels: its right
// and bottom edges measured from the desktop's origin, so that a panel placed on a second screen
// is clamped to that screen. On one screen at the origin this is the area's width and height.
struct WorkArea {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend bool operator==(const WorkArea&, const WorkArea&) = default;
};
WorkArea WorkAreaMetrics(const Rect& available_device_pixels);

// Where a press outside the application's windows is taken to be when the window system only
// says that it happened (on Wayland the pop-up is dismissed and the point is not told): the last
// cursor position seen if it lies outside the window, else the point just outside the edge
// nearest to it. Points left of or above the screen's origin are not taken: a press there would
// not count as outside.
Point PointOutside(const Rect& window, Point last_cursor);

// The list band height that makes n items fill a list of height pixels (at least one pixel).
std::int32_t ItemHeightFor(std::int32_t list_height_pixels, int items);

}  // namespace datewell::qtgeom
