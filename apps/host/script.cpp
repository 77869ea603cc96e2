#include "script.h"

#include <array>
#include <cmath>
#include <utility>

namespace datewell::host {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

struct EventInfo {
  std::string_view name;
  std::array<std::string_view, 2> params;  // empty names are unused
};

constexpr std::array<EventInfo, 9> kEvents{{
    {"Change", {}},
    {"Click", {}},
    {"DblClick", {}},
    {"Hide", {}},
    {"KeyDown", {"KeyCode", "Shift"}},
    {"KeyPress", {"KeyAscii", ""}},
    {"KeyUp", {"KeyCode", "Shift"}},
    {"Resize", {}},
    {"Show", {}},
}};

struct KeyName {
  std::string_view name;
  std::int16_t code;
};

constexpr std::array<KeyName, 16> kKeys{{
    {"Back", 8},
    {"Tab", 9},
    {"Enter", 13},
    {"Shift", 16},
    {"Ctrl", 17},
    {"Alt", 18},
    {"Escape", 27},
    {"Space", 32},
    {"End", 35},
    {"Home", 36},
    {"Left", 37},
    {"Up", 38},
    {"Right", 39},
    {"Down", 40},
    {"Delete", 46},
    {"F4", 115},
}};

// The command being read, with helpers that check its words.
class Reader {
 public:
  Reader(std::vector<std::string> words, int line) : words_(std::move(words)) { cmd_.line = line; }

  Command Read();

 private:
  const std::string& Word(std::size_t i) const { return words_[i]; }
  std::size_t Count() const { return words_.size() - 1; }  // arguments after the command

  void Expect(std::size_t n, std::string_view usage) const {
    if (Count() != n) {
      throw SyntaxError("usage: " + std::string(usage));
    }
  }
  void ExpectBetween(std::size_t lo, std::size_t hi, std::string_view usage) const {
    if (Count() < lo || Count() > hi) {
      throw SyntaxError("usage: " + std::string(usage));
    }
  }
  static std::string Identifier(const std::string& word, std::string_view what) {
    bool ok = !word.empty() && word.size() <= 64 &&
              ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z'));
    for (char c : word) {
      ok = ok &&
           ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    }
    if (!ok) {
      throw SyntaxError(std::string(what) + " must be a name, not " + Quote(word.substr(0, 40)));
    }
    return word;
  }
  // A file name or key: a plain word, or a quoted string for names with blanks.
  static std::string PlainOrQuoted(const std::string& word) {
    return !word.empty() && word[0] == '"' ? Unquote(word) : word;
  }
  static double Bounded(const std::string& word, double lo, double hi, std::string_view what) {
    double v = ParseNumber(word, what);
    if (v < lo || v > hi) {
      throw SyntaxError(std::string(what) + " must lie between " + FormatNumber(lo) + " and " +
                        FormatNumber(hi));
    }
    return v;
  }
  static int BoundedInt(const std::string& word, int lo, int hi, std::string_view what) {
    std::int32_t v = ParseInt(word, what);
    if (v < lo || v > hi) {
      throw SyntaxError(std::string(what) + " must lie between " + std::to_string(lo) + " and " +
                        std::to_string(hi));
    }
    return v;
  }
  static std::int16_t Button(const std::string& word) {
    if (word == "left") {
      return 1;
    }
    if (word == "right") {
      return 2;
    }
    if (word == "middle") {
      return 4;
    }
    throw SyntaxError("a mouse button is left, right or middle, not " + Quote(word.substr(0, 40)));
  }
  void Point(std::size_t first) {
    // Screen pixels; the bound keeps every later sum of pixels far inside 32 bits.
    cmd_.x = BoundedInt(Word(first), -1000000, 1000000, "X");
    cmd_.y = BoundedInt(Word(first + 1), -1000000, 1000000, "Y");
  }
  void Values(std::size_t first) {
    for (std::size_t i = first; i < words_.size(); ++i) {
      cmd_.values.push_back(ParseValue(Word(i)));
    }
  }
  void ReadKey();
  void ReadOn();
  void ReadInvoke();
  void ReadDump();

