#pragma once
// An in-memory property store for tests: values set as a saved file would hold them, every key
// read logged in order, and a write equal to its default storing nothing.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/types.h"

namespace datewell::testing {

class MemoryPropertyBag : public PropertyBag {
 public:
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
    if (!(value == default_value)) {
      Set(key, value);
    }
  }

  // Stores a value directly; a key set again keeps its place.
  void Set(std::string_view key, const Variant& value) {
    for (auto& [k, v] : entries_) {
      if (k == key) {
        v = value;
        return;
      }
    }
    entries_.emplace_back(std::string(key), value);
  }

  const std::vector<std::string>& Reads() const { return reads_; }

 private:
  std::vector<std::pair<std::string, Variant>> entries_;
  std::vector<std::string> reads_;
};

}  // namespace datewell::testing
