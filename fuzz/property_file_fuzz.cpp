// Property files from untrusted bytes: parsing and reading every control either succeeds or
// raises the host's error, never anything worse; and whatever was read saves to a text that
// reads back to the very same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "control/property_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using datewell::HostError;
  using datewell::PropertyFile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string saved;
  try {
    PropertyFile file = PropertyFile::Parse(text, "fuzz.json");
    for (const std::string& name : file.ControlNames()) {
      file.Read(name);
    }
    saved = file.Text();
  } catch (const HostError&) {
    return 0;
  }
  // A file this program wrote must read back; an exception here escapes and is reported.
  PropertyFile again = PropertyFile::Parse(saved, "fuzz.json");
  for (const std::string& name : again.ControlNames()) {
    again.Read(name);
  }
  if (again.Text() != saved) {
    __builtin_trap();
  }
  return 0;
}