  std::vector<std::string> words_;
  Command cmd_;
};

void Reader::ReadKey() {
  constexpr std::string_view usage = "key NAME [shift] [ctrl] [alt]";
  ExpectBetween(1, 4, usage);
  const std::string& name = Word(1);
  cmd_.name = name;
  if (name.size() == 1 &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
    cmd_.key_code = static_cast<std::int16_t>(name[0]);
  } else if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
    cmd_.key_code = static_cast<std::int16_t>(name[0] - 'a' + 'A');
  } else {
    bool found = false;
    for (const KeyName& k : kKeys) {
      if (k.name == name) {
        cmd_.key_code = k.code;
        found = true;
      }
    }
    if (!found) {
      throw SyntaxError("unknown key " + Quote(name.substr(0, 40)) +
                        " (Up, Down, Left, Right, Enter, Escape, Tab, Home, End, Back, Delete, "
                        "F4, Space, Shift, Ctrl, Alt, a letter or a digit)");
    }
  }
  for (std::size_t i = 2; i < words_.size(); ++i) {
    std::int16_t code = 0;
    if (Word(i) == "shift") {
      code = 16;
    } else if (Word(i) == "ctrl") {
      code = 17;
    } else if (Word(i) == "alt") {
      code = 18;
    } else {
      throw SyntaxError("a modifier is shift, ctrl or alt, not " + Quote(Word(i).substr(0, 40)));
    }
    for (std::int16_t held : cmd_.modifiers) {
      if (held == code) {
        throw SyntaxError("modifier " + Word(i) + " given twice");
      }
    }
    cmd_.modifiers.push_back(code);
  }
}

void Reader::ReadOn() {
  Expect(2, "on EVENT PARAM=N");
  cmd_.name = Word(1);
  if (!IsEventName(cmd_.name)) {
    throw SyntaxError("unknown event " + Quote(cmd_.name.substr(0, 40)));
  }
  const std::string& assignment = Word(2);
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    throw SyntaxError("usage: on EVENT PARAM=N");
  }
  cmd_.rewrite.param = assignment.substr(0, eq);
  bool known = false;
  for (std::string_view p : EventParams(cmd_.name)) {
    known = known || p == cmd_.rewrite.param;
  }
  if (!known) {
    throw SyntaxError("event " + cmd_.name + " has no parameter " +
                      Quote(cmd_.rewrite.param.substr(0, 40)));
  }
  cmd_.rewrite.value = static_cast<std::int16_t>(
      BoundedInt(assignment.substr(eq + 1), -32768, 32767, cmd_.rewrite.param));
}

void Reader::ReadInvoke() {
  constexpr std::string_view usage = "invoke DISPID get|put|putref|method [VALUE...]";
  if (Count() < 2) {
    throw SyntaxError(std::string("usage: ") + std::string(usage));
  }
  const std::string& id = Word(1);
  if (id.size() > 2 && id[0] == '0' && (id[1] == 'x' || id[1] == 'X')) {
    std::uint32_t v = 0;
    if (id.size() > 10) {
      throw SyntaxError("DISPID out of range: " + Quote(id.substr(0, 40)));
    }
    for (char c : id.substr(2)) {
      int d = (c >= '0' && c <= '9')   ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) {
        throw SyntaxError("DISPID is decimal or 0x hexadecimal, not " + Quote(id.substr(0, 40)));
      }
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    cmd_.dispid = static_cast<std::int32_t>(v);
  } else {
    cmd_.dispid = ParseInt(id, "DISPID");
  }
  cmd_.name = id;
  const std::string& kind = Word(2);
  if (kind == "get") {
    cmd_.invoke = InvokeKind::Get;
  } else if (kind == "put") {
    cmd_.invoke = InvokeKind::Put;
  } else if (kind == "putref") {
    cmd_.invoke = InvokeKind::PutRef;
  } else if (kind == "method") {
    cmd_.invoke = InvokeKind::Method;
  } else {
    throw SyntaxError(std::string("usage: ") + std::string(usage));
  }
  Values(3);
}

