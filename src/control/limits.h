#pragma once
// The limits of the values the control keeps, in one table: the members refuse a value beyond
// them, loading saved settings refuses a value beyond them, and the property file stores and
// reads back every value within them. So whatever a member accepts can be saved and loaded again.
//
//   font size (FontSize, Font)                   more than 0, at most 2160 points
//   font name (FontName, Font)                   at most 255 bytes
//   ToolTipText, SelText and the field's text    at most 64 KiB
//
// Texts are well-formed UTF-8 as well. A member or a load refuses with error 380 ("Invalid
// property value"), the error the control gives for any property value it cannot take.

#include <cstddef>
#include <string_view>

#include "platform/types.h"
#include "platform/utf8.h"

namespace datewell {

inline constexpr float kMaxFontPoints = 2160.0f;
inline constexpr std::size_t kMaxFontNameBytes = 255;
inline constexpr std::size_t kMaxTextBytes = 64u << 10;

// NaN and infinities are outside too.
constexpr bool IsFontSizeWithinLimits(double points) {
  return points > 0.0 && points <= static_cast<double>(kMaxFontPoints);
}

// At most limit bytes, and every character well-formed (a U+FFFD written out in full is a
// character like any other; a byte that starts no character is not).
constexpr bool IsTextWithinLimit(std::string_view text, std::size_t limit) {
  if (text.size() > limit) {
    return false;
  }
  for (std::size_t i = 0; i < text.size();) {
    const utf8::Decoded d = utf8::DecodeAt(text, i);
    if (d.c == utf8::kReplacement && d.size == 1) {
      return false;
    }
    i += d.size;
  }
  return true;
}

constexpr bool IsFontWithinLimits(const Font& font) {
  return IsFontSizeWithinLimits(font.size) && IsTextWithinLimit(font.name, kMaxFontNameBytes);
}

}  // namespace datewell
