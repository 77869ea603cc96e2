#pragma once
// The script reader: one command per line, read into a checked, typed command. Everything a
// command needs is validated here, so the runner only meets well-formed commands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "values.h"

namespace datewell::host {

enum class Op {
  // Environment.
  Today,
  Locale,
  Tpp,
  WorkArea,
  Metrics,
  AmbientFont,
  // Lifecycle.
  New,
  Bag,
  Load,
  Save,
  Place,
  Size,
  Show,
  Hide,
  // Members and input.
  Set,
  Get,
  Call,
  Invoke,
  Focus,
  Blur,
  Type,
  Key,
  Mouse,
  Click,
  DblClick,
  On,
  Off,
  Modal,
  // Inspection.
  Dump,
};

enum class MouseAction { Down, Up, Move };
enum class InvokeKind { Get, Put, PutRef, Method };
enum class DumpWhat {
  Text,
  Caption,
  Cell,
  Grid,
  Panel,
  List,
  Capture,
  Focus,
  Face,
  PaintPanel,
  PaintFace
};

// A host event parameter rewrite of `on EVENT PARAM=N`.
struct Rewrite {
  std::string param;
  std::int16_t value = 0;
};

struct Command {
  int line = 0;
  Op op = Op::New;
  // The name a command works on: property, method, event, locale, file ("-" for the transcript
  // or the bag), bag key, key name, or the modal ending ("ok", "close").
  std::string name;
  std::vector<Variant> values;  // set, call, invoke, bag, ambient-font
  double x = 0;                 // coordinates, sizes, twips per pixel, metrics
  double y = 0;
  std::string text;                     // type
  std::int16_t key_code = 0;            // key
  std::vector<std::int16_t> modifiers;  // key: 16 Shift, 17 Ctrl, 18 Alt, in the order written
  MouseAction mouse = MouseAction::Down;
  std::int16_t button = 1;  // 1 left, 2 right, 4 middle
  std::int32_t dispid = 0;
  InvokeKind invoke = InvokeKind::Get;
  DumpWhat dump = DumpWhat::Text;
  int cell = 0;
  Rewrite rewrite;
  Date date;
};

// A malformed command, with the line it stands on.
struct ScriptError {
  int line = 0;
  std::string message;
};

// Splits a line into words: blanks separate, a double-quoted part (with its escapes) belongs to
// the word it stands in. Throws SyntaxError for an unterminated string.
std::vector<std::string> SplitWords(std::string_view line);

// The command on one line, nothing for a blank line or a comment; throws SyntaxError.
std::optional<Command> ParseCommand(std::string_view line, int line_number);

// The parameters of each host event, in the order the control passes them.
std::vector<std::string_view> EventParams(std::string_view event);
bool IsEventName(std::string_view event);

// Reads a whole script, stopping at the first malformed command. For tools that only check a
// script (and for fuzzing the reader); the runner reads line by line as it goes.
struct ReadResult {
  std::vector<Command> commands;
  std::optional<ScriptError> error;
};
ReadResult ReadScript(std::string_view text);

// Iterates the lines of a script (a final line without a newline counts; a trailing \r of a
// Windows line ending is dropped).
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line, or nothing at the end.
  std::optional<std::string_view> Next();
  int LineNumber() const { return line_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 0;
};

}  // namespace datewell::host
