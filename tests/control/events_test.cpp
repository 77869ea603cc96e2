// The control's events: each raising handler raises its event with the right dispatch id as its
// first action, and key parameters travel by reference, so that the host's handler can change
// what the text box goes on with.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using testing::HostEntry;

struct EventRow {
  const char* name;
  std::function<void(Harness&)> trigger;
  int dispatch_id;
  std::vector<std::int16_t> params;
};

TEST(Events, EachHandlerRaisesItsEventFirstWithItsDispatchId) {
  const EventRow rows[] = {
      {"Change", [](Harness& h) { h.field().SetText("1/5/2004"); }, 1, {}},
      {"Click", [](Harness& h) { h.control->txtDate_Click(); }, 2, {}},
      {"DblClick", [](Harness& h) { h.control->txtDate_DblClick(); }, 3, {}},
      {"Hide", [](Harness& h) { h.w.surface->SetVisible(false); }, 4, {}},
      {"KeyDown",
       [](Harness& h) {
         KeyArgs a{kKeyDelete, kShiftMask};
         h.control->txtDate_KeyDown(a);
       },
       5,
       {kKeyDelete, kShiftMask}},
      {"KeyPress",
       [](Harness& h) {
         KeyPressArgs a{'7'};
         h.control->txtDate_KeyPress(a);
       },
       6,
       {'7'}},
      {"KeyUp",
       [](Harness& h) {
         KeyArgs a{kKeyLeft, kCtrlMask};
         h.control->txtDate_KeyUp(a);
       },
       7,
       {kKeyLeft, kCtrlMask}},
      {"Resize",
       [](Harness& h) {
         float width = 2000.0f;
         float height = 400.0f;
         h.control->Size(width, height);
       },
       8,
       {}},
      {"Show",
       [](Harness& h) {
         h.w.surface->SetVisible(false);
         h.ClearLog();
         h.w.surface->SetVisible(true);
       },
       9,
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.ClearLog();
    row.trigger(h);
    ASSERT_FALSE(h.host.Entries().empty());
    const HostEntry& first = h.host.Entries().front();
    EXPECT_EQ(first.kind, HostEntry::Kind::Event);
    EXPECT_EQ(static_cast<int>(first.id), row.dispatch_id);
    EXPECT_EQ(first.params, row.params);
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

// A host handler writes into the parameters; the handler's own variables carry the new values
// back, so the text box goes on with them.
TEST(Events, KeyParametersAreRewrittenByTheHost) {
  const struct {
    const char* name;
    EventId id;
    std::function<std::vector<std::int16_t>(Datewell&)> run;
    std::vector<std::int16_t> after;
  } rows[] = {
      {"KeyDown",
       EventId::KeyDown,
       [](Datewell& c) {
         KeyArgs a{kKeyDown, kAltMask};
         c.txtDate_KeyDown(a);
         return std::vector<std::int16_t>{a.key_code, a.shift};
       },
       {-1, -2}},
      {"KeyPress",
       EventId::KeyPress,
       [](Datewell& c) {
         KeyPressArgs a{'a'};
         c.txtDate_KeyPress(a);
         return std::vector<std::int16_t>{a.key_ascii};
       },
       {-1}},
      {"KeyUp",
       EventId::KeyUp,
       [](Datewell& c) {
         KeyArgs a{kKeyUp, 0};
         c.txtDate_KeyUp(a);
         return std::vector<std::int16_t>{a.key_code, a.shift};
       },
       {-1, -2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    int calls = 0;
    h.host.on_event = [&](EventId id, std::span<std::int16_t* const> params) {
      if (id == row.id) {
        ++calls;
        for (std::size_t i = 0; i < params.size(); ++i) {
          *params[i] = static_cast<std::int16_t>(-1 - static_cast<int>(i));
        }
      }
    };
    EXPECT_EQ(row.run(*h.control), row.after);
    EXPECT_EQ(calls, 1);
  }
}

}  // namespace
}  // namespace datewell
