#pragma once
// Text helpers of the value model: the number-or-date-to-text conversion that keeps a leading
// blank for the sign, the emptiness test of the stored value, the trimming of blanks and the
// character count of a UTF-8 text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "platform/types.h"

namespace datewell {

// The conversion of a stored value to text used before reading it back as a date:
// - numbers keep a leading blank where a minus sign would stand (" 0", " 5", "-3", " 1.5",
//   " .25"); singles show up to 7 significant digits, doubles up to 15;
// - Booleans give "True" or "False";
// - a date gives its general date text (the locale's plain date-to-text form);
// - a text is given back unchanged, so that a saved date text reads back as its date;
// - empty gives " 0" (it counts as the number 0); null, nothing and font objects give "".
// It never fails: whatever it gives goes on to the date recogniser, which turns the
// unreadable into today's date.
std::string Str(const Variant& value, LocaleServices& locale);

// The text of a number with a leading blank for the sign (the numeric part of Str).
std::string NumberText(double value, int significant_digits);

// Whether the stored value counts as "no date": a text when it is "" (blanks are not trimmed);
// any other kind when it compares equal to the number 0 (empty, the integer 0, False, the date
// of day number 0). Null, nothing and font objects never equal 0 and so are not empty.
bool IsEmptyValue(const Variant& value);

// The text without its leading and trailing spaces (only the space character counts).
std::string_view TrimSpaces(std::string_view text);

// The number of characters of a UTF-8 text, counted as the text box and the locale services
// count them (a malformed byte is one character of its own).
int CharCount(std::string_view text);

// The named format for a display-format number, or nothing when the number is neither 0 nor 1.
std::optional<std::string_view> FormatNameFor(std::int32_t date_format);

}  // namespace datewell
