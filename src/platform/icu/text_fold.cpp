#include "platform/icu/text_fold.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include "platform/utf8.h"

namespace datewell {

char32_t FoldChar(char32_t c, FoldRule rule) {
  if (c < 0x80) {
    if (c >= 'A' && c <= 'Z') {
      return rule == FoldRule::kTurkic && c == 'I' ? U'\u0131' : c + ('a' - 'A');
    }
    return (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') ? U' ' : c;
  }
  if (u_isUWhiteSpace(static_cast<UChar32>(c))) {
    return U' ';
  }
  const uint32_t options =
      rule == FoldRule::kTurkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), options));
}

void FoldUtf8(std::string_view text, FoldRule rule, std::u32string& out) {
  for (std::size_t i = 0; i < text.size();) {
    const auto [c, size] = utf8::DecodeAt(text, i);
    out.push_back(FoldChar(c, rule));
    i += size;
  }
}

std::u32string FoldUtf8(std::string_view text, FoldRule rule) {
  std::u32string out;
  out.reserve(text.size());
  FoldUtf8(text, rule, out);
  return out;
}

bool IsWordLetter(char32_t c) {
  if (c < 0x80) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  }
  const auto u = static_cast<UChar32>(c);
  return u_isUAlphabetic(u) || (U_GET_GC_MASK(u) & U_GC_M_MASK) != 0;
}

bool IsSpacedLetter(char32_t c) {
  if (!IsWordLetter(c)) {
    return false;
  }
  if (c < 0x2E80) {
    // Below the CJK blocks only Thai, Lao, Khmer and Myanmar run words together.
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &status);
    return script != USCRIPT_THAI && script != USCRIPT_LAO && script != USCRIPT_KHMER &&
           script != USCRIPT_MYANMAR;
  }
  UErrorCode status = U_ZERO_ERROR;
  const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &status);
  return script == USCRIPT_HANGUL || script == USCRIPT_LATIN;  // fullwidth Latin
}

int DigitValue(char32_t c) {
  if (c < 0x80) {
    return c >= '0' && c <= '9' ? static_cast<int>(c - '0') : -1;
  }
  return u_charDigitValue(static_cast<UChar32>(c));
}

std::size_t FindFolded(std::u32string_view hay, std::u32string_view needle, std::size_t from) {
  if (needle.empty() || from > hay.size()) {
    return std::u32string_view::npos;
  }
  return hay.find(needle, from);
}

}  // namespace datewell
