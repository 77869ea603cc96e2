#include "platform/qt/qt_geometry.h"

#include <Qt>
#include <algorithm>
#include <cmath>

#include "platform/toolkit.h"
#include "platform/windowing.h"

namespace datewell::qtgeom {

float TwipsPerPixel(double logical_dpi) {
  if (!(logical_dpi > 0.0) || !std::isfinite(logical_dpi)) {
    return 15.0f;
  }
  return static_cast<float>(1440.0 / logical_dpi);
}

std::int32_t ToPixels(float twips, float twips_per_pixel) {
  if (!(twips_per_pixel > 0.0f)) {
    return 0;
  }
  const double v = std::nearbyint(static_cast<double>(twips) / twips_per_pixel);
  if (!std::isfinite(v)) {
    return 0;
  }
  return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

namespace {

// One ring of an edge: the shade of its top and left sides and of its bottom and right sides.
struct Ring {
  Shade top_left;
  Shade bottom_right;
};

void AddRing(std::vector<Segment>& out, const Rect& r, Ring ring, std::uint32_t flags) {
  const std::int32_t l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  if (rr < l || b < t) {
    return;
  }
  if (flags & BF_TOP) {
    out.push_back({l, t, std::max(l, rr - 1), t, ring.top_left});
  }
  if (flags & BF_LEFT) {
    out.push_back({l, t, l, std::max(t, b - 1), ring.top_left});
  }
  if (flags & BF_BOTTOM) {
    out.push_back({l, b, rr, b, ring.bottom_right});
  }
  if (flags & BF_RIGHT) {
    out.push_back({rr, t, rr, b, ring.bottom_right});
  }
}

}  // namespace

std::vector<Segment> EdgeSegments(const Rect& rect, std::uint32_t edge, std::uint32_t flags) {
  std::vector<Segment> out;
  if (rect.right <= rect.left || rect.bottom <= rect.top) {
    return out;
  }
  std::optional<Ring> outer, inner;
  if (edge & BDR_RAISEDOUTER) {
    outer = Ring{Shade::Midlight, Shade::Dark};
  } else if (edge & BDR_SUNKENOUTER) {
    outer = Ring{Shade::Mid, Shade::Light};
  }
  if (edge & BDR_RAISEDINNER) {
    inner = Ring{Shade::Light, Shade::Mid};
  } else if (edge & BDR_SUNKENINNER) {
    inner = Ring{Shade::Dark, Shade::Midlight};
  }
  Rect r = rect;
  if (outer) {
    AddRing(out, r, *outer, flags);
  }
  // The inner ring sits one pixel inside on the sides that have an outer ring.
  if (flags & BF_LEFT) {
    ++r.left;
  }
  if (flags & BF_TOP) {
    ++r.top;
  }
  if (flags & BF_RIGHT) {
    --r.right;
  }
  if (flags & BF_BOTTOM) {
    --r.bottom;
  }
  if (inner) {
    AddRing(out, r, *inner, flags);
  }
  return out;
}

std::vector<Segment> ScrollDownArrow(const Rect& rect, bool pushed) {
  std::vector<Segment> rows;
  const std::int32_t w = rect.right - rect.left;
  const std::int32_t h = rect.bottom - rect.top;
  const std::int32_t rows_count = (std::min(w, h) - 4) / 3;
  if (rows_count < 1) {
    return rows;
  }
  const std::int32_t shift = pushed ? 1 : 0;
  const std::int32_t centre_x = rect.left + w / 2 + shift;
  const std::int32_t top = rect.top + (h - rows_count) / 2 + shift;
  for (std::int32_t i = 0; i < rows_count; ++i) {
    const std::int32_t half = rows_count - 1 - i;
    rows.push_back({centre_x - half, top + i, centre_x + half, top + i, Shade::Dark});
  }
  return rows;
}

std::optional<PixelLine> LineWithoutEnd(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                        std::int32_t y2) {
  const std::int32_t dx = x2 - x1;
  const std::int32_t dy = y2 - y1;
  if (dx == 0 && dy == 0) {
    return std::nullopt;
  }
  // Step back one pixel along the major axis; the minor axis follows in proportion.
  if (std::abs(dx) >= std::abs(dy)) {
    const std::int32_t sx = dx > 0 ? 1 : -1;
    const std::int32_t nx = x2 - sx;
    const double t = static_cast<double>(nx - x1) / dx;
    return PixelLine{x1, y1, nx, y1 + static_cast<std::int32_t>(std::lround(t * dy))};
  }
  const std::int32_t sy = dy > 0 ? 1 : -1;
  const std::int32_t ny = y2 - sy;
  const double t = static_cast<double>(ny - y1) / dy;
  return PixelLine{x1, y1, x1 + static_cast<std::int32_t>(std::lround(t * dx)), ny};
}

std::int16_t VirtualKeyFromQt(int qt_key) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) {
    return static_cast<std::int16_t>(qt_key);  // Qt's letter keys are the upper-case codes
  }
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    return static_cast<std::int16_t>(qt_key);
  }
  if (qt_key >= 0xA0 && qt_key <= 0xFF) {
    return kKeyPacket;  // a character with no key code of its own
  }
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) {
    return static_cast<std::int16_t>(112 + (qt_key - Qt::Key_F1));
  }
  switch (qt_key) {
    case Qt::Key_Backspace:
      return kKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyReturn;
    case Qt::Key_Shift:
      return kKeyShift;
    case Qt::Key_Control:
      return kKeyControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return kKeyMenu;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_Home:
      return kKeyHome;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return kKeyDelete;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 222;
    default:
      return 0;
  }
}

