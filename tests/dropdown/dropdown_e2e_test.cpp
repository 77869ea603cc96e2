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

void PressDropButton(Harness& h) {
  const Point p = DropButton(h);
  h.desktop.MouseDown(p.x, p.y);
}

void ReleaseDropButton(Harness& h) {
  const Point p = DropButton(h);
  h.desktop.MouseUp(p.x, p.y);
}

void ClickDropButton(Harness& h) {
  PressDropButton(h);
  ReleaseDropButton(h);
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
  PressDropButton(h);
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

struct KeyStep {
  bool down;
  std::int16_t key;
};

struct KeyCase {
  std::string name;
  bool open_before;
  std::vector<KeyStep> keys;
  bool open_after;
};

class PanelKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PanelKeys, ToggleCloseOrLeaveAlone) {
  const KeyCase& c = GetParam();
  Harness h;
  h.FocusField();
  if (c.open_before) {
    h.control->DropDown();
    ASSERT_TRUE(h.PanelOpen());
  }
  for (const KeyStep& k : c.keys) {
    if (k.down) {
      h.desktop.KeyDown(k.key);
    } else {
      h.desktop.KeyUp(k.key);
    }
  }
  EXPECT_EQ(h.PanelOpen(), c.open_after);
  EXPECT_EQ(h.desktop.CaptureName(), c.open_after ? "picCalendar" : "");
}

const std::vector<KeyStep> kAltDown{
    {true, kKeyMenu}, {true, kKeyDown}, {false, kKeyDown}, {false, kKeyMenu}};

INSTANTIATE_TEST_SUITE_P(
    Keys, PanelKeys,
    ::testing::Values(KeyCase{"DownAloneDoesNotOpen", false, {{true, kKeyDown}}, false},
                      KeyCase{"AltDownOpens", false, kAltDown, true},
                      KeyCase{"AltDownCloses", true, kAltDown, false},
                      KeyCase{"CtrlAloneKeepsOpen", true, {{true, kKeyControl}}, true},
                      KeyCase{
                          "CtrlDownCloses", true, {{true, kKeyControl}, {true, kKeyDown}}, false},
                      KeyCase{"LetterCloses", true, {{true, 'A'}}, false}),
    [](const auto& info) { return info.param.name; });

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

struct CallsCase {
  std::string name;
  std::function<void(Harness&)> setup;
  std::function<void(Harness&)> act;
  std::vector<std::string> calls;
};

class WindowCalls : public ::testing::TestWithParam<CallsCase> {};

TEST_P(WindowCalls, InThisOrder) {
  const CallsCase& c = GetParam();
  Harness h;
  c.setup(h);
  h.ClearLog();
  c.act(h);
  EXPECT_EQ(h.desktop.FormattedCalls(), c.calls);
}

void Nothing(Harness&) {}
void Open(Harness& h) {
  h.control->DropDown();
}
// The month caption of the open panel, at its screen pixel.
void PressCaption(Harness& h) {
  const Rect r = h.desktop.ScreenRect(h.panel().hWnd());
  h.desktop.MouseDown(r.left + 80, r.top + 12);
}
INSTANTIATE_TEST_SUITE_P(
    Steps, WindowCalls,
    ::testing::Values(
        // Placed (panel, then list), then shown topmost without activation, then captured.
        CallsCase{"Open",
                  Nothing,
                  Open,
                  {"SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
                   "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11",
                   "SetWindowPos picCalendar HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}},
        // The list is shown, and the capture goes to the panel, not to the list.
        CallsCase{
            "PressOnTheCaption",
            Open,
            PressCaption,
            {"ReleaseCapture", "SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
             "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11",
             "SetWindowPos lstSelectMonth HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}},
        CallsCase{"HideTheControl",
                  Open,
                  [](Harness& h) { h.w.surface->SetVisible(false); },
                  {"SetParent picCalendar Datewell1", "SetParent lstSelectMonth Datewell1",
                   "ReleaseCapture", "SetWindowPos picCalendar HWND_NOTOPMOST 0,0,0,0 0x93"}}),
    [](const auto& info) { return info.param.name; });

// ---- Placement ---------------------------------------------------------------------------

struct PlaceCase {
  std::string name;
  std::int32_t container_x, container_y;
  float tpp;
  Rect panel;  // on the screen
  Point list;
};

class PanelOnScreen : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PanelOnScreen, OpensWhereThereIsRoom) {
  const PlaceCase& c = GetParam();
  HarnessOptions o;
  o.container_x = c.container_x;
  o.container_y = c.container_y;
  o.twips_per_pixel = c.tpp;
  Harness h(o);
  ClickDropButton(h);
  ASSERT_TRUE(h.PanelOpen());
  EXPECT_EQ(h.desktop.ScreenRect(h.panel().hWnd()), c.panel);
  EXPECT_EQ(h.control->PanelPosition(), (Point{c.panel.left, c.panel.top}));
  EXPECT_EQ(h.control->ListPosition(), c.list);
  const Rect list = h.desktop.ScreenRect(h.list().hWnd());
  EXPECT_EQ((Point{list.left, list.top}), c.list);
}

// The control is 121 by 21 pixels at 15 twips per pixel; the work area 1024 by 738.
INSTANTIATE_TEST_SUITE_P(
    Places, PanelOnScreen,
    ::testing::Values(
        // (45 + 1815 - 30 - 2475) / 15 = -43 from the control's left, two pixels below the
        // field (100 + 21).
        // Near the bottom-right corner: pulled left to 1024 - 165 and flipped above so that
        // its bottom is the control's top.
        PlaceCase{"BottomRightCorner", 950, 700, 15, {859, 535, 1024, 700}, {899, 501}},
        // (45 + 1815 - 24 - 2475) / 12 = -53.25 and (45 + 240 + 24) / 12 = 25.75.
        // 1000 - 53 + 206.25 passes 1024: pulled to round(817.75); 720 + 26 + 206.25 passes
        // 738: flipped by (300 + 2475) / 12 = 231.25 to round(514.75).
        PlaceCase{"BottomRightCornerAt12", 1000, 720, 12, {818, 515, 1024, 721}, {858, 481}}),
    [](const auto& info) { return info.param.name; });

// ---- Highlight on opening ----------------------------------------------------------------

struct OpenDayCase {
  std::string name;
  CivilDate date;
  int cell;
};

class OpenMarksTheFieldsDate : public ::testing::TestWithParam<OpenDayCase> {};

TEST_P(OpenMarksTheFieldsDate, ExactlyThatCellIsMarked) {
  const OpenDayCase& c = GetParam();
  Harness h;
  h.field().SetText(h.Format(DateFromCivil(c.date), kLongDate));
  h.control->DropDown();
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    const Label& cell = *h.w.lblDate[static_cast<std::size_t>(i)];
    const bool marked = cell.BackColor() == 0x800000u && cell.BorderStyle() == kBorderFixedSingle;
    EXPECT_EQ(marked, i == c.cell) << "lblDate(" << i << ")";
  }
  EXPECT_EQ(h.w.lblMonthYear->Caption(), h.Format(DateFromCivil(c.date), kMonthYearMask));
}

INSTANTIATE_TEST_SUITE_P(Days, OpenMarksTheFieldsDate,
                         ::testing::Values(OpenDayCase{"FirstOfJanuary2004", {2004, 1, 1}, 11},
                                           OpenDayCase{
                                               "SixthRowAfterSundayFirst31st", {2021, 8, 31}, 44},
                                           OpenDayCase{"LeapDay", {2004, 2, 29}, 42}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
