#pragma once
// The host's property stores: the in-memory store filled by `bag`, the store that writes each
// WriteProperty call into the transcript, and the property file.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/property_file.h"
#include "platform/host.h"

namespace datewell::host {

// The name under which the host keeps its one control in a property file.
inline constexpr std::string_view kControlName = "Datewell1";

// Entries as the script gave them; a key given twice reads as its last value.
class MemoryBag : public PropertyBag {
 public:
  explicit MemoryBag(std::vector<std::pair<std::string, Variant>> entries)
      : entries_(std::move(entries)) {}
  Variant ReadProperty(std::string_view key, const Variant& default_value) override;
  void WriteProperty(std::string_view key, const Variant& value,
                     const Variant& default_value) override;

 private:
  std::vector<std::pair<std::string, Variant>> entries_;
};

// Writes `write KEY VALUE default=VALUE` for each WriteProperty call, then passes it on to the
// inner store (if any). Reads go to the inner store.
class TranscriptBag : public PropertyBag {
 public:
  TranscriptBag(std::ostream& out, PropertyBag* inner) : out_(out), inner_(inner) {}
  Variant ReadProperty(std::string_view key, const Variant& default_value) override;
  void WriteProperty(std::string_view key, const Variant& value,
                     const Variant& default_value) override;

 private:
  std::ostream& out_;
  PropertyBag* inner_;
};

// A value of a saved entry as the transcript shows it (colour entries in &H form).
std::string FormatEntry(std::string_view key, const Variant& value);

}  // namespace datewell::host
