// The drop-down on the headless desktop: what the scenarios do not walk through (the window
// calls behind each step, the corner placement at 12 twips per pixel, the cell marked on
// opening) and what no transcript shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "calendar/test_print.h"
#include "support/harness.h"

namespace datewell {
namespace {

using headless::WindowCall;
using testing::Harness;
using testing::HarnessOptions;

int CountPanelShows(Harness& h, std::uint32_t flag) {
  const Hwnd panel = h.panel().hWnd();
  return static_cast<int>(
      std::count_if(h.desktop.Calls().begin(), h.desktop.Calls().end(), [&](const WindowCall& c) {
        return c.kind == WindowCall::Kind::SetWindowPos && c.hwnd == panel && (c.flags & flag);
      }));
}

// ---- Members and lifecycle ---------------------------------------------------------------

TEST(DropDownMembers, DropDownTwiceOpensOnceCloseUpTwiceClosesOnce) {
  Harness h;
  h.control->DropDown();
  h.control->DropDown();
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_EQ(CountPanelShows(h, SWP_SHOWWINDOW), 1);
  h.desktop.ClearCalls();
  h.control->CloseUp();
  h.control->CloseUp();
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(CountPanelShows(h, SWP_HIDEWINDOW), 1);
  EXPECT_FALSE(h.control->Dropped()) << "neither touches the stored flag";
}

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

// ---- Placement ---------------------------------------------------------------------------

// The control is 151 by 25 pixels at 12 twips per pixel; the work area 1024 by 738. (At 15 the
// screen-edges scenario shows each edge.) The panel opens (45 + 1815 - 24 - 2475) / 12 = -53.25
// from the control's left and (45 + 240 + 24) / 12 = 25.75 below its top: at (1000, 720) that
// passes 1024, so it is pulled to round(817.75), and 738, so it is flipped by
// (300 + 2475) / 12 = 231.25 to round(514.75).
TEST(PanelOnScreen, NearTheBottomRightCornerOpensAboveAndPulledLeft) {
  HarnessOptions o;
  o.container_x = 1000;
  o.container_y = 720;
  o.twips_per_pixel = 12;
  Harness h(o);
  const Rect face = h.desktop.ScreenRect(h.w.surface->hWnd());
  h.desktop.Click(face.right - 10, face.top + 10);  // the middle of the drop button
  ASSERT_TRUE(h.PanelOpen());
  EXPECT_EQ(h.desktop.ScreenRect(h.panel().hWnd()), (Rect{818, 515, 1024, 721}));
  EXPECT_EQ(h.control->PanelPosition(), (Point{818, 515}));
  EXPECT_EQ(h.control->ListPosition(), (Point{858, 481}));
  const Rect list = h.desktop.ScreenRect(h.list().hWnd());
  EXPECT_EQ((Point{list.left, list.top}), (Point{858, 481}));
}

// ---- Highlight on opening ----------------------------------------------------------------

TEST(OpenMarksTheFieldsDate, ExactlyThatCellIsMarked) {
  const struct {
    const char* name;
    CivilDate date;
    int cell;
  } rows[] = {
      {"1 January 2004", {2004, 1, 1}, 11},
      {"the sixth row after a Sunday 1st", {2021, 8, 31}, 44},
      {"a leap day", {2004, 2, 29}, 42},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.field().SetText(h.Format(DateFromCivil(row.date), kLongDate));
    h.control->DropDown();
    for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
      const Label& cell = *h.w.lblDate[static_cast<std::size_t>(i)];
      const bool marked = cell.BackColor() == 0x800000u && cell.BorderStyle() == kBorderFixedSingle;
      EXPECT_EQ(marked, i == row.cell) << "lblDate(" << i << ")";
    }
    EXPECT_EQ(h.w.lblMonthYear->Caption(), h.Format(DateFromCivil(row.date), kMonthYearMask));
  }
}

}  // namespace
}  // namespace datewell
