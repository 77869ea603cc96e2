// Showing and hiding the floating windows: the exact window calls, the capture that goes with
// them, and the message pumps that run pending messages inside. (That the field keeps the focus
// the keys scenario shows.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using Calls = std::vector<std::string>;
using testing::Harness;

// Hiding, even a window already hidden while another window holds the capture, releases the
// capture and drops topmost. (Showing, and hiding the open panel, the drop-down's window calls
// show.)
TEST(ShowCalendar, HidingReleasesTheCapture) {
  const struct {
    const char* name;
    bool list, shown_before;
  } rows[] = {
      {"hiding the shown list", true, true},
      {"hiding an already hidden panel", false, false},
      {"hiding an already hidden list", true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    const Hwnd window = row.list ? h.list().hWnd() : h.panel().hWnd();
    const std::string name(row.list ? "lstSelectMonth" : "picCalendar");
    if (row.shown_before) {
      h.control->ShowCalendar(window, true);
    } else {
      h.desktop.SetCapture(h.field().hWnd());  // some other window of the thread holds it
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
