#include "control/str_conv.h"

#include <cmath>
#include <cstdio>

#include "control/datewell.h"
#include "platform/utf8.h"

namespace datewell {

std::string NumberText(double value, int significant_digits) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Infinity" : " Infinity";
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", significant_digits, value);
  std::string digits = buffer;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) {
    digits.erase(0, 1);
  }
  // A number below one is written without its leading zero (" .25").
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') {
    digits.erase(0, 1);
  }
  // A negative zero is still zero.
  if (digits == "0") {
    return " 0";
  }
  return (negative ? "-" : " ") + digits;
}

std::string Str(const Variant& value, LocaleServices& locale) {
  switch (value.kind()) {
    case VarKind::Empty:
      return " 0";
    case VarKind::Integer:
      return NumberText(value.integer(), 5);
    case VarKind::Long:
      return NumberText(value.long_(), 10);
    case VarKind::Single:
      return NumberText(value.single(), 7);
    case VarKind::Double:
      return NumberText(value.double_(), 15);
    case VarKind::Boolean:
      return value.boolean() ? "True" : "False";
    case VarKind::Date:
      return locale.DateToText(value.date());
    case VarKind::String:
      return value.string();
    case VarKind::Null:
    case VarKind::Nothing:
    case VarKind::Font:
      return {};
  }
  return {};
}

bool IsEmptyValue(const Variant& value) {
  switch (value.kind()) {
    case VarKind::Empty:
      return true;
    case VarKind::String:
      return value.string().empty();
    case VarKind::Integer:
      return value.integer() == 0;
    case VarKind::Long:
      return value.long_() == 0;
    case VarKind::Single:
      return value.single() == 0.0f;
    case VarKind::Double:
      return value.double_() == 0.0;
    case VarKind::Boolean:
      return !value.boolean();
    case VarKind::Date:
      return value.date().serial == 0.0;
    case VarKind::Null:
    case VarKind::Nothing:
    case VarKind::Font:
      return false;
  }
  return false;
}

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

int CharCount(std::string_view text) {
  return static_cast<int>(utf8::Length(text));
}

std::optional<std::string_view> FormatNameFor(std::int32_t date_format) {
  switch (date_format) {
    case LongDate:
      return kLongDate;
    case ShortDate:
      return kShortDate;
    default:
      return std::nullopt;
  }
}

}  // namespace datewell
