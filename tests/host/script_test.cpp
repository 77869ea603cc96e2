// The script reader: commands read into what the runner needs, malformed commands refused with
// a message, and a script read up to its first malformed line.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "script.h"
#include "values.h"

namespace datewell::host {
namespace {

// The fields a command read into, where they differ from a fresh command's: "name=Size x=12".
std::string Fields(const Command& c) {
  const Command fresh;
  std::ostringstream out;
  auto field = [&](bool differs, const std::string& key, const auto& value) {
    if (differs) {
      out << " " << key << "=" << value;
    }
  };
  field(c.name != fresh.name, "name", c.name);
  for (const Variant& v : c.values) {
    field(true, "value", FormatValue(v));
  }
  field(c.x != fresh.x, "x", c.x);
  field(c.y != fresh.y, "y", c.y);
  field(c.text != fresh.text, "text", c.text);
  field(c.key_code != fresh.key_code, "key", c.key_code);
  for (const std::int16_t m : c.modifiers) {
    field(true, "modifier", m);
  }
  field(c.mouse != fresh.mouse, "mouse", static_cast<int>(c.mouse));
  field(c.button != fresh.button, "button", c.button);
  field(c.dispid != fresh.dispid, "dispid", c.dispid);
  field(c.invoke != fresh.invoke, "invoke", static_cast<int>(c.invoke));
  field(c.rewrite.param != fresh.rewrite.param, c.rewrite.param, c.rewrite.value);
  field(c.date != fresh.date, "date", c.date.serial);
  return out.str().empty() ? "" : out.str().substr(1);
}

TEST(CommandReading, GivesTheCommandItsArguments) {
  const struct {
    const char* line;
    Op op;
    const char* fields;
  } rows[] = {
      {"tpp 12 15.5", Op::Tpp, "x=12 y=15.5"},
      {" \tplace\t -5   20 ", Op::Place, "x=-5 y=20"},
      {"invoke -512 putref font:\"Sans\",9", Op::Invoke,
       "name=-512 value=font:\"Sans\",9 dispid=-512 invoke=2"},
      {R"(type "5 \"Jan\" 2004")", Op::Type, R"(text=5 "Jan" 2004)"},
      {"key Down alt shift", Op::Key, "name=Down key=40 modifier=18 modifier=16"},
      {"key j ctrl", Op::Key, "name=j key=74 modifier=17"},
      {"key 7", Op::Key, "name=7 key=55"},
      {"key Alt", Op::Key, "name=Alt key=18"},
      {"mouse down 10 20 right", Op::Mouse, "x=10 y=20 button=2"},
      {"on KeyDown Shift=-1", Op::On, "name=KeyDown Shift=-1"},
      {"load \"my settings.json\"", Op::Load, "name=my settings.json"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    std::optional<Command> cmd = ParseCommand(row.line, 7);
    ASSERT_TRUE(cmd.has_value());
    EXPECT_EQ(cmd->line, 7);
    EXPECT_EQ(cmd->op, row.op);
    EXPECT_EQ(Fields(*cmd), row.fields);
  }
}

TEST(CommandReading, BlankLinesAndCommentsAreNoCommands) {
  for (const char* line : {"", "   ", "\t", "# a comment", "   # indented comment"}) {
    EXPECT_FALSE(ParseCommand(line, 1).has_value()) << Quote(line);
  }
}

struct MalformedRow {
  const char* name;
  const char* line;
  const char* message_part;
};

class MalformedCommand : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedCommand, IsRefusedWithAMessageThatSaysWhy) {
  try {
    ParseCommand(GetParam().line, 1);
    FAIL() << "accepted: " << GetParam().line;
  } catch (const SyntaxError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().message_part), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MalformedCommand,
    ::testing::Values(
        MalformedRow{"UnknownCommand", "frob", "unknown command \"frob\""},
        MalformedRow{"ExtraArgument", "new now", "usage: new"},
        MalformedRow{"NameNotIdentifier", "get 5x", "property must be a name"},
        MalformedRow{"BadValue", "set DateFormat long:x", "long value must be a whole number"},
        MalformedRow{"UnterminatedType", "type \"abc", "unterminated string"},
        MalformedRow{"UnknownKey", "key PgUp", "unknown key \"PgUp\""},
        MalformedRow{"ModifierTwice", "key Down alt alt", "modifier alt given twice"},
        MalformedRow{"UnknownModifier", "key Down meta", "a modifier is shift, ctrl or alt"},
        MalformedRow{"ParameterOfAnotherEvent", "on KeyPress KeyCode=1",
                     "event KeyPress has no parameter \"KeyCode\""},
        MalformedRow{"UnknownEvent", "on Nope X=1", "unknown event \"Nope\""},
        MalformedRow{"RewriteOutOfRange", "on KeyPress KeyAscii=70000",
                     "KeyAscii must lie between -32768 and 32767"},
        MalformedRow{"OffUnknownEvent", "off Changed", "unknown event \"Changed\""},
        MalformedRow{"CellOutOfRange", "dump cell 49", "cell index must lie between 0 and 48"},
        MalformedRow{"PaintOfNothing", "dump paint grid", "usage: dump paint panel|face"},
        MalformedRow{"UnknownMouseAction", "mouse press 1 2", "usage: mouse"},
        MalformedRow{"UnknownButton", "click 1 2 fourth", "a mouse button is left, right"},
        MalformedRow{"DoubleClickWithButton", "dblclick 1 2 left", "usage: dblclick X Y"},
        MalformedRow{"CoordinateNotInteger", "click 1.5 2", "X must be a whole number"},
        MalformedRow{"TwipsPerPixelZero", "tpp 0 15", "twips per pixel must lie between 1"},
        MalformedRow{"WorkAreaEmpty", "workarea 0 10", "work area width must lie between 1"},
        MalformedRow{"InvokeUnknownKind", "invoke 12 fetch", "usage: invoke"},
        MalformedRow{"InvokeBadHex", "invoke 0xG1 get", "DISPID is decimal or 0x hexadecimal"},
        MalformedRow{"ModalUnknownEnding", "modal maybe", "usage: modal ok|close"},
        MalformedRow{"AmbientFontNotAFont", "ambient-font str:\"Sans\"",
                     "ambient-font needs a font value"},
        MalformedRow{"LocaleWithSlash", "locale ../etc", "not a locale name"},
        MalformedRow{"NegativeSize", "size -1 300", "width must lie between 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptReading, StopsAtTheFirstMalformedLineAndNamesIt) {
  ReadResult r = ReadScript("today 2004-03-10\r\n\n# note\nnew\nset X\nget Y\n");
  ASSERT_TRUE(r.error.has_value());
  EXPECT_EQ(r.error->line, 5);
  EXPECT_EQ(r.error->message, "usage: set NAME VALUE");
  ASSERT_EQ(r.commands.size(), 2u);
  EXPECT_EQ(r.commands[0].op, Op::Today);
  EXPECT_EQ(r.commands[1].op, Op::New);
  EXPECT_EQ(r.commands[1].line, 4);
}

TEST(ScriptReading, ReadsALastLineWithoutNewlineAndWindowsLineEnds) {
  ReadResult r = ReadScript("new\r\nget DateValue");
  EXPECT_FALSE(r.error.has_value());
  ASSERT_EQ(r.commands.size(), 2u);
  EXPECT_EQ(r.commands[1].name, "DateValue");
  EXPECT_EQ(r.commands[1].line, 2);
}

}  // namespace
}  // namespace datewell::host
