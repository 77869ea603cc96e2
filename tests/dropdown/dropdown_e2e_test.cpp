// The drop-down on the headless desktop, driven by mouse and keys at screen pixels: what the
// scenarios do not walk through (the keys as a keyboard sends them, the window calls behind each
// step, the corner placements, the cell marked on opening) and what no transcript shows.

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

// The middle of the drop button, 10 pixels in from the face's right and top.
Point DropButton(Harness& h) {
  const Rect face = h.desktop.ScreenRect(h.w.surface->hWnd());
  return {face.right - 10, face.top + 10};
}

void ClickDropButton(Harness& h) {
  h.desktop.Click(DropButton(h).x, DropButton(h).y);
}

int CountPanelShows(Harness& h, std::uint32_t flag) {
  const Hwnd panel = h.panel().hWnd();
  return static_cast<int>(
      std::count_if(h.desktop.Calls().begin(), h.desktop.Calls().end(), [&](const WindowCall& c) {
        return c.kind == WindowCall::Kind::SetWindowPos && c.hwnd == panel && (c.flags & flag);
      }));
}

TEST(DropButton, SecondPressReachesThePanelAndClosesItWithoutPushingTheButton) {
  Harness h;
  ClickDropButton(h);
  h.desktop.MouseDown(DropButton(h).x, DropButton(h).y);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "");
  EXPECT_FALSE(h.control->IsButtonPressed());
}

TEST(DropButton, NarrowedControlKeepsAWorkingButton) {
  Harness h;
  float width = 1500;
  float height = 315;
  h.control->Size(width, height);
  EXPECT_FLOAT_EQ(h.field().Width(), 1500 - 22 * 15);
  ClickDropButton(h);
  EXPECT_TRUE(h.PanelOpen());
}

// ---- Keys --------------------------------------------------------------------------------

TEST(PanelKeys, ToggleCloseOrLeaveAlone) {
  using Keys = std::vector<std::pair<bool, std::int16_t>>;  // down or up, key
  // As a keyboard sends Alt+Down.
  const Keys alt_down{{true, kKeyMenu}, {true, kKeyDown}, {false, kKeyDown}, {false, kKeyMenu}};
  const struct {
    const char* name;
    bool open_before;
    Keys keys;
    bool open_after;
  } rows[] = {
      {"Down alone does not open", false, {{true, kKeyDown}}, false},
      {"Alt+Down opens", false, alt_down, true},
      {"Alt+Down closes", true, alt_down, false},
      {"Ctrl alone keeps it open", true, {{true, kKeyControl}}, true},
      {"Ctrl+Down closes", true, {{true, kKeyControl}, {true, kKeyDown}}, false},
      {"a letter closes", true, {{true, 'A'}}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.FocusField();
    if (row.open_before) {
      h.control->DropDown();
      ASSERT_TRUE(h.PanelOpen());
    }
    for (const auto& [down, key] : row.keys) {
      if (down) {
        h.desktop.KeyDown(key);
      } else {
        h.desktop.KeyUp(key);
      }
    }
    EXPECT_EQ(h.PanelOpen(), row.open_after);
    EXPECT_EQ(h.desktop.CaptureName(), row.open_after ? "picCalendar" : "");
  }
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

// The control is 121 by 21 pixels at 15 twips per pixel; the work area 1024 by 738.
TEST(PanelOnScreen, NearTheBottomRightCornerOpensAboveAndPulledLeft) {
  const struct {
    const char* name;
    std::int32_t container_x, container_y;
    float tpp;
    Rect panel;  // on the screen
    Point list;
  } rows[] = {
      // (45 + 1815 - 30 - 2475) / 15 = -43 from the control's left, two pixels below the field
      // (100 + 21). Pulled left to 1024 - 165 and flipped above so that its bottom is the
      // control's top.
      {"at 15 twips per pixel", 950, 700, 15, {859, 535, 1024, 700}, {899, 501}},
      // (45 + 1815 - 24 - 2475) / 12 = -53.25 and (45 + 240 + 24) / 12 = 25.75.
      // 1000 - 53 + 206.25 passes 1024: pulled to round(817.75); 720 + 26 + 206.25 passes
      // 738: flipped by (300 + 2475) / 12 = 231.25 to round(514.75).
      {"at 12 twips per pixel", 1000, 720, 12, {818, 515, 1024, 721}, {858, 481}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HarnessOptions o;
    o.container_x = row.container_x;
    o.container_y = row.container_y;
    o.twips_per_pixel = row.tpp;
    Harness h(o);
    ClickDropButton(h);
    ASSERT_TRUE(h.PanelOpen());
    EXPECT_EQ(h.desktop.ScreenRect(h.panel().hWnd()), row.panel);
    EXPECT_EQ(h.control->PanelPosition(), (Point{row.panel.left, row.panel.top}));
    EXPECT_EQ(h.control->ListPosition(), row.list);
    const Rect list = h.desktop.ScreenRect(h.list().hWnd());
    EXPECT_EQ((Point{list.left, list.top}), row.list);
  }
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
