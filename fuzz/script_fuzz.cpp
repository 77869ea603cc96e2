// The script reader under libFuzzer: any bytes are read without a crash or a hang, each
// malformed script is stopped with a line number inside the script, and every value the reader
// accepts is written by the transcript in a form that reads back as the same value.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script.h"
#include "values.h"

namespace {

bool HasNaN(const datewell::Variant& v) {
  switch (v.kind()) {
    case datewell::VarKind::Single:
      return std::isnan(v.single());
    case datewell::VarKind::Double:
      return std::isnan(v.double_());
    case datewell::VarKind::Date:
      return std::isnan(v.date().serial);
    default:
      return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  datewell::host::ReadResult result = datewell::host::ReadScript(text);
  if (result.error) {
    int lines = 1;
    for (char c : text) {
      lines += c == '\n' ? 1 : 0;
    }
    if (result.error->line < 1 || result.error->line > lines || result.error->message.empty()) {
      std::abort();
    }
  }
  for (const datewell::host::Command& cmd : result.commands) {
    for (const datewell::Variant& v : cmd.values) {
      if (HasNaN(v)) {
        continue;  // not a number never equals itself
      }
      if (!(datewell::host::ParseValue(datewell::host::FormatValue(v)) == v)) {
        std::abort();
      }
    }
  }
  return 0;
}
