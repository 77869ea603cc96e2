#include "platform/qt/qt_colors.h"

#include <algorithm>
#include <cmath>

namespace datewell::qtcolor {

namespace {

// Readable is 4.5:1; colours are made a little clearer than that, so that the thin strokes of a
// small font, which anti-aliasing never draws at full strength, still reach it.
constexpr double kAim = 5.0;
constexpr OleColor kBlack = 0x000000u;
constexpr OleColor kWhite = 0xFFFFFFu;
constexpr OleColor kNavy = 0x800000u;

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

// `ink` with its hue kept and its lightness moved away from `against` (the way it already
// differs, else the other way) until the two are readable together; black or white when no
// lightness of that hue is.
QColor Readable(const QColor& ink, const QColor& against) {
  if (Contrast(ink, against) >= kAim) {
    return ink;
  }
  const QColor hsl = ink.toHsl();
  const bool lighter = Luminance(ink) >= Luminance(against);
  for (const bool lighten : {lighter, !lighter}) {
    for (int l = hsl.lightness(); l >= 0 && l <= 255; l += lighten ? 1 : -1) {
      const QColor c = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), l);
      if (Contrast(c, against) >= kAim) {
        return c;
      }
    }
  }
  const QColor white(Qt::white), black(Qt::black);
  return Contrast(white, against) >= Contrast(black, against) ? white : black;
}

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Base).lightness() < 128;
}

QColor Resolve(OleColor color, const QPalette& pal) {
  if (color & kSysColorFlag) {
    switch (color & 0xFF) {
      case 5:  // window background
        return pal.color(QPalette::Base);
      case 8:  // window text
        return pal.color(QPalette::Text);
      case 13:  // highlight
        return pal.color(QPalette::Highlight);
      case 14:  // highlighted text
        return pal.color(QPalette::HighlightedText);
      case 15:  // button face
        return pal.color(QPalette::Button);
      case 16:  // button shadow
        return pal.color(QPalette::Mid);
      case 17:  // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
      case 18:  // button text
        return pal.color(QPalette::ButtonText);
      case 20:  // button highlight
        return pal.color(QPalette::Light);
      case 21:  // dark shadow
        return pal.color(QPalette::Dark);
      case 22:  // light
        return pal.color(QPalette::Midlight);
      case 24:  // info background
        return pal.color(QPalette::ToolTipBase);
      case 23:  // info text
        return pal.color(QPalette::ToolTipText);
      default:
        return pal.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QColor Drawn(OleColor color, Ink ink, const QPalette& pal, const QColor& behind) {
  const QColor plain = Resolve(color, pal);
  if (!IsDark(pal)) {
    return plain;
  }
  switch (ink) {
    case Ink::Fill:
      // The selection's navy is the palette's highlight, kept readable under its text.
      return color == kNavy
                 ? Readable(pal.color(QPalette::Highlight), pal.color(QPalette::HighlightedText))
                 : plain;
    case Ink::Text:
      // Black text is the palette's text, white (on the selection) its highlighted text; any
      // other colour (today's red, the adjacent months' shadow grey) keeps its hue.
      return Readable(color == kBlack   ? pal.color(QPalette::Text)
                      : color == kWhite ? pal.color(QPalette::HighlightedText)
                                        : plain,
                      behind);
    case Ink::Stroke:
      return Readable(color == kBlack ? pal.color(QPalette::WindowText) : plain, behind);
  }
  return plain;
}

}  // namespace datewell::qtcolor