void Reader::ReadDump() {
  constexpr std::string_view usage =
      "dump text|caption|cell I|grid|panel|list|capture|focus|face|paint panel|paint face";
  if (Count() < 1) {
    throw SyntaxError(std::string("usage: ") + std::string(usage));
  }
  const std::string& what = Word(1);
  struct Simple {
    std::string_view word;
    DumpWhat what;
  };
  static constexpr std::array<Simple, 8> kSimple{{{"text", DumpWhat::Text},
                                                  {"caption", DumpWhat::Caption},
                                                  {"grid", DumpWhat::Grid},
                                                  {"panel", DumpWhat::Panel},
                                                  {"list", DumpWhat::List},
                                                  {"capture", DumpWhat::Capture},
                                                  {"focus", DumpWhat::Focus},
                                                  {"face", DumpWhat::Face}}};
  for (const Simple& s : kSimple) {
    if (!s.word.empty() && s.word == what) {
      Expect(1, usage);
      cmd_.dump = s.what;
      return;
    }
  }
  if (what == "cell") {
    Expect(2, "dump cell I (0 to 48)");
    cmd_.dump = DumpWhat::Cell;
    cmd_.cell = BoundedInt(Word(2), 0, 48, "cell index");
    return;
  }
  if (what == "paint") {
    Expect(2, "dump paint panel|face");
    if (Word(2) == "panel") {
      cmd_.dump = DumpWhat::PaintPanel;
    } else if (Word(2) == "face") {
      cmd_.dump = DumpWhat::PaintFace;
    } else {
      throw SyntaxError("usage: dump paint panel|face");
    }
    return;
  }
  throw SyntaxError(std::string("usage: ") + std::string(usage));
}

Command Reader::Read() {
  const std::string& op = Word(0);
  if (op == "today") {
    cmd_.op = Op::Today;
    Expect(1, "today YYYY-MM-DD");
    cmd_.date = ParseDate(Word(1));
  } else if (op == "locale") {
    cmd_.op = Op::Locale;
    Expect(1, "locale NAME");
    for (char c : Word(1)) {
      bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                c == '_' || c == '-' || c == '@' || c == '.' || c == '=';
      if (!ok || Word(1).size() > 64) {
        throw SyntaxError("not a locale name: " + Quote(Word(1).substr(0, 40)));
      }
    }
    cmd_.name = Word(1);
  } else if (op == "tpp") {
    cmd_.op = Op::Tpp;
    Expect(2, "tpp TX TY");
    cmd_.x = Bounded(Word(1), 1, 1440, "twips per pixel");
    cmd_.y = Bounded(Word(2), 1, 1440, "twips per pixel");
  } else if (op == "workarea") {
    cmd_.op = Op::WorkArea;
    Expect(2, "workarea W H");
    cmd_.x = BoundedInt(Word(1), 1, 100000, "work area width");
    cmd_.y = BoundedInt(Word(2), 1, 100000, "work area height");
  } else if (op == "metrics") {
    cmd_.op = Op::Metrics;
    Expect(2, "metrics CYHSCROLL CXBORDER");
    cmd_.x = BoundedInt(Word(1), 0, 1000, "CYHSCROLL");
    cmd_.y = BoundedInt(Word(2), 0, 1000, "CXBORDER");
  } else if (op == "ambient-font") {
    cmd_.op = Op::AmbientFont;
    Expect(1, "ambient-font font:\"NAME\",SIZE[,bold][,italic][,underline][,strikethru]");
    cmd_.values.push_back(ParseValue(Word(1)));
    if (!cmd_.values[0].is(VarKind::Font)) {
      throw SyntaxError("ambient-font needs a font value");
    }
  } else if (op == "new") {
    cmd_.op = Op::New;
    Expect(0, "new");
  } else if (op == "bag") {
    cmd_.op = Op::Bag;
    Expect(2, "bag KEY VALUE");
    cmd_.name = PlainOrQuoted(Word(1));
    Values(2);
  } else if (op == "load" || op == "save") {
    cmd_.op = op == "load" ? Op::Load : Op::Save;
    Expect(1, op + " FILE|-");
    cmd_.name = PlainOrQuoted(Word(1));
    if (cmd_.name.empty()) {
      throw SyntaxError("empty file name");
    }
  } else if (op == "place") {
    cmd_.op = Op::Place;
    Expect(2, "place X Y");
    Point(1);
  } else if (op == "size") {
    cmd_.op = Op::Size;
    Expect(2, "size W H");
    cmd_.x = Bounded(Word(1), 0, 1000000, "width");
    cmd_.y = Bounded(Word(2), 0, 1000000, "height");
  } else if (op == "show" || op == "hide" || op == "focus" || op == "blur") {
    cmd_.op = op == "show"    ? Op::Show
              : op == "hide"  ? Op::Hide
              : op == "focus" ? Op::Focus
                              : Op::Blur;
    Expect(0, op);
  } else if (op == "set") {
    cmd_.op = Op::Set;
    Expect(2, "set NAME VALUE");
    cmd_.name = Identifier(Word(1), "property");
    Values(2);
  } else if (op == "get") {
    cmd_.op = Op::Get;
    Expect(1, "get NAME");
    cmd_.name = Identifier(Word(1), "property");
  } else if (op == "call") {
    cmd_.op = Op::Call;
    if (Count() < 1) {
      throw SyntaxError("usage: call NAME [VALUE...]");
    }
    cmd_.name = Identifier(Word(1), "method");
    Values(2);
  } else if (op == "invoke") {
    cmd_.op = Op::Invoke;
    ReadInvoke();
  } else if (op == "type") {
    cmd_.op = Op::Type;
    Expect(1, "type \"TEXT\"");
    cmd_.text = Unquote(Word(1));
  } else if (op == "key") {
    cmd_.op = Op::Key;
    ReadKey();
  } else if (op == "mouse") {
    cmd_.op = Op::Mouse;
    ExpectBetween(3, 4, "mouse down|up|move X Y [left|right|middle]");
    if (Word(1) == "down") {
      cmd_.mouse = MouseAction::Down;
    } else if (Word(1) == "up") {
      cmd_.mouse = MouseAction::Up;
    } else if (Word(1) == "move") {
      cmd_.mouse = MouseAction::Move;
    } else {
      throw SyntaxError("usage: mouse down|up|move X Y [left|right|middle]");
    }
    Point(2);
    if (Count() == 4) {
      cmd_.button = Button(Word(4));
    }
  } else if (op == "click") {
    cmd_.op = Op::Click;
    ExpectBetween(2, 3, "click X Y [left|right|middle]");
    Point(1);
    if (Count() == 3) {
      cmd_.button = Button(Word(3));
    }
  } else if (op == "dblclick") {
    cmd_.op = Op::DblClick;
    Expect(2, "dblclick X Y");
    Point(1);
  } else if (op == "on") {
    cmd_.op = Op::On;
    ReadOn();
  } else if (op == "off") {
    cmd_.op = Op::Off;
    Expect(1, "off EVENT");
    cmd_.name = Word(1);
    if (!IsEventName(cmd_.name)) {
      throw SyntaxError("unknown event " + Quote(cmd_.name.substr(0, 40)));
    }
  } else if (op == "modal") {
    cmd_.op = Op::Modal;
    Expect(1, "modal ok|close");
    if (Word(1) != "ok" && Word(1) != "close") {
      throw SyntaxError("usage: modal ok|close");
    }
    cmd_.name = Word(1);
  } else if (op == "dump") {
    cmd_.op = Op::Dump;
    ReadDump();
  } else {
    throw SyntaxError("unknown command " + Quote(op.substr(0, 40)));
  }
  return std::move(cmd_);
}

}  // namespace

