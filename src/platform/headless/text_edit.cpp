#include "platform/headless/text_edit.h"

#include "platform/toolkit.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace datewell::headless {

std::int32_t TwipsToPixels(float twips, float tpp) {
  if (!(tpp > 0.0f) || !std::isfinite(twips)) {
    return 0;
  }
  double px = std::nearbyint(static_cast<double>(twips) / static_cast<double>(tpp));
  px = std::clamp(px, -2147483648.0, 2147483647.0);
  return static_cast<std::int32_t>(px);
}

Rect PixelRect(float left, float top, float width, float height, float tpp_x, float tpp_y) {
  return Rect{TwipsToPixels(left, tpp_x), TwipsToPixels(top, tpp_y),
              TwipsToPixels(left + width, tpp_x), TwipsToPixels(top + height, tpp_y)};
}

std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b) {
  std::int64_t sum = std::int64_t{a} + b;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

std::vector<std::size_t> CharOffsets(std::string_view utf8) {
  std::vector<std::size_t> out;
  out.reserve(utf8.size() + 1);
  std::size_t i = 0;
  while (i < utf8.size()) {
    out.push_back(i);
    i += utf8::DecodeAt(utf8, i).size;
  }
  out.push_back(utf8.size());
  return out;
}

int CharCount(std::string_view utf8) {
  return static_cast<int>(CharOffsets(utf8).size()) - 1;
}

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    c = 0xFFFD;
  }
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const utf8::Decoded d = utf8::DecodeAt(s, i);
    out += d.c;
    i += d.size;
  }
  return out;
}

// ---- The single-line edit ----

namespace {

int Clamp(int v, int lo, int hi) {
  return std::max(lo, std::min(v, hi));
}

// Keeps anchor and caret inside the text (after the text was replaced from outside).
EditState Normalised(EditState s) {
  int n = CharCount(s.text);
  s.anchor = Clamp(s.anchor, 0, n);
  s.caret = Clamp(s.caret, 0, n);
  return s;
}

}  // namespace

int SelStartOf(const EditState& s) {
  return std::min(s.anchor, s.caret);
}

int SelLengthOf(const EditState& s) {
  return std::abs(s.caret - s.anchor);
}

std::string SelTextOf(const EditState& s0) {
  EditState s = Normalised(s0);
  auto off = CharOffsets(s.text);
  std::size_t a = off[static_cast<std::size_t>(SelStartOf(s))];
  std::size_t b = off[static_cast<std::size_t>(SelStartOf(s) + SelLengthOf(s))];
  return s.text.substr(a, b - a);
}

EditState WithSelStart(EditState s, int start) {
  s = Normalised(std::move(s));
  int n = CharCount(s.text);
  s.anchor = s.caret = Clamp(start, 0, n);
  return s;
}

EditState WithSelLength(EditState s, int length) {
  s = Normalised(std::move(s));
  int n = CharCount(s.text);
  int start = SelStartOf(s);
  s.anchor = start;
  s.caret = start + Clamp(length, 0, n - start);
  return s;
}

EditState ReplaceSelection(EditState s, std::string_view text) {
  s = Normalised(std::move(s));
  auto off = CharOffsets(s.text);
  int start = SelStartOf(s);
  std::size_t a = off[static_cast<std::size_t>(start)];
  std::size_t b = off[static_cast<std::size_t>(start + SelLengthOf(s))];
  s.text.replace(a, b - a, text);
  // Count the inserted characters in the new text, so a malformed byte joining its neighbour
  // cannot put the caret in the middle of a character.
  auto new_off = CharOffsets(s.text);
  auto it = std::lower_bound(new_off.begin(), new_off.end(), a + text.size());
  s.anchor = s.caret = static_cast<int>(it - new_off.begin());
  return Normalised(std::move(s));
}

EditState Backspace(EditState s) {
  s = Normalised(std::move(s));
  if (SelLengthOf(s) == 0) {
    if (s.caret == 0) {
      return s;
    }
    s.anchor = s.caret - 1;
  }
  return ReplaceSelection(std::move(s), "");
}

EditState DeleteForward(EditState s) {
  s = Normalised(std::move(s));
  if (SelLengthOf(s) == 0) {
    if (s.caret == CharCount(s.text)) {
      return s;
    }
    s.anchor = s.caret + 1;
  }
  return ReplaceSelection(std::move(s), "");
}

