// The script reader's refusals: each malformed command with a message that says why. (What the
// commands read into, blank lines and comments, line ends and the stop at the first malformed
// line are the input-command-forms, input-windows-line-ends and script-error scenarios' lines.)

#include <gtest/gtest.h>

#include <string>

#include "script.h"

namespace datewell::host {
namespace {

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
        MalformedRow{"CellOutOfRange", "dump cell 49", "cell index must lie between 0 and 48"},
        MalformedRow{"UnknownButton", "click 1 2 fourth", "a mouse button is left, right"},
        MalformedRow{"CoordinateNotInteger", "click 1.5 2", "X must be a whole number"},
        MalformedRow{"TwipsPerPixelZero", "tpp 0 15", "twips per pixel must lie between 1"},
        MalformedRow{"InvokeBadHex", "invoke 0xG1 get", "DISPID is decimal or 0x hexadecimal"},
        MalformedRow{"AmbientFontNotAFont", "ambient-font str:\"Sans\"",
                     "ambient-font needs a font value"},
        MalformedRow{"LocaleWithSlash", "locale ../etc", "not a locale name"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace datewell::host
