#include "values.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <system_error>

namespace datewell::host {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

std::string Shown(std::string_view word) {
  // Words quoted back in messages are cut short so that a huge word gives a short message.
  constexpr std::size_t kMaxShown = 40;
  if (word.size() <= kMaxShown) {
    return Quote(word);
  }
  return Quote(word.substr(0, kMaxShown)) + "...";
}

std::int64_t ParseWhole(std::string_view text, std::int64_t min, std::int64_t max,
                        std::string_view what) {
  std::int64_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec == std::errc::invalid_argument || ptr != last) {
    throw SyntaxError(std::string(what) + " must be a whole number, not " + Shown(text));
  }
  if (ec == std::errc::result_out_of_range || value < min || value > max) {
    throw SyntaxError(std::string(what) + " out of range: " + Shown(text));
  }
  return value;
}

template <typename T>
T ParseFloating(std::string_view text, std::string_view what) {
  T value{};
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (text.empty() || ec == std::errc::invalid_argument || ptr != last) {
    throw SyntaxError(std::string(what) + " must be a number, not " + Shown(text));
  }
  if (ec == std::errc::result_out_of_range) {
    throw SyntaxError(std::string(what) + " out of range: " + Shown(text));
  }
  return value;
}

template <typename T>
std::string Shortest(T value) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) {
    return "?";
  }
  return std::string(buf, ptr);
}

// Fixed-width decimal field of a date or time, e.g. the "2004" of 2004-01-05.
int Field(std::string_view text, std::size_t pos, std::size_t width) {
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
      return -1;
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::string Padded(int value, int width) {
  std::string s = std::to_string(value);
  while (static_cast<int>(s.size()) < width) {
    s.insert(s.begin(), '0');
  }
  return s;
}

Variant ParseFont(std::string_view rest) {
  if (rest.empty() || rest[0] != '"') {
    throw SyntaxError("a font is written font:\"NAME\",SIZE, not font:" + Shown(rest));
  }
  std::size_t pos = 0;
  auto font = std::make_shared<Font>();
  font->name = ReadQuoted(rest, pos);
  if (pos >= rest.size() || rest[pos] != ',') {
    throw SyntaxError("a font needs a size after its name: font:\"NAME\",SIZE");
  }
  std::string_view tail = rest.substr(pos + 1);
  std::size_t comma = tail.find(',');
  font->size = ParseFloating<float>(tail.substr(0, comma), "font size");
  if (!std::isfinite(font->size) || font->size <= 0) {
    throw SyntaxError("font size must be a positive number");
  }
  while (comma != std::string_view::npos) {
    tail = tail.substr(comma + 1);
    comma = tail.find(',');
    std::string_view style = tail.substr(0, comma);
    if (style == "bold") {
      font->bold = true;
    } else if (style == "italic") {
      font->italic = true;
    } else if (style == "underline") {
      font->underline = true;
    } else if (style == "strikethru") {
      font->strikethru = true;
    } else {
      throw SyntaxError("unknown font style " + Shown(style) +
                        " (bold, italic, underline, strikethru)");
    }
  }
  return Variant(FontRef(std::move(font)));
}

std::string FormatFont(const FontRef& font) {
  if (!font) {
    return "nothing";
  }
  std::string s = "font:" + Quote(font->name) + "," + FormatNumber(font->size);
  if (font->bold) {
    s += ",bold";
  }
  if (font->italic) {
    s += ",italic";
  }
  if (font->underline) {
    s += ",underline";
  }
  if (font->strikethru) {
    s += ",strikethru";
  }
  return s;
}

}  // namespace

std::string ReadQuoted(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') {
    throw SyntaxError("a string must start with a double quote");
  }
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) {
      break;
    }
    switch (text[i]) {
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'x': {
        int hi = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        int lo = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
          throw SyntaxError("\\x in a string needs two hexadecimal digits");
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        throw SyntaxError("unknown escape \\" + std::string(1, text[i]) +
                          " in a string (\\\" \\\\ \\n \\t \\r \\xHH)");
    }
  }
  throw SyntaxError("unterminated string");
}

