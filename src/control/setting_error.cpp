#include "control/setting_error.h"

#include <utility>

namespace datewell {
namespace {

std::string Quote(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

}  // namespace

SettingError::SettingError(int number, std::string key)
    : HostError(number, std::string(HostErrorDescription(number)) + ": key " + Quote(key)),
      key_(std::move(key)) {}

HostError WithSource(const SettingError& error, std::string_view file, std::string_view control) {
  std::string text(HostErrorDescription(error.number()));
  text += ": ";
  if (!file.empty()) {
    text += "file " + Quote(file) + ", ";
  }
  text += "control " + Quote(control) + ", key " + Quote(error.key());
  return HostError(error.number(), text);
}

}  // namespace datewell
