// The plain-value helpers of the headless desktop: unit conversion, UTF-8 encoding, the edit
// model and the key tables. (Character offsets are the edit model's and the text box's; sums
// that saturate, the input at the ends of the coordinate range.)

#include "platform/headless/text_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace datewell::headless {
namespace {

TEST(TwipsToPixels, RoundsHalvesToEvenAfterDividing) {
  struct Row {
    const char* name;
    float twips, tpp;
    std::int32_t want;
  };
  const Row rows[] = {
      {"exact", 2475, 15, 165},
      {"one and a half rounds up to even", 22.5f, 15, 2},
      {"negative half", -22.5f, 15, -2},
      {"other scale", 100, 12, 8},  // 8.33
      {"zero scale gives zero", 100, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TwipsToPixels(r.twips, r.tpp), r.want);
  }
}

TEST(PixelRect, FormsSumsInTwipsBeforeRounding) {
  struct Row {
    const char* name;
    float l, t, w, h, tx, ty;
    Rect want;
  };
  const Row rows[] = {
      {"design panel", 30, 300, 2475, 2475, 15, 15, {2, 20, 167, 185}},
      // Left 22.5 -> 2, width 15 -> 1, but the right edge is 37.5 -> 2, not 2 + 1.
      {"sum before rounding", 22.5f, 0, 15, 0, 15, 15, {2, 0, 2, 0}},
      {"separate axes", 120, 120, 120, 120, 12, 20, {10, 6, 20, 12}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PixelRect(r.l, r.t, r.w, r.h, r.tx, r.ty), r.want);
  }
}

TEST(Utf8, EncodesAndDecodesEveryLength) {
  const char32_t points[] = {U'a',  0xE4,  0x5E74, 0x1F600, 0x7F,    0x80,
                             0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF};
  for (char32_t c : points) {
    SCOPED_TRACE(static_cast<unsigned>(c));
    std::string s = EncodeUtf8(c);
    EXPECT_EQ(DecodeUtf8(s), std::u32string(1, c));
    EXPECT_EQ(CharCount(s), 1);
  }
  EXPECT_EQ(EncodeUtf8(0xD800), "\xEF\xBF\xBD");  // a surrogate is no character
}

// ---- The edit model (what the text box does with it is the conformance suite's) ----

EditState At(std::string text, int anchor, int caret) {
  return EditState{std::move(text), anchor, caret};
}

TEST(EditState, SelStartCollapsesAReversedSelection) {
  EditState s = At("abcdef", 5, 2);  // selected backwards
  EXPECT_EQ(SelStartOf(s), 2);
  EXPECT_EQ(SelLengthOf(s), 3);
  EXPECT_EQ(SelTextOf(s), "cde");
  EXPECT_EQ(WithSelLength(s, 1), At("abcdef", 2, 3));
}

TEST(EditState, EditsReplaceTheSelectionAndPlaceTheCaret) {
  enum Op { Replace, Back, Del };
  struct Row {
    const char* name;
    EditState start;
    Op op;
    std::string text;
    EditState want;
  };
  const Row rows[] = {
      {"replace reversed selection", At("abcd", 3, 1), Replace, "X", At("aXd", 2, 2)},
      {"backspace removes the selection only", At("abcd", 1, 3), Back, "", At("ad", 1, 1)},
      {"backspace a multibyte character", At("a\xC3\xA4", 2, 2), Back, "", At("a", 1, 1)},
      {"delete at end", At("abc", 3, 3), Del, "", At("abc", 3, 3)},
      {"caret beyond a shortened text", At("ab", 9, 9), Replace, "c", At("abc", 3, 3)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EditState got = r.op == Replace ? ReplaceSelection(r.start, r.text)
                    : r.op == Back  ? Backspace(r.start)
                                    : DeleteForward(r.start);
    EXPECT_EQ(got, r.want);
  }
}

TEST(EditState, CaretMovesWithAndWithoutShift) {
  struct Row {
    const char* name;
    EditState start;
    CaretMove move;
    bool extend;
    EditState want;
  };
  const Row rows[] = {
      {"left at start stays", At("abc", 0, 0), CaretMove::Left, false, At("abc", 0, 0)},
      {"right at end stays", At("abc", 3, 3), CaretMove::Right, false, At("abc", 3, 3)},
      {"left collapses a selection to its start", At("abcd", 1, 3), CaretMove::Left, false,
       At("abcd", 1, 1)},
      {"right collapses a selection to its end", At("abcd", 3, 1), CaretMove::Right, false,
       At("abcd", 3, 3)},
      {"shift+home selects to the start", At("abc", 2, 2), CaretMove::Home, true, At("abc", 2, 0)},
      {"shift+right extends", At("abc", 1, 1), CaretMove::Right, true, At("abc", 1, 2)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(MoveCaret(r.start, r.move, r.extend), r.want);
  }
}

// ---- Keys ----

// Backspace's character and an arrow's none are the conformance suite's key rows.
TEST(Keys, CharacterOfAKeyUnderAShiftMask) {
  struct Row {
    const char* name;
    std::int16_t key, shift;
    std::optional<char32_t> want;
  };
  const Row rows[] = {
      {"keypad digit", 101, 0, U'5'},
      {"enter", kKeyReturn, 0, U'\r'},
      {"ctrl+C is a control character", 'C', kCtrlMask, char32_t{3}},
      {"ctrl+digit gives none", '1', kCtrlMask, std::nullopt},
      {"alt+letter gives none", 'A', kAltMask, std::nullopt},
      {"shift alone gives none", kKeyShift, kShiftMask, std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(CharForKey(r.key, r.shift), r.want);
  }
}

TEST(Keys, EveryPrintableAsciiCharacterRoundTripsThroughItsKey) {
  for (char32_t c = 32; c < 127; ++c) {
    SCOPED_TRACE(static_cast<int>(c));
    KeyStroke k = KeyForChar(c);
    ASSERT_NE(k.key_code, kKeyPacket);
    EXPECT_EQ(CharForKey(k.key_code, k.shift), c);
  }
  EXPECT_EQ(KeyForChar(U'\n'), (KeyStroke{kKeyReturn, 0}));
  EXPECT_EQ(KeyForChar(0xE9), (KeyStroke{kKeyPacket, 0}));
}

}  // namespace
}  // namespace datewell::headless