std::string Unquote(std::string_view word) {
  std::size_t pos = 0;
  std::string s = ReadQuoted(word, pos);
  if (pos != word.size()) {
    throw SyntaxError("unexpected text after the closing quote: " + Shown(word.substr(pos)));
  }
  return s;
}

std::string Quote(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          out += "\\x";
          out += kHex[u >> 4];
          out += kHex[u & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::int32_t ParseInt(std::string_view word, std::string_view what) {
  return static_cast<std::int32_t>(ParseWhole(word, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max(), what));
}

double ParseNumber(std::string_view word, std::string_view what) {
  double value = ParseFloating<double>(word, what);
  if (!std::isfinite(value)) {
    throw SyntaxError(std::string(what) + " must be a finite number");
  }
  return value;
}

std::string FormatNumber(double value) {
  return Shortest(value);
}
std::string FormatNumber(float value) {
  return Shortest(value);
}

Date ParseDate(std::string_view text) {
  if (!text.empty() && text[0] == '@') {
    return Date{ParseFloating<double>(text.substr(1), "date serial")};
  }
  const std::string usage =
      "a date is written YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS, not " + Shown(text);
  if (text.size() != 10 && text.size() != 16 && text.size() != 19) {
    throw SyntaxError(usage);
  }
  int y = Field(text, 0, 4);
  int m = Field(text, 5, 2);
  int d = Field(text, 8, 2);
  if (y < 0 || m < 0 || d < 0 || text[4] != '-' || text[7] != '-') {
    throw SyntaxError(usage);
  }
  int hh = 0;
  int mm = 0;
  int ss = 0;
  if (text.size() > 10) {
    hh = Field(text, 11, 2);
    mm = Field(text, 14, 2);
    if (text[10] != 'T' || text[13] != ':' || hh < 0 || mm < 0) {
      throw SyntaxError(usage);
    }
    if (text.size() == 19) {
      ss = Field(text, 17, 2);
      if (text[16] != ':' || ss < 0) {
        throw SyntaxError(usage);
      }
    }
  }
  std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                  std::chrono::day{unsigned(d)}};
  if (y < 1 || !ymd.ok()) {
    throw SyntaxError("no such day: " + Shown(text));
  }
  if (hh > 23 || mm > 59 || ss > 59) {
    throw SyntaxError("no such time of day: " + Shown(text));
  }
  double day_number = DateFromCivil(CivilDate{y, m, d}).serial;
  double time = (hh * 3600.0 + mm * 60.0 + ss) / 86400.0;
  // Days before 30 December 1899 keep a positive time of day: the serial runs away from zero.
  return Date{day_number < 0 ? day_number - time : day_number + time};
}

std::string FormatDate(Date d) {
  const std::string serial = "@" + FormatNumber(d.serial);
  // Beyond this no four-digit year is possible; checking first keeps the arithmetic in range.
  if (!std::isfinite(d.serial) || std::fabs(d.serial) > 4.0e6) {
    return serial;
  }
  double whole = std::trunc(d.serial);
  double time = std::fabs(d.serial - whole);
  auto secs = static_cast<long>(std::nearbyint(time * 86400.0));
  CivilDate c = CivilFromDate(Date{whole});
  if (c.year < 1 || c.year > 9999 || secs >= 86400) {
    return serial;
  }
  std::string text = Padded(c.year, 4) + "-" + Padded(c.month, 2) + "-" + Padded(c.day, 2);
  if (secs != 0) {
    text += "T" + Padded(static_cast<int>(secs / 3600), 2) + ":" +
            Padded(static_cast<int>(secs / 60 % 60), 2) + ":" +
            Padded(static_cast<int>(secs % 60), 2);
  }
  // Only a text that reads back as the very same serial is written as a calendar date.
  if (ParseDate(text).serial != d.serial) {
    return serial;
  }
  return text;
}

std::string FormatColor(std::uint32_t color) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[color & 0xF]);
    color >>= 4;
  } while (color != 0);
  return "&H" + digits;
}

