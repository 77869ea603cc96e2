// The script reader under libFuzzer: any bytes are read without a crash or a hang, each
// malformed script is stopped with a line number inside the script, and every value the reader
// accepts is written by the transcript in a form that reads back as the same value. Scripts that
// touch no files are then run against a control on the in-memory desktop, so that no command
// sequence crashes the host.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <ostream>
#include <streambuf>

#include "desktop.h"
#include "runner.h"
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

// Discards the transcript.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

bool TouchesFiles(const datewell::host::Command& cmd) {
  using datewell::host::Op;
  return (cmd.op == Op::Load || cmd.op == Op::Save) && cmd.name != "-";
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
  for (const datewell::host::Command& cmd : result.commands) {
    if (TouchesFiles(cmd)) {
      return 0;
    }
  }
  NullBuffer discard;
  std::ostream out(&discard);
  datewell::host::Runner runner(datewell::host::MakeHeadlessDesktop(), out);
  // The runner stops at the same malformed line as the reader did.
  runner.Run(text);
  return 0;
}