std::vector<std::string_view> EventParams(std::string_view event) {
  std::vector<std::string_view> params;
  for (const EventInfo& e : kEvents) {
    if (e.name == event) {
      for (std::string_view p : e.params) {
        if (!p.empty()) {
          params.push_back(p);
        }
      }
    }
  }
  return params;
}

bool IsEventName(std::string_view event) {
  for (const EventInfo& e : kEvents) {
    if (e.name == event) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) {
      ++i;
    }
    if (i >= line.size()) {
      break;
    }
    std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) {
      if (line[i] == '"') {
        ReadQuoted(line, i);  // leaves i after the closing quote
      } else {
        ++i;
      }
    }
    words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<Command> ParseCommand(std::string_view line, int line_number) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) {
    ++first;
  }
  if (first == line.size() || line[first] == '#') {
    return std::nullopt;
  }
  return Reader(SplitWords(line), line_number).Read();
}

std::optional<std::string_view> LineReader::Next() {
  if (pos_ >= text_.size()) {
    return std::nullopt;
  }
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) {
    end = text_.size();
  }
  std::string_view line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  ++line_;
  if (!line.empty() && line.back() == '\r') {
    line.remove_suffix(1);
  }
  return line;
}

ReadResult ReadScript(std::string_view text) {
  ReadResult result;
  LineReader lines(text);
  while (auto line = lines.Next()) {
    try {
      if (auto cmd = ParseCommand(*line, lines.LineNumber())) {
        result.commands.push_back(std::move(*cmd));
      }
    } catch (const SyntaxError& e) {
      result.error = ScriptError{lines.LineNumber(), e.what()};
      break;
    }
  }
  return result;
}

}  // namespace datewell::host
