#include "control/variant_convert.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

namespace datewell {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
    s.remove_suffix(1);
  }
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') {
      x = static_cast<char>(x - 'A' + 'a');
    }
    if (y >= 'A' && y <= 'Z') {
      y = static_cast<char>(y - 'A' + 'a');
    }
    if (x != y) {
      return false;
    }
  }
  return true;
}

// "&H" and "&O" literals: up to 4 digits are a 16-bit integer, up to 8 (hexadecimal) or 11
// (octal) a 32-bit one, each keeping its bits, the way the host reads such literals.
std::optional<double> ParseRadixLiteral(std::string_view digits, int radix) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, radix);
  if (ec != std::errc{} || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  if (value <= 0xFFFFu && (radix == 16 ? digits.size() <= 4 : value <= 0177777u)) {
    return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  }
  if (value <= 0xFFFFFFFFu) {
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  }
  throw HostError(kErrOverflow);
}

// A text read as a number in the invariant form, or nothing when it names none.
std::optional<double> ParseNumberText(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') {
      return ParseRadixLiteral(s.substr(2), 16);
    }
    if (s[1] == 'O' || s[1] == 'o') {
      return ParseRadixLiteral(s.substr(2), 8);
    }
    return std::nullopt;
  }
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  // from_chars also reads "inf" and "nan", which are no numbers to the host.
  if (s.empty() || !((s[0] >= '0' && s[0] <= '9') || s[0] == '.')) {
    return std::nullopt;
  }
  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    throw HostError(kErrOverflow);
  }
  if (ec != std::errc{} || end != s.data() + s.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

// The number a variant holds without any checks, for comparisons; nothing for non-numbers.
std::optional<double> RawNumber(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Empty:
      return 0.0;
    case VarKind::Integer:
      return v.integer();
    case VarKind::Long:
      return v.long_();
    case VarKind::Single:
      return v.single();
    case VarKind::Double:
      return v.double_();
    case VarKind::Boolean:
      return v.boolean() ? -1.0 : 0.0;
    case VarKind::Date:
      return v.date().serial;
    default:
      return std::nullopt;
  }
}

double CheckedFinite(double d) {
  if (!std::isfinite(d)) {
    throw HostError(kErrInvalidProcedureCall);
  }
  return d;
}

template <typename Int>
Int ToInteger(const Variant& v) {
  double d = 0;
  switch (v.kind()) {
    case VarKind::Integer:
      d = v.integer();
      break;
    case VarKind::Long:
      d = v.long_();
      break;
    default:
      d = std::nearbyint(ToDouble(v));
      break;
  }
  if (d < static_cast<double>(std::numeric_limits<Int>::min()) ||
      d > static_cast<double>(std::numeric_limits<Int>::max())) {
    throw HostError(kErrOverflow);
  }
  return static_cast<Int>(d);
}

}  // namespace

double ToDouble(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Null:
      throw HostError(kErrInvalidUseOfNull);
    case VarKind::Single:
    case VarKind::Double:
      return CheckedFinite(*RawNumber(v));
    case VarKind::String: {
      std::optional<double> d = ParseNumberText(v.string());
      if (!d) {
        throw HostError(kErrTypeMismatch);
      }
      return *d;
    }
    case VarKind::Date:
      return CheckedFinite(v.date().serial);
    default:
      break;
  }
  if (std::optional<double> d = RawNumber(v)) {
    return *d;
  }
  throw HostError(kErrTypeMismatch);
}

bool ToBool(const Variant& v) {
  if (v.is(VarKind::Boolean)) {
    return v.boolean();
  }
  if (v.is(VarKind::String)) {
    std::string_view s = TrimBlanks(v.string());
    if (EqualsNoCase(s, "True")) {
      return true;
    }
    if (EqualsNoCase(s, "False")) {
      return false;
    }
  }
  return ToDouble(v) != 0.0;
}

std::int16_t ToInt16(const Variant& v) {
  return ToInteger<std::int16_t>(v);
}

std::int32_t ToInt32(const Variant& v) {
  return ToInteger<std::int32_t>(v);
}

