#pragma once
// The value syntax of automation scripts: how a variant is written in a script and in the
// transcript (`int:5`, `str:"text"`, `date:2004-01-05`, `font:"Sans",9,bold`, ...).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace datewell::host {

// A word of a script that does not follow the syntax; the message says what is wrong.
class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A quoted string starting at text[pos] (which must be '"'): returns its decoded content and
// leaves pos after the closing quote. Escapes: \" \\ \n \t \r and \xHH.
std::string ReadQuoted(std::string_view text, std::size_t& pos);
// The whole word must be one quoted string.
std::string Unquote(std::string_view word);
// The text in double quotes with the escapes ReadQuoted understands.
std::string Quote(std::string_view text);

// A value as written in a script; throws SyntaxError.
Variant ParseValue(std::string_view word);
// A value as the transcript writes it. Written values read back as the same kind and value.
std::string FormatValue(const Variant& value);
// A colour: "&H" and upper-case hexadecimal without leading zeros (&H80000005, &HC0, &H0).
std::string FormatColor(std::uint32_t color);
// The value of a colour property: &H form for the integer kinds, FormatValue for anything else.
std::string FormatColorValue(const Variant& value);

// Plain numbers of commands.
std::int32_t ParseInt(std::string_view word, std::string_view what);  // decimal, 32-bit
double ParseNumber(std::string_view word, std::string_view what);     // decimal, finite

// Dates: YYYY-MM-DD with an optional THH:MM:SS, or @SERIAL for any day number.
Date ParseDate(std::string_view text);
std::string FormatDate(Date d);

// The shortest decimal text that reads back as the same number.
std::string FormatNumber(double value);
std::string FormatNumber(float value);

}  // namespace datewell::host