EditState MoveCaret(EditState s, CaretMove move, bool extend) {
  s = Normalised(std::move(s));
  int n = CharCount(s.text);
  int to = s.caret;
  switch (move) {
    case CaretMove::Home:
      to = 0;
      break;
    case CaretMove::End:
      to = n;
      break;
    case CaretMove::Left:
      // Without Shift, Left on a selection lands on its start, as edit boxes do.
      to = (!extend && SelLengthOf(s) > 0) ? SelStartOf(s) : std::max(0, s.caret - 1);
      break;
    case CaretMove::Right:
      to = (!extend && SelLengthOf(s) > 0) ? SelStartOf(s) + SelLengthOf(s)
                                           : std::min(n, s.caret + 1);
      break;
  }
  s.caret = to;
  if (!extend) {
    s.anchor = to;
  }
  return s;
}

// ---- Keys ----

namespace {

struct OemKey {
  std::int16_t key_code;
  char plain;
  char shifted;
};
// The punctuation keys of the US layout.
constexpr OemKey kOemKeys[] = {
    {186, ';', ':'},  {187, '=', '+'}, {188, ',', '<'},  {189, '-', '_'},
    {190, '.', '>'},  {191, '/', '?'}, {192, '`', '~'},  {219, '[', '{'},
    {220, '\\', '|'}, {221, ']', '}'}, {222, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

std::optional<char32_t> CharForKey(std::int16_t key_code, std::int16_t shift) {
  bool sh = (shift & kShiftMask) != 0;
  bool ctrl = (shift & kCtrlMask) != 0;
  if ((shift & kAltMask) != 0) {
    return std::nullopt;
  }
  if (key_code >= 'A' && key_code <= 'Z') {
    if (ctrl) {
      return static_cast<char32_t>(key_code - 'A' + 1);
    }
    return static_cast<char32_t>(sh ? key_code : key_code - 'A' + 'a');
  }
  if (ctrl) {
    return std::nullopt;
  }
  if (key_code >= '0' && key_code <= '9') {
    return static_cast<char32_t>(sh ? kShiftedDigits[key_code - '0'] : key_code);
  }
  if (key_code >= 96 && key_code <= 105) {  // numeric keypad digits
    return static_cast<char32_t>('0' + key_code - 96);
  }
  switch (key_code) {
    case 8:   // Backspace
    case 9:   // Tab
    case 13:  // Enter
    case 27:  // Escape
    case 32:  // Space
      return static_cast<char32_t>(key_code);
    case 106:
      return U'*';
    case 107:
      return U'+';
    case 109:
      return U'-';
    case 110:
      return U'.';
    case 111:
      return U'/';
    default:
      break;
  }
  for (const OemKey& k : kOemKeys) {
    if (k.key_code == key_code) {
      return static_cast<char32_t>(sh ? k.shifted : k.plain);
    }
  }
  return std::nullopt;
}

KeyStroke KeyForChar(char32_t c) {
  if (c >= 'a' && c <= 'z') {
    return {static_cast<std::int16_t>(c - 'a' + 'A'), 0};
  }
  if (c >= 'A' && c <= 'Z') {
    return {static_cast<std::int16_t>(c), kShiftMask};
  }
  if (c >= '0' && c <= '9') {
    return {static_cast<std::int16_t>(c), 0};
  }
  switch (c) {
    case U'\b':
      return {kKeyBack, 0};
    case U'\t':
      return {kKeyTab, 0};
    case U'\r':
    case U'\n':
      return {kKeyReturn, 0};
    case 27:
      return {kKeyEscape, 0};
    case U' ':
      return {32, 0};
    default:
      break;
  }
  for (int d = 0; d < 10; ++d) {
    if (static_cast<char32_t>(kShiftedDigits[d]) == c) {
      return {static_cast<std::int16_t>('0' + d), kShiftMask};
    }
  }
  for (const OemKey& k : kOemKeys) {
    if (static_cast<char32_t>(k.plain) == c) {
      return {k.key_code, 0};
    }
    if (static_cast<char32_t>(k.shifted) == c) {
      return {k.key_code, kShiftMask};
    }
  }
  return {kKeyPacket, 0};
}

}  // namespace datewell::headless
