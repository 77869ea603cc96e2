#pragma once
// An in-memory property store for tests: entries in the order first written, a key written again
// keeps its place and takes the new value, a write equal to its default stores nothing (and
// removes nothing), and every call is logged so a test can check keys, order and defaults.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/types.h"

namespace datewell::testing {

class MemoryPropertyBag : public PropertyBag {
 public:
  struct Write {
    std::string key;
    Variant value;
    Variant default_value;
  };

  Variant ReadProperty(std::string_view key, const Variant& default_value) override {
    reads_.emplace_back(key);
    for (const auto& [k, v] : entries_) {
      if (k == key) {
        return v;
      }
    }
    return default_value;
  }

  void WriteProperty(std::string_view key, const Variant& value,
                     const Variant& default_value) override {
    writes_.push_back({std::string(key), value, default_value});
    if (value == default_value) {
      return;
    }
    Set(key, value);
  }

  // Stores a value directly, as a saved file would hold it.
  void Set(std::string_view key, const Variant& value) {
    for (auto& [k, v] : entries_) {
      if (k == key) {
        v = value;
        return;
      }
    }
    entries_.emplace_back(std::string(key), value);
  }

  bool Has(std::string_view key) const {
    for (const auto& [k, v] : entries_) {
      if (k == key) {
        return true;
      }
    }
    return false;
  }

  const std::vector<std::pair<std::string, Variant>>& Entries() const { return entries_; }
  const std::vector<Write>& Writes() const { return writes_; }
  const std::vector<std::string>& Reads() const { return reads_; }

 private:
  std::vector<std::pair<std::string, Variant>> entries_;
  std::vector<Write> writes_;
  std::vector<std::string> reads_;
};

}  // namespace datewell::testing