float ToFloat(const Variant& v) {
  if (v.is(VarKind::Single)) {
    return static_cast<float>(CheckedFinite(v.single()));
  }
  double d = ToDouble(v);
  if (std::fabs(d) > static_cast<double>(FLT_MAX)) {
    throw HostError(kErrOverflow);
  }
  return static_cast<float>(d);
}

OleColor ToColor(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Integer:
      return static_cast<OleColor>(static_cast<std::int32_t>(v.integer()));
    case VarKind::Long:
      return static_cast<OleColor>(v.long_());
    default:
      break;
  }
  double d = std::nearbyint(ToDouble(v));
  if (d < -2147483648.0 || d > 4294967295.0) {
    throw HostError(kErrOverflow);
  }
  if (d < 0) {
    return static_cast<OleColor>(static_cast<std::int32_t>(d));
  }
  return static_cast<OleColor>(d);
}

Variant ColorVariant(OleColor color) {
  return Variant(static_cast<std::int32_t>(color));
}

std::string FormatNumber(double value, int significant_digits) {
  if (value == 0) {
    return "0";  // also for -0
  }
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < std::pow(10.0, significant_digits)) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*G", significant_digits, value);
  }
  return buffer;
}

std::string ToString(const Variant& v, LocaleServices& locale) {
  switch (v.kind()) {
    case VarKind::Empty:
      return {};
    case VarKind::Null:
      throw HostError(kErrInvalidUseOfNull);
    case VarKind::Nothing:
      throw HostError(kErrTypeMismatch);
    case VarKind::Integer:
      return std::to_string(v.integer());
    case VarKind::Long:
      return std::to_string(v.long_());
    case VarKind::Single:
      return FormatNumber(CheckedFinite(v.single()), 7);
    case VarKind::Double:
      return FormatNumber(CheckedFinite(v.double_()), 15);
    case VarKind::String:
      return v.string();
    case VarKind::Boolean:
      return v.boolean() ? "True" : "False";
    case VarKind::Date:
      if (!IsDateInRange(v.date())) {
        throw HostError(kErrOverflow);
      }
      return locale.DateToText(v.date());
    case VarKind::Font:
      if (!v.font()) {
        throw HostError(kErrTypeMismatch);
      }
      return v.font()->name;
  }
  throw HostError(kErrTypeMismatch);
}

Date ToDate(const Variant& v, LocaleServices& locale) {
  Date d;
  if (v.is(VarKind::String)) {
    std::optional<Date> recognised = locale.RecogniseDate(v.string());
    if (!recognised) {
      throw HostError(kErrTypeMismatch);
    }
    d = *recognised;
  } else if (v.is(VarKind::Date)) {
    d = v.date();
  } else {
    d = Date{ToDouble(v)};
  }
  if (!IsDateInRange(d)) {
    throw HostError(kErrOverflow);
  }
  return d;
}

bool AutomationEquals(const Variant& a, const Variant& b) {
  if (a.is(VarKind::Null) || b.is(VarKind::Null)) {
    return false;
  }
  std::optional<double> na = RawNumber(a);
  std::optional<double> nb = RawNumber(b);
  if (na && nb) {
    return *na == *nb;
  }
  auto is_string = [](const Variant& v) { return v.is(VarKind::String); };
  if (is_string(a) && is_string(b)) {
    return a.string() == b.string();
  }
  if (a.is(VarKind::Empty) && is_string(b)) {
    return b.string().empty();
  }
  if (b.is(VarKind::Empty) && is_string(a)) {
    return a.string().empty();
  }
  auto font_of = [](const Variant& v) -> std::optional<const Font*> {
    if (v.is(VarKind::Nothing)) {
      return nullptr;
    }
    if (v.is(VarKind::Font)) {
      return v.font().get();
    }
    return std::nullopt;
  };
  std::optional<const Font*> fa = font_of(a);
  std::optional<const Font*> fb = font_of(b);
  if (fa && fb) {
    if (*fa == nullptr || *fb == nullptr) {
      return *fa == *fb;
    }
    return **fa == **fb;
  }
  return false;
}

}  // namespace datewell