std::string FormatColorValue(const Variant& value) {
  switch (value.kind()) {
    case VarKind::Long:
      return FormatColor(static_cast<std::uint32_t>(value.long_()));
    case VarKind::Integer:
      return FormatColor(static_cast<std::uint32_t>(static_cast<std::int32_t>(value.integer())));
    default:
      return FormatValue(value);
  }
}

Variant ParseValue(std::string_view word) {
  if (word == "empty") {
    return Variant();
  }
  if (word == "null") {
    return Variant::Null();
  }
  if (word == "nothing") {
    return Variant::Nothing();
  }
  std::size_t colon = word.find(':');
  if (colon == std::string_view::npos) {
    throw SyntaxError("not a value: " + Shown(word) +
                      " (empty, null, nothing, or KIND:VALUE with int, long, single, double, "
                      "bool, str, date, color, font)");
  }
  std::string_view kind = word.substr(0, colon);
  std::string_view rest = word.substr(colon + 1);
  if (kind == "int") {
    return Variant(static_cast<std::int16_t>(ParseWhole(rest, -32768, 32767, "int value")));
  }
  if (kind == "long") {
    return Variant(ParseInt(rest, "long value"));
  }
  if (kind == "single") {
    return Variant(ParseFloating<float>(rest, "single value"));
  }
  if (kind == "double") {
    return Variant(ParseFloating<double>(rest, "double value"));
  }
  if (kind == "bool") {
    if (rest == "true") {
      return Variant(true);
    }
    if (rest == "false") {
      return Variant(false);
    }
    throw SyntaxError("a Boolean is bool:true or bool:false, not bool:" + Shown(rest));
  }
  if (kind == "str") {
    return Variant(Unquote(rest));
  }
  if (kind == "date") {
    return Variant(ParseDate(rest));
  }
  if (kind == "color") {
    if (rest.size() < 3 || rest.size() > 10 || rest[0] != '&' ||
        (rest[1] != 'H' && rest[1] != 'h')) {
      throw SyntaxError("a colour is written color:&H and 1 to 8 hexadecimal digits, not " +
                        Shown(rest));
    }
    std::uint32_t color = 0;
    for (char c : rest.substr(2)) {
      int digit = HexDigit(c);
      if (digit < 0) {
        throw SyntaxError("not a hexadecimal digit in colour " + Shown(rest));
      }
      color = color * 16 + static_cast<std::uint32_t>(digit);
    }
    return Variant(static_cast<std::int32_t>(color));
  }
  if (kind == "font") {
    return ParseFont(rest);
  }
  throw SyntaxError("unknown value kind " + Shown(kind) +
                    " (int, long, single, double, bool, str, date, color, font)");
}

std::string FormatValue(const Variant& value) {
  switch (value.kind()) {
    case VarKind::Empty:
      return "empty";
    case VarKind::Null:
      return "null";
    case VarKind::Nothing:
      return "nothing";
    case VarKind::Integer:
      return "int:" + std::to_string(value.integer());
    case VarKind::Long:
      return "long:" + std::to_string(value.long_());
    case VarKind::Single:
      return "single:" + FormatNumber(value.single());
    case VarKind::Double:
      return "double:" + FormatNumber(value.double_());
    case VarKind::String:
      return "str:" + Quote(value.string());
    case VarKind::Boolean:
      return value.boolean() ? "bool:true" : "bool:false";
    case VarKind::Date:
      return "date:" + FormatDate(value.date());
    case VarKind::Font:
      return FormatFont(value.font());
  }
  return "?";
}

}  // namespace datewell::host
