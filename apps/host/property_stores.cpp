#include "property_stores.h"

#include "control/variant_convert.h"
#include "values.h"

namespace datewell::host {

std::string FormatEntry(std::string_view key, const Variant& value) {
  if (key == "ForeColor" || key == "BackColor") {
    return FormatColorValue(value);
  }
  return FormatValue(value);
}

Variant MemoryBag::ReadProperty(std::string_view key, const Variant& default_value) {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->first == key) {
      // A font read from a store is an object of its own, never one the script still holds.
      if (it->second.is(VarKind::Font) && it->second.font()) {
        return Variant(std::make_shared<Font>(*it->second.font()));
      }
      return it->second;
    }
  }
  return default_value;
}

void MemoryBag::WriteProperty(std::string_view key, const Variant& value,
                              const Variant& default_value) {
  if (AutomationEquals(value, default_value)) {
    return;
  }
  for (auto& entry : entries_) {
    if (entry.first == key) {
      entry.second = value;
      return;
    }
  }
  entries_.emplace_back(std::string(key), value);
}

Variant TranscriptBag::ReadProperty(std::string_view key, const Variant& default_value) {
  return inner_ ? inner_->ReadProperty(key, default_value) : default_value;
}

void TranscriptBag::WriteProperty(std::string_view key, const Variant& value,
                                  const Variant& default_value) {
  out_ << "write " << key << " " << FormatEntry(key, value)
       << " default=" << FormatEntry(key, default_value) << '\n';
  if (inner_) {
    inner_->WriteProperty(key, value, default_value);
  }
}

}  // namespace datewell::host
