#include "control/datewell.h"

namespace datewell {

// The value model: DateValue, StringValue, DateFormat, AllowEmptyDate and Version.
std::string Datewell::Version() const {
  return {};
}
Variant Datewell::DateValue() {
  return {};
}
void Datewell::SetDateValue(const Variant&) {}
std::string Datewell::StringValue() const {
  return {};
}
void Datewell::SetStringValue(std::string_view) {}
std::int32_t Datewell::DateFormat() const {
  return 0;
}
void Datewell::SetDateFormat(std::int32_t) {}
bool Datewell::AllowEmptyDate() const {
  return false;
}
void Datewell::SetAllowEmptyDate(bool) {}

}  // namespace datewell
