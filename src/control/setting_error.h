#pragma once
// A saved setting the control cannot take: the host's error together with the key it was stored
// under, so that a host loading a file can say where it came from.

#include <string>
#include <string_view>

#include "platform/types.h"

namespace datewell {

class SettingError : public HostError {
 public:
  // `Invalid property value: key "SelStart"`.
  SettingError(int number, std::string key);
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// The same error with the file and the control the setting was loaded from:
// `Invalid property value: file "form.json", control "Datewell1", key "SelStart"`. An empty file
// (settings from memory) is left out.
HostError WithSource(const SettingError& error, std::string_view file, std::string_view control);

}  // namespace datewell
