// Showing and hiding the floating windows: the exact window calls, the capture that goes with
// them, the focus left where it was, and the message pumps that run pending messages inside.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using Calls = std::vector<std::string>;
using testing::Harness;

TEST(ShowCalendar, ShowingEitherWindowMakesItTopmostAndGivesTheCaptureToThePanel) {
  const struct {
    const char* name;
    bool list;
  } rows[] = {{"the panel", false}, {"the month list", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    const Hwnd panel = h.panel().hWnd();
    const Hwnd shown = row.list ? h.list().hWnd() : panel;
    const std::string name(row.list ? "lstSelectMonth" : "picCalendar");
    h.control->ShowCalendar(shown, true);
    EXPECT_EQ(
        h.desktop.FormattedCalls(),
        (Calls{"SetWindowPos " + name + " HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}));
    EXPECT_TRUE(h.desktop.IsVisible(shown));
    EXPECT_TRUE(h.desktop.IsTopmost(shown));
    EXPECT_EQ(h.desktop.GetCapture(), panel);
  }
}

TEST(ShowCalendar, HidingReleasesTheCaptureAndDropsTopmost) {
  const struct {
    const char* name;
    bool list;
    bool shown_before;
  } rows[] = {
      {"the open panel", false, true},
      {"the shown list", true, true},
      {"an already hidden panel", false, false},
      {"an already hidden list", true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    const Hwnd window = row.list ? h.list().hWnd() : h.panel().hWnd();
    const std::string name(row.list ? "lstSelectMonth" : "picCalendar");
    if (row.shown_before) {
      h.control->ShowCalendar(window, true);
    } else {
      // Some other window of the thread holds the capture.
      h.desktop.SetCapture(h.field().hWnd());
    }
    h.ClearLog();
    h.control->ShowCalendar(window, false);
    EXPECT_EQ(h.desktop.FormattedCalls(),
              (Calls{"ReleaseCapture", "SetWindowPos " + name + " HWND_NOTOPMOST 0,0,0,0 0x93"}));
    EXPECT_EQ(h.desktop.GetCapture(), kNoWindow);
    EXPECT_FALSE(h.desktop.IsVisible(window));
    EXPECT_FALSE(h.desktop.IsTopmost(window));
  }
}

TEST(ShowCalendar, ShowingNeverMovesResizesOrActivates) {
  Harness h;
  h.FocusField();
  const Rect before = h.desktop.ScreenRect(h.panel().hWnd());
  h.ClearLog();
  h.ShowPanel();
  EXPECT_EQ(h.desktop.ScreenRect(h.panel().hWnd()), before);
  EXPECT_EQ(h.desktop.FocusedName(), "txtDate");
  EXPECT_TRUE(h.field().HasFocus());
  // The field never lost the focus: leaving it would have validated and closed the panel.
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_TRUE(h.host.Log().empty());
}

TEST(ShowCalendar, AMessageQueuedBeforeTheCallRunsInsideIt) {
  Harness h;
  const Hwnd panel = h.panel().hWnd();
  bool ran = false;
  bool visible_when_run = false;
  bool topmost_when_run = false;
  Hwnd capture_when_run = panel;
  h.desktop.Post([&] {
    ran = true;
    visible_when_run = h.desktop.IsVisible(panel);
    topmost_when_run = h.desktop.IsTopmost(panel);
    capture_when_run = h.desktop.GetCapture();
  });
  h.ShowPanel();
  EXPECT_TRUE(ran);
  EXPECT_EQ(h.desktop.PendingMessages(), 0u);
  // The first pump runs once the window is up and before the capture is taken.
  EXPECT_TRUE(visible_when_run);
  EXPECT_TRUE(topmost_when_run);
  EXPECT_EQ(capture_when_run, kNoWindow);
}

TEST(ShowCalendar, HidingPumpsNoMessages) {
  Harness h;
  h.ShowPanel();
  bool ran = false;
  h.desktop.Post([&] { ran = true; });
  h.HidePanel();
  EXPECT_FALSE(ran);
  EXPECT_EQ(h.desktop.PendingMessages(), 1u);
}

TEST(ShowCalendar, DestroyingTheControlWithThePanelOpenReleasesTheCapture) {
  Harness h;
  h.FocusField();
  h.ShowPanel();
  ASSERT_EQ(h.desktop.GetCapture(), h.panel().hWnd());
  const Hwnd panel = h.panel().hWnd();
  h.ClearLog();
  h.control.reset();
  EXPECT_EQ(h.desktop.GetCapture(), kNoWindow);
  // Released on purpose, not left to the window's destruction.
  ASSERT_FALSE(h.desktop.Calls().empty());
  EXPECT_EQ(h.desktop.FormattedCalls().front(), "ReleaseCapture");
  EXPECT_FALSE(h.desktop.IsWindow(panel) && h.desktop.IsVisible(panel));
  // Nothing reaches the host from a control being taken apart, not even the field's loss of
  // focus.
  EXPECT_TRUE(h.host.Log().empty());
}

TEST(ShowCalendar, DestroyingTheControlLeavesAnotherWindowsCaptureAlone) {
  Harness h;
  auto other = h.desktop.CreateContainer("Form2", 700, 100, 100, 100);
  h.desktop.SetCapture(other->hWnd());
  h.control.reset();
  EXPECT_EQ(h.desktop.GetCapture(), other->hWnd());
}

}  // namespace
}  // namespace datewell
