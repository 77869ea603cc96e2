// The host side beyond what the scenarios show: event rewrites replaced, the ambient
// font and the stores handing out objects of their own, and how the runner ends a script that
// cannot run.

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "property_stores.h"
#include "runner.h"

namespace datewell::host {
namespace {

// The keys scenario shows "off" stopping a rewrite.
TEST(ScriptHostEvents, ALaterOnReplacesTheRewrite) {
  std::ostringstream out;
  ScriptHost host(out);
  std::int16_t key_ascii = 97;
  std::array<std::int16_t*, 1> params{&key_ascii};
  host.On("KeyPress", {"KeyAscii", 0});
  host.On("KeyPress", {"KeyAscii", 65});
  host.RaiseEvent(EventId::KeyPress, params);
  EXPECT_EQ(key_ascii, 65);
}

TEST(ScriptHostAmbientFont, EachAnswerIsAnObjectOfItsOwn) {
  std::ostringstream out;
  ScriptHost host(out);
  host.SetAmbientFont(Font{"Tahoma", 11, true});
  FontRef first = host.AmbientFont();
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, (Font{"Tahoma", 11, true}));
  first->size = 30;  // a control that adopted the object and changed it
  EXPECT_EQ(host.AmbientFont()->size, 11.0f);
}

TEST(MemoryBagStore, ReadsTheLastEntryOfAKeyOrTheDefault) {
  MemoryBag bag({{"DateFormat", Variant(std::int32_t{1})},
                 {"Enabled", Variant(false)},
                 {"DateFormat", Variant(std::int32_t{7})}});
  EXPECT_TRUE(bag.ReadProperty("DateFormat", Variant(std::int32_t{0})) == Variant(std::int32_t{7}));
  EXPECT_TRUE(bag.ReadProperty("Value", Variant(std::int16_t{0})) == Variant(std::int16_t{0}));
  EXPECT_TRUE(bag.ReadProperty("Enabled", Variant(true)) == Variant(false));
}

TEST(MemoryBagStore, AFontReadIsACopy) {
  auto font = std::make_shared<Font>(Font{"Arial", 10});
  MemoryBag bag({{"Font", Variant(font)}});
  Variant read = bag.ReadProperty("Font", Variant::Nothing());
  ASSERT_TRUE(read.is(VarKind::Font));
  EXPECT_NE(read.font().get(), font.get());
  EXPECT_EQ(*read.font(), *font);
}

struct RunRow {
  const char* name;
  const char* script;
  int status;
  const char* transcript;
};

class RunnerEnding : public ::testing::TestWithParam<RunRow> {};

TEST_P(RunnerEnding, StatusAndTranscript) {
  std::ostringstream out;
  Runner runner(MakeHeadlessDesktop(), out);
  EXPECT_EQ(runner.Run(GetParam().script), GetParam().status);
  EXPECT_EQ(out.str(), GetParam().transcript);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RunnerEnding,
    ::testing::Values(RunRow{"MemberBeforeControl",
                             "today 2004-03-10\nget DateValue\nget Version\n", 1,
                             "script error 2: no control yet: use new or load first\n"},
                      RunRow{"SaveBeforeControl", "save -\n", 1,
                             "script error 1: no control yet: use new or load first\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunnerEnding, LocaleUnderALiveControlIsMalformed) {
  std::ostringstream out;
  Runner runner(MakeHeadlessDesktop(), out);
  EXPECT_EQ(runner.Run("today 2004-03-10\nnew\nlocale de_DE\n"), 1);
  std::string transcript = out.str();
  EXPECT_NE(transcript.find("script error 3: locale must come before the control is created\n"),
            std::string::npos)
      << transcript;
}

}  // namespace
}  // namespace datewell::host
