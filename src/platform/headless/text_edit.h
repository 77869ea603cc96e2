#pragma once
// Plain-value helpers of the headless desktop: twips/pixel conversion, UTF-8 character
// positions, the single-line edit model of the text box, and the key <-> character tables used
// when keys are injected. Everything here takes and returns plain values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace datewell::headless {

// ---- Units ----
// nearbyint(twips / tpp), halves to even; 0 for a twips-per-pixel that is not positive.
std::int32_t TwipsToPixels(float twips, float tpp);
// A widget's rectangle in pixels of its container; the sums are formed in twips first.
Rect PixelRect(float left, float top, float width, float height, float tpp_x, float tpp_y);

// Screen coordinates are sums of window offsets; a sum beyond the 32-bit range stops at its end.
std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b);

// ---- UTF-8 ----
// Byte offsets of every character start plus the text's size at the end (so a text of n
// characters gives n + 1 offsets). A byte that does not begin a well-formed sequence counts as a
// character of its own, so no byte is ever lost or merged.
std::vector<std::size_t> CharOffsets(std::string_view utf8);
int CharCount(std::string_view utf8);
std::string EncodeUtf8(char32_t code_point);
// The code points of a text; a malformed byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);

// ---- The single-line edit ----
// The selection runs between the anchor and the caret (characters); SelStart is the smaller,
// SelLength the distance.
struct EditState {
  std::string text;
  int anchor = 0;
  int caret = 0;
  friend bool operator==(const EditState&, const EditState&) = default;
};

int SelStartOf(const EditState& s);
int SelLengthOf(const EditState& s);
std::string SelTextOf(const EditState& s);
// SelStart: clamped to [0, length]; collapses the selection there.
EditState WithSelStart(EditState s, int start);
// SelLength: clamped to [0, length - SelStart]; the caret goes to the selection's end.
EditState WithSelLength(EditState s, int length);
// Replaces the selection with text; the caret follows the inserted text.
EditState ReplaceSelection(EditState s, std::string_view text);
// Backspace: deletes the selection, or else the character before the caret.
EditState Backspace(EditState s);
// Delete: deletes the selection, or else the character after the caret.
EditState DeleteForward(EditState s);
// Home, End, Left, Right; extend keeps the anchor (Shift held).
enum class CaretMove { Home, End, Left, Right };
EditState MoveCaret(EditState s, CaretMove move, bool extend);

// ---- Keys ----
inline constexpr std::int16_t kKeyPacket = 231;  // a character with no key of its own

// The character a key gives under a shift mask (US layout), if any. Ctrl with a letter gives
// its control character; Alt gives none.
std::optional<char32_t> CharForKey(std::int16_t key_code, std::int16_t shift);

struct KeyStroke {
  std::int16_t key_code = 0;
  std::int16_t shift = 0;
  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};
// The key (US layout) that types a character; kKeyPacket for characters no key gives.
KeyStroke KeyForChar(char32_t c);

}  // namespace datewell::headless
