// The drop-down on the headless desktop: the floating windows' style and the window calls
// behind each step, which no transcript shows.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;

// ---- Lifecycle ---------------------------------------------------------------------------

TEST(ControlLifecycle, ShownControlPutsPanelAndListOnTheDesktopWithToolStyle) {
  Harness h;
  const Hwnd desktop = h.desktop.GetDesktopWindow();
  for (const Hwnd hwnd : {h.panel().hWnd(), h.list().hWnd()}) {
    const auto info = h.desktop.Inspect(hwnd);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->parent, desktop) << info->name;
    EXPECT_TRUE(info->ex_style & WS_EX_TOOLWINDOW) << info->name;
    EXPECT_FALSE(info->visible) << info->name;
  }
}

// ---- The window calls behind each step ---------------------------------------------------

TEST(WindowCalls, BehindEachStepInThisOrder) {
  const auto open = [](Harness& h) { h.control->DropDown(); };
  const struct {
    const char* name;
    std::function<void(Harness&)> setup, act;
    std::vector<std::string> calls;
  } rows[] = {
      // Placed (panel, then list), then shown topmost without activation, then captured.
      {"open",
       [](Harness&) {},
       open,
       {"SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
        "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11",
        "SetWindowPos picCalendar HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}},
      // The list is shown, and the capture goes to the panel, not to the list.
      {"a press on the caption",
       open,
       [](Harness& h) {
         const Point caption = h.PanelPixel(80, 12);
         h.desktop.MouseDown(caption.x, caption.y);
       },
       {"ReleaseCapture", "SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
        "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11",
        "SetWindowPos lstSelectMonth HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}},
      {"hiding the control",
       open,
       [](Harness& h) { h.w.surface->SetVisible(false); },
       {"SetParent picCalendar Datewell1", "SetParent lstSelectMonth Datewell1", "ReleaseCapture",
        "SetWindowPos picCalendar HWND_NOTOPMOST 0,0,0,0 0x93"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    row.setup(h);
    h.ClearLog();
    row.act(h);
    EXPECT_EQ(h.desktop.FormattedCalls(), row.calls);
  }
}

}  // namespace
}  // namespace datewell
