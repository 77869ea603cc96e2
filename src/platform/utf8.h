#pragma once
// UTF-8 decoding with one rule shared by every text service: a well-formed sequence is one
// character; every byte that does not start a well-formed sequence is one character of its own
// (decoded as U+FFFD). Positions and lengths that the locale services report count characters
// under this rule, so callers can turn them back into byte offsets without disagreeing.

#include <cstddef>
#include <string_view>

namespace datewell::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
  char32_t c;
  std::size_t size;  // bytes consumed, 1 to 4
};

// The character starting at s[i] (i < s.size()).
constexpr Decoded DecodeAt(std::string_view s, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned b0 = byte(i);
  if (b0 < 0x80) {
    return {b0, 1};
  }
  std::size_t need = 0;
  char32_t c = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
    c = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    c = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    c = b0 & 0x07;
    min = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  if (i + need >= s.size()) {
    return {kReplacement, 1};
  }
  for (std::size_t k = 1; k <= need; ++k) {
    const unsigned b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      return {kReplacement, 1};
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return {kReplacement, 1};
  }
  return {c, need + 1};
}

// The number of characters in s.
constexpr std::size_t Length(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i += DecodeAt(s, i).size) {
    ++n;
  }
  return n;
}

// The byte offset of character number `chars` (0-based); s.size() when s has fewer characters.
constexpr std::size_t ByteOffset(std::string_view s, std::size_t chars) {
  std::size_t i = 0;
  while (chars > 0 && i < s.size()) {
    i += DecodeAt(s, i).size;
    --chars;
  }
  return i;
}

}  // namespace datewell::utf8
