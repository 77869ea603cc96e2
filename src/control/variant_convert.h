#pragma once
// The automation host's conversions between variant kinds, used wherever a value arrives as a
// variant but a member wants a plain type: the dispatch entry point converting arguments, and
// ReadProperties converting what the property store returns.
//
// Every conversion either gives the value or raises the host's error:
//   13 "Type mismatch"      no conversion exists (a text that is no number, an object)
//   94 "Invalid use of Null" the value is null
//    6 "Overflow"          the number does not fit the target type
//    5 "Invalid procedure call or argument" NaN or an infinity where a number is wanted
// Numbers given where integers are wanted round half to even. Texts are read as numbers in the
// invariant form ("12", " -3.5 ", "1E3", "&HFF", "&O17"); Booleans also from "True"/"False".

#include <cstdint>
#include <string>

#include "platform/locale.h"
#include "platform/types.h"

namespace datewell {

bool ToBool(const Variant& v);
std::int16_t ToInt16(const Variant& v);
std::int32_t ToInt32(const Variant& v);
float ToFloat(const Variant& v);
double ToDouble(const Variant& v);
// A colour: integers keep their bits (the 32-bit integer -2147483643 is &H80000005); other
// numbers must lie between -2^31 and 2^32 - 1.
OleColor ToColor(const Variant& v);
// Dates become their general date text through the locale; a font gives its name (the font
// object's default member).
std::string ToString(const Variant& v, LocaleServices& locale);
// Numbers are day numbers; texts are recognised by the locale. Dates outside the years 100 to
// 9999 overflow.
Date ToDate(const Variant& v, LocaleServices& locale);

// The colour as the host's variant carries it: a 32-bit integer with the same bits.
Variant ColorVariant(OleColor color);

// Whether two values are equal as the host compares variants: numbers (Booleans and dates
// included) by value, texts exactly, fonts by their attributes, empty equal to 0 and "".
// Null equals nothing.
bool AutomationEquals(const Variant& a, const Variant& b);

// The plain decimal text of a number as the host writes it: integers in full, singles with up to
// 7 and doubles with up to 15 significant digits, no trailing zeros ("8.25", "1E+20").
std::string FormatNumber(double value, int significant_digits);

}  // namespace datewell
