#include "platform/types.h"

namespace datewell {

std::string_view VarKindName(VarKind k) {
  switch (k) {
    case VarKind::Empty:
      return "empty";
    case VarKind::Null:
      return "null";
    case VarKind::Nothing:
      return "nothing";
    case VarKind::Integer:
      return "int";
    case VarKind::Long:
      return "long";
    case VarKind::Single:
      return "single";
    case VarKind::Double:
      return "double";
    case VarKind::String:
      return "str";
    case VarKind::Boolean:
      return "bool";
    case VarKind::Date:
      return "date";
    case VarKind::Font:
      return "font";
  }
  return "?";
}

namespace {
template <typename T>
const T& Get(const auto& v) {
  if (const T* p = std::get_if<T>(&v)) {
    return *p;
  }
  throw HostError(kErrTypeMismatch);
}
}  // namespace

std::int16_t Variant::integer() const {
  return Get<std::int16_t>(v_);
}
std::int32_t Variant::long_() const {
  return Get<std::int32_t>(v_);
}
float Variant::single() const {
  return Get<float>(v_);
}
double Variant::double_() const {
  return Get<double>(v_);
}
const std::string& Variant::string() const {
  return Get<std::string>(v_);
}
bool Variant::boolean() const {
  return Get<bool>(v_);
}
Date Variant::date() const {
  return Get<Date>(v_);
}
const FontRef& Variant::font() const {
  return Get<FontRef>(v_);
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.kind() != b.kind()) {
    return false;
  }
  if (a.kind() == VarKind::Font) {
    const FontRef& fa = a.font();
    const FontRef& fb = b.font();
    if (!fa || !fb) {
      return fa == fb;
    }
    return *fa == *fb;
  }
  return a.v_ == b.v_;
}

std::string_view HostErrorDescription(int number) {
  switch (number) {
    case kErrInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrInvalidUseOfNull:
      return "Invalid use of Null";
    case kErrInvalidPropertyValue:
      return "Invalid property value";
    case kErrObjectRequired:
      return "Object required";
    case kErrMemberNotFound:
      return "Object doesn't support this property or method";
    default:
      return "Application-defined or object-defined error";
  }
}

HostError::HostError(int number)
    : std::runtime_error(std::string(HostErrorDescription(number))), number_(number) {}

HostError::HostError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace datewell