int QtKeyFromVirtualKey(std::int16_t vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
    return vk;
  }
  if (vk >= 112 && vk <= 135) {
    return Qt::Key_F1 + (vk - 112);
  }
  static constexpr struct {
    std::int16_t vk;
    int key;
  } kTable[] = {
      {kKeyBack, Qt::Key_Backspace}, {kKeyTab, Qt::Key_Tab},         {kKeyReturn, Qt::Key_Return},
      {kKeyShift, Qt::Key_Shift},    {kKeyControl, Qt::Key_Control}, {kKeyMenu, Qt::Key_Alt},
      {19, Qt::Key_Pause},           {20, Qt::Key_CapsLock},         {kKeyEscape, Qt::Key_Escape},
      {32, Qt::Key_Space},           {33, Qt::Key_PageUp},           {34, Qt::Key_PageDown},
      {kKeyEnd, Qt::Key_End},        {kKeyHome, Qt::Key_Home},       {kKeyLeft, Qt::Key_Left},
      {kKeyUp, Qt::Key_Up},          {kKeyRight, Qt::Key_Right},     {kKeyDown, Qt::Key_Down},
      {45, Qt::Key_Insert},          {kKeyDelete, Qt::Key_Delete},   {186, Qt::Key_Semicolon},
      {187, Qt::Key_Equal},          {188, Qt::Key_Comma},           {189, Qt::Key_Minus},
      {190, Qt::Key_Period},         {191, Qt::Key_Slash},           {192, Qt::Key_QuoteLeft},
      {219, Qt::Key_BracketLeft},    {220, Qt::Key_Backslash},       {221, Qt::Key_BracketRight},
      {222, Qt::Key_Apostrophe},
  };
  for (const auto& row : kTable) {
    if (row.vk == vk) {
      return row.key;
    }
  }
  return Qt::Key_unknown;
}

std::int16_t ShiftMask(bool shift, bool ctrl, bool alt) {
  return static_cast<std::int16_t>((shift ? kShiftMask : 0) | (ctrl ? kCtrlMask : 0) |
                                   (alt ? kAltMask : 0));
}

std::int16_t KeyAsciiFromCodePoint(char32_t code_point) {
  if (code_point == 0 || code_point > 0x7FFF) {
    return 0;
  }
  return static_cast<std::int16_t>(code_point);
}

WorkArea WorkAreaMetrics(const Rect& available) {
  return {std::max(0, available.right), std::max(0, available.bottom)};
}

Point PointOutside(const Rect& window, Point last) {
  const bool inside = last.x >= window.left && last.x < window.right && last.y >= window.top &&
                      last.y < window.bottom;
  if (!inside) {
    return last;
  }
  const Point candidates[] = {{window.left - 1, last.y},
                              {window.right, last.y},
                              {last.x, window.top - 1},
                              {last.x, window.bottom}};
  const std::int32_t distances[] = {last.x - window.left + 1, window.right - last.x,
                                    last.y - window.top + 1, window.bottom - last.y};
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < 4; ++i) {
    if (candidates[i].x < 0 || candidates[i].y < 0) {
      continue;
    }
    if (!best || distances[i] < distances[*best]) {
      best = i;
    }
  }
  return best ? candidates[*best] : Point{window.right, window.bottom};
}

std::int32_t ItemHeightFor(std::int32_t list_height_pixels, int items) {
  if (items <= 0) {
    return std::max(1, list_height_pixels);
  }
  return std::max(1, list_height_pixels / items);
}

}  // namespace datewell::qtgeom
