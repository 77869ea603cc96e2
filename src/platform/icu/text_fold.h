#pragma once
// Case folding and character classes for the locale's text services. Folding is simple (one
// character to one character), so a folded text has exactly as many characters as the original
// and positions found in it are positions in the original.

#include <cstddef>
#include <string>
#include <string_view>

namespace datewell {

enum class FoldRule {
  kDefault,
  kTurkic,  // dotted and dotless i kept apart, as Turkish and Azerbaijani need
};

// The folded form of one character; every kind of white space becomes a plain blank.
char32_t FoldChar(char32_t c, FoldRule rule);

// Decodes text (platform/utf8.h rules) and appends its folded characters to out.
void FoldUtf8(std::string_view text, FoldRule rule, std::u32string& out);
std::u32string FoldUtf8(std::string_view text, FoldRule rule);

// A letter or combining mark: what makes a word continue.
bool IsWordLetter(char32_t c);
// A letter of a script that writes words apart (Latin, Cyrillic, Greek, Hangul...), as opposed
// to Han, Kana or Thai, where a name may touch the next word.
bool IsSpacedLetter(char32_t c);
// The value of a decimal digit of any script, or -1.
int DigitValue(char32_t c);

// The 0-based position of the first occurrence of needle in hay at or after from, or npos.
std::size_t FindFolded(std::u32string_view hay, std::u32string_view needle, std::size_t from = 0);

}  // namespace datewell
