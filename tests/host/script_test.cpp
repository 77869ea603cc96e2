// The script reader: commands read into what the runner needs, malformed commands refused with
// a message, and a script read up to its first malformed line.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "script.h"

namespace datewell::host {
namespace {

struct CommandRow {
  const char* name;
  const char* line;
  std::function<void(const Command&)> check;
};

class CommandReading : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandReading, GivesTheCommandItsArguments) {
  std::optional<Command> cmd = ParseCommand(GetParam().line, 7);
  ASSERT_TRUE(cmd.has_value());
  EXPECT_EQ(cmd->line, 7);
  GetParam().check(*cmd);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandReading,
    ::testing::Values(
        CommandRow{"TwipsPerPixel", "tpp 12 15.5",
                   [](const Command& c) {
                     EXPECT_EQ(c.op, Op::Tpp);
                     EXPECT_EQ(c.x, 12.0);
                     EXPECT_EQ(c.y, 15.5);
                   }},
        CommandRow{"BlanksAndTabsSeparate", " \tplace\t -5   20 ",
                   [](const Command& c) {
                     EXPECT_EQ(c.op, Op::Place);
                     EXPECT_EQ(c.x, -5.0);
                     EXPECT_EQ(c.y, 20.0);
                   }},
        CommandRow{"InvokeDecimalPutRef", "invoke -512 putref font:\"Sans\",9",
                   [](const Command& c) {
                     EXPECT_EQ(c.dispid, -512);
                     EXPECT_EQ(c.invoke, InvokeKind::PutRef);
                     ASSERT_EQ(c.values.size(), 1u);
                     EXPECT_TRUE(c.values[0].is(VarKind::Font));
                   }},
        CommandRow{"TypeKeepsBlanksAndEscapes", R"(type "5 \"Jan\" 2004")",
                   [](const Command& c) {
                     EXPECT_EQ(c.op, Op::Type);
                     EXPECT_EQ(c.text, R"(5 "Jan" 2004)");
                   }},
        CommandRow{"KeyWithModifiersInOrder", "key Down alt shift",
                   [](const Command& c) {
                     EXPECT_EQ(c.key_code, 40);
                     EXPECT_EQ(c.modifiers, (std::vector<std::int16_t>{18, 16}));
                   }},
        CommandRow{"LetterKeyIsItsCapital", "key j ctrl",
                   [](const Command& c) {
                     EXPECT_EQ(c.key_code, 'J');
                     EXPECT_EQ(c.modifiers, (std::vector<std::int16_t>{17}));
                   }},
        CommandRow{"DigitKey", "key 7", [](const Command& c) { EXPECT_EQ(c.key_code, '7'); }},
        CommandRow{"ModifierAlone", "key Alt", [](const Command& c) { EXPECT_EQ(c.key_code, 18); }},
        CommandRow{"MouseRightButton", "mouse down 10 20 right",
                   [](const Command& c) {
                     EXPECT_EQ(c.mouse, MouseAction::Down);
                     EXPECT_EQ(c.x, 10.0);
                     EXPECT_EQ(c.button, 2);
                   }},
        CommandRow{"OnRewrite", "on KeyDown Shift=-1",
                   [](const Command& c) {
                     EXPECT_EQ(c.name, "KeyDown");
                     EXPECT_EQ(c.rewrite.param, "Shift");
                     EXPECT_EQ(c.rewrite.value, -1);
                   }},
        CommandRow{"LoadQuotedFileName", "load \"my settings.json\"",
                   [](const Command& c) {
                     EXPECT_EQ(c.op, Op::Load);
                     EXPECT_EQ(c.name, "my settings.json");
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

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
        MalformedRow{"MissingValue", "set DateFormat", "usage: set NAME VALUE"},
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

TEST(WordSplitting, KeepsQuotedBlanksInsideTheirWord) {
  EXPECT_EQ(SplitWords(R"(set Font font:"MS Sans Serif",8,bold)"),
            (std::vector<std::string>{"set", "Font", R"(font:"MS Sans Serif",8,bold)"}));
  EXPECT_EQ(SplitWords(R"(type "a \" b")"), (std::vector<std::string>{"type", R"("a \" b")"}));
}

}  // namespace
}  // namespace datewell::host
