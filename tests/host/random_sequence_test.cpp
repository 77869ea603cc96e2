// Seeded random sequences of user and host actions against one control, on every desktop the
// host knows, with the control's standing rules checked after each step: the panel is open
// exactly while it or its month list holds the pointer, the list never shows without the panel,
// no date leaves the years 100 to 9999, at most one day is marked, and nothing crashes.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "desktop.h"
#include "runner.h"
#include "script.h"

namespace datewell::host {
namespace {

constexpr int kScripts = 300;
constexpr int kStepsPerScript = 300;

// The control's client origin is at (100, 100); its panel opens below it. Points are drawn from
// a box that covers the field, the drop button, the whole panel and some desktop around them.
std::string RandomStep(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto point = [&] {
    return std::to_string(80 + pick(240)) + " " + std::to_string(85 + pick(260));
  };
  static constexpr std::array<std::string_view, 12> kKeys{
      "Up", "Down alt", "Down", "Escape", "Enter", "Tab", "F4", "a", "5", "Back", "Left", "Up"};
  static constexpr std::array<std::string_view, 6> kValues{
      "set DateValue date:9999-12-15", "set DateValue date:0100-01-20",
      "set DateValue date:2004-02-29", "set StringValue str:\"13/1/2004\"",
      "set DateFormat long:1",         "set DateFormat long:0"};
  static constexpr std::array<std::string_view, 9> kOthers{
      "call DropDown", "call CloseUp", "hide",         "show",        "focus",
      "blur",          "type \"x\"",   "type \"1/5\"", "call Refresh"};
  switch (pick(10)) {
    case 0:
    case 1:
    case 2:
      return "click " + point();
    case 3:
      return "mouse down " + point();
    case 4:
      return "mouse up " + point();
    case 5:
      return "mouse move " + point();
    case 6:
      return "key " + std::string(kKeys[static_cast<std::size_t>(pick(kKeys.size()))]);
    case 7:
      return std::string(kValues[static_cast<std::size_t>(pick(kValues.size()))]);
    default:
      return std::string(kOthers[static_cast<std::size_t>(pick(kOthers.size()))]);
  }
}

// What the dump commands say after a step.
struct State {
  bool panel = false;
  bool list = false;
  std::string capture;
  int marked = 0;
  int year = 0;
};

std::string After(std::string_view text, std::string_view key) {
  const auto at = text.find(key);
  if (at == std::string_view::npos) {
    return {};
  }
  const auto from = at + key.size();
  return std::string(text.substr(from, text.find_first_of(" \n", from) - from));
}

State Inspect(Runner& runner, std::ostringstream& out) {
  out.str({});
  for (const char* line :
       {"dump panel", "dump list", "dump capture", "dump grid", "get DateValue"}) {
    runner.Execute(*ParseCommand(line, 1));
  }
  const std::string text = out.str();
  State s;
  s.panel = After(text, "panel visible=") == "1";
  s.list = After(text, "list visible=") == "1";
  s.capture = After(text, "capture ");
  for (auto at = text.find("border=1"); at != std::string::npos;
       at = text.find("border=1", at + 1)) {
    ++s.marked;
  }
  const std::string value = After(text, "DateValue = date:");
  s.year = value.empty() ? 0 : std::stoi(value.substr(0, value.find('-')));
  return s;
}

class RandomSequenceTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RandomSequenceTest, StandingRulesHoldAfterEveryStep) {
  std::ostringstream out;
  std::unique_ptr<Desktop> desktop = MakeDesktop(GetParam());
  if (desktop == nullptr) {
    GTEST_SKIP() << GetParam() << " is not built in";
  }
  Runner runner(std::move(desktop), out);
  runner.Execute(*ParseCommand("today 2004-03-10", 1));
  runner.Execute(*ParseCommand("modal close", 1));
  int steps = 0;
  for (int seed = 1; seed <= kScripts; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    for (const char* line : {"new", "show"}) {
      runner.Execute(*ParseCommand(line, 1));
    }
    for (int step = 0; step < kStepsPerScript; ++step, ++steps) {
      const std::string line = RandomStep(rng);
      runner.Execute(*ParseCommand(line, step + 1));
      const State s = Inspect(runner, out);
      const bool held = s.capture == "picCalendar" || s.capture == "lstSelectMonth";
      const auto where = "seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " +
                         line + "\n" + out.str();
      ASSERT_EQ(s.panel, held) << where;
      ASSERT_TRUE(!s.list || s.panel) << where;
      ASSERT_LE(s.marked, 1) << where;
      ASSERT_TRUE(s.year >= 100 && s.year <= 9999) << where;
    }
  }
  EXPECT_EQ(steps, kScripts * kStepsPerScript);
}

INSTANTIATE_TEST_SUITE_P(Desktops, RandomSequenceTest, ::testing::Values("headless", "qt"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace datewell::host
