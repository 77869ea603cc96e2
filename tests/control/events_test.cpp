// The control's events beyond what the scenarios' transcripts show: key parameters travel by
// reference, so that the host's handler can change what the text box goes on with, and Show comes
// before the panel leaves the control.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using Params = std::vector<std::int16_t>;

// The key handlers as a text box calls them: the values they go on with come back.
Params KeyDown(Harness& h, KeyArgs a) {
  h.control->txtDate_KeyDown(a);
  return {a.key_code, a.shift};
}
Params KeyUp(Harness& h, KeyArgs a) {
  h.control->txtDate_KeyUp(a);
  return {a.key_code, a.shift};
}
Params KeyPress(Harness& h, KeyPressArgs a) {
  h.control->txtDate_KeyPress(a);
  return {a.key_ascii};
}

// Each row: what raises the event, the first thing the host sees (the event named by its dispatch
// id, with its parameters as they arrived), and what the handler goes on with once the host's
// handler has written -1, -2 into the parameters.
TEST(Events, KeyHandlersRaiseTheirEventFirstAndGoOnWithWhatTheHostWrote) {
  const struct {
    std::function<Params(Harness&)> trigger;
    std::string first;
    Params after;
  } rows[] = {
      {[](Harness& h) {
         return KeyDown(h, {kKeyDelete, kShiftMask});
       },
       "KeyDown(46,1)",
       {-1, -2}},
      {[](Harness& h) { return KeyPress(h, {'7'}); }, "KeyPress(55)", {-1}},
      {[](Harness& h) {
         return KeyUp(h, {kKeyLeft, kCtrlMask});
       },
       "KeyUp(37,2)",
       {-1, -2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    Harness h;
    h.host.on_event = [](EventId, std::span<std::int16_t* const> params) {
      for (std::size_t i = 0; i < params.size(); ++i) {
        *params[i] = static_cast<std::int16_t>(-1 - static_cast<int>(i));
      }
    };
    EXPECT_EQ(row.trigger(h), row.after);
    ASSERT_FALSE(h.host.Log().empty());
    EXPECT_EQ(h.host.Log().front(), row.first);
  }
}

TEST(Events, ShowIsRaisedBeforeThePanelMovesToTheDesktop) {
  testing::HarnessOptions options;
  options.show = false;
  Harness h(options);
  const Hwnd surface = h.w.surface->hWnd();
  Hwnd panel_parent_at_show = kNoWindow;
  h.host.on_event = [&](EventId id, std::span<std::int16_t* const>) {
    if (id == EventId::Show) {
      panel_parent_at_show = h.desktop.GetParent(h.panel().hWnd());
    }
  };
  h.w.surface->SetVisible(true);
  EXPECT_EQ(panel_parent_at_show, surface);
  EXPECT_EQ(h.desktop.GetParent(h.panel().hWnd()), h.desktop.GetDesktopWindow());
}

}  // namespace
}  // namespace datewell
