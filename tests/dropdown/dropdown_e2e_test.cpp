// The drop-down on the headless desktop, driven by mouse and keys at screen pixels: opening and
// closing with the drop button and the keys, placing the panel, the face, and hiding the control.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "calendar/test_print.h"
#include "support/harness.h"

namespace datewell {
namespace {

using headless::DrawCall;
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

// The drop button's state as last painted on the face.
std::uint32_t LastButtonState(Harness& h) {
  const auto drawing = h.desktop.Drawing(h.w.surface->hWnd());
  for (auto it = drawing.rbegin(); it != drawing.rend(); ++it) {
    if (it->kind == DrawCall::Kind::DrawFrameControl) {
      return it->b;
    }
  }
  ADD_FAILURE() << "the face drew no button";
  return 0;
}

int CountPanelShows(Harness& h, std::uint32_t flag) {
  const Hwnd panel = h.panel().hWnd();
  return static_cast<int>(
      std::count_if(h.desktop.Calls().begin(), h.desktop.Calls().end(), [&](const WindowCall& c) {
        return c.kind == WindowCall::Kind::SetWindowPos && c.hwnd == panel && (c.flags & flag);
      }));
}

TEST(DropButton, PressOpensTheReleaseRetakesTheCaptureAndRaisesTheButton) {
  Harness h;
  PressDropButton(h);
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_TRUE(h.desktop.IsTopmost(h.panel().hWnd()));
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  EXPECT_TRUE(h.control->IsButtonPressed());
  EXPECT_EQ(LastButtonState(h), DFCS_SCROLLDOWN | DFCS_PUSHED);

  h.desktop.ClearCalls();
  ReleaseDropButton(h);
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  EXPECT_EQ(h.desktop.FormattedCalls(), std::vector<std::string>{"SetCapture picCalendar"});
  EXPECT_FALSE(h.control->IsButtonPressed());
  EXPECT_EQ(LastButtonState(h), DFCS_SCROLLDOWN);
}

TEST(DropButton, PressOnTheFrameOutsideTheButtonDoesNothing) {
  Harness h;
  const Rect face = h.desktop.ScreenRect(h.w.surface->hWnd());
  // The top pixel row of the face lies above the button's hit rectangle.
  h.desktop.MouseDown(face.right - 10, face.top);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_FALSE(h.control->IsButtonPressed());
}

TEST(DropButton, SecondPressReachesThePanelAndClosesItWithoutPushingTheButton) {
  Harness h;
  ClickDropButton(h);
  PressDropButton(h);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "");
  EXPECT_FALSE(h.control->IsButtonPressed());
}

TEST(DropButton, PressOutsideThePanelClosesIt) {
  Harness h;
  ClickDropButton(h);
  h.desktop.MouseDown(900, 650);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_FALSE(h.desktop.IsTopmost(h.panel().hWnd()));
  EXPECT_EQ(h.desktop.CaptureName(), "");
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

struct SizeCase {
  std::string name;
  float width, height;
  float tpp;
  float expected_height;
};

class FaceResize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FaceResize, HeightIsForcedAndTheFieldFollowsTheWidth) {
  const SizeCase& c = GetParam();
  HarnessOptions o;
  o.twips_per_pixel = c.tpp;
  Harness h(o);
  float width = c.width;
  float height = c.height;
  h.control->Size(width, height);
  EXPECT_FLOAT_EQ(h.w.surface->Width(), c.width);
  EXPECT_FLOAT_EQ(h.w.surface->Height(), c.expected_height);
  EXPECT_FLOAT_EQ(h.field().Width(), c.width - 22 * c.tpp);
  EXPECT_FLOAT_EQ(h.field().Height(), 240);
  // The button's hit rectangle follows the final size.
  const Rect hit = h.control->ButtonRectTwips();
  EXPECT_EQ(hit.bottom, static_cast<std::int32_t>(c.expected_height - c.tpp));
  EXPECT_LT(hit.left, hit.right);
  EXPECT_GT(h.host.Count(EventId::Resize), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FaceResize,
                         ::testing::Values(SizeCase{"TallAt15", 2000, 1000, 15, 315},
                                           SizeCase{"ShortAt15", 1200, 100, 15, 315},
                                           SizeCase{"WideAt12", 3000, 600, 12, 300}),
                         [](const auto& info) { return info.param.name; });

TEST(FacePaint, ButtonThenSunkenEdgeOverTheWholeFace) {
  Harness h;
  float width = 1500;
  float height = 315;
  h.control->Size(width, height);
  EXPECT_EQ(
      headless::FormatDrawCalls(h.desktop.Repaint(h.w.surface->hWnd())),
      (std::vector<std::string>{"DrawFrameControl 82,2,98,19 3 1", "DrawEdge 0,0,100,21 10 15"}));
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
    ::testing::Values(KeyCase{"UpOpens", false, {{true, kKeyUp}, {false, kKeyUp}}, true},
                      KeyCase{"UpCloses", true, {{true, kKeyUp}, {false, kKeyUp}}, false},
                      KeyCase{"DownAloneDoesNotOpen", false, {{true, kKeyDown}}, false},
                      KeyCase{"DownAloneCloses", true, {{true, kKeyDown}}, false},
                      KeyCase{"AltDownOpens", false, kAltDown, true},
                      KeyCase{"AltDownCloses", true, kAltDown, false},
                      KeyCase{"ShiftAloneKeepsOpen", true, {{true, kKeyShift}}, true},
                      KeyCase{"CtrlAloneKeepsOpen", true, {{true, kKeyControl}}, true},
                      KeyCase{
                          "CtrlDownCloses", true, {{true, kKeyControl}, {true, kKeyDown}}, false},
                      KeyCase{"LetterCloses", true, {{true, 'A'}}, false},
                      KeyCase{"EscapeCloses", true, {{true, kKeyEscape}}, false}),
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

TEST(ControlLifecycle, HidingRaisesHideFirstThenTakesThePanelBackAndClosesIt) {
  Harness h;
  ClickDropButton(h);
  h.ClearLog();
  h.w.surface->SetVisible(false);
  const auto events = h.host.Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "Hide");
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "");
  EXPECT_EQ(h.desktop.GetParent(h.panel().hWnd()), h.w.surface->hWnd());
  EXPECT_EQ(h.desktop.GetParent(h.list().hWnd()), h.w.surface->hWnd());
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
void ReleaseCaption(Harness& h) {
  const Rect r = h.desktop.ScreenRect(h.panel().hWnd());
  h.desktop.MouseUp(r.left + 80, r.top + 12);
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
        CallsCase{"CloseWithTheToggle",
                  Open,
                  [](Harness& h) { h.control->CloseUp(); },
                  {"SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
                   "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11", "ReleaseCapture",
                   "SetWindowPos picCalendar HWND_NOTOPMOST 0,0,0,0 0x93"}},
        CallsCase{"PressOutside",
                  Open,
                  [](Harness& h) { h.desktop.MouseDown(900, 650); },
                  {"ReleaseCapture", "SetWindowPos picCalendar HWND_NOTOPMOST 0,0,0,0 0x93",
                   "ReleaseCapture"}},
        // The list is shown, and the capture goes to the panel, not to the list.
        CallsCase{
            "PressOnTheCaption",
            Open,
            PressCaption,
            {"ReleaseCapture", "SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
             "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11",
             "SetWindowPos lstSelectMonth HWND_TOPMOST 0,0,0,0 0x53", "SetCapture picCalendar"}},
        CallsCase{"ReleaseOverTheList",
                  [](Harness& h) {
                    Open(h);
                    PressCaption(h);
                  },
                  ReleaseCaption,
                  {"ReleaseCapture", "SetWindowPos lstSelectMonth HWND_NOTOPMOST 0,0,0,0 0x93",
                   "SetCapture picCalendar"}},
        CallsCase{"HideTheControl",
                  Open,
                  [](Harness& h) { h.w.surface->SetVisible(false); },
                  {"SetParent picCalendar Datewell1", "SetParent lstSelectMonth Datewell1",
                   "ReleaseCapture", "SetWindowPos picCalendar HWND_NOTOPMOST 0,0,0,0 0x93"}},
        CallsCase{"ShowTheControlAgain",
                  [](Harness& h) { h.w.surface->SetVisible(false); },
                  [](Harness& h) { h.w.surface->SetVisible(true); },
                  {"SetParent picCalendar desktop", "SetParent lstSelectMonth desktop",
                   "SetWindowPos picCalendar HWND_TOP 57,121,0,0 0x11",
                   "SetWindowPos lstSelectMonth HWND_TOP 97,87,0,0 0x11"}}),
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
        PlaceCase{"BelowTheField", 100, 100, 15, {57, 121, 222, 286}, {97, 87}},
        // Near the bottom-right corner: pulled left to 1024 - 165 and flipped above so that
        // its bottom is the control's top.
        PlaceCase{"BottomRightCorner", 950, 700, 15, {859, 535, 1024, 700}, {899, 501}},
        PlaceCase{"OffTheLeft", 10, 100, 15, {0, 121, 165, 286}, {40, 87}},
        PlaceCase{"AtTheTop", 100, 0, 15, {57, 21, 222, 186}, {97, 0}},
        // (45 + 1815 - 24 - 2475) / 12 = -53.25 and (45 + 240 + 24) / 12 = 25.75.
        PlaceCase{"BelowTheFieldAt12", 100, 100, 12, {47, 126, 253, 332}, {87, 92}},
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

INSTANTIATE_TEST_SUITE_P(
    Days, OpenMarksTheFieldsDate,
    ::testing::Values(OpenDayCase{"FirstOfJanuary2004", {2004, 1, 1}, 11},
                      OpenDayCase{"SixthRowAfterSaturdayFirst", {2011, 1, 31}, 43},
                      OpenDayCase{"SixthRowAfterSundayFirst30th", {2021, 8, 30}, 43},
                      OpenDayCase{"SixthRowAfterSundayFirst31st", {2021, 8, 31}, 44},
                      OpenDayCase{"LeapDay", {2004, 2, 29}, 42}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace datewell
