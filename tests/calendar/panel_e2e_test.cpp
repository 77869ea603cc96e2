// The open calendar panel on the headless desktop, driven by the mouse at screen pixels: the
// cases the scenarios do not walk through (other buttons, the edges of the cells, the marks,
// moves far off the month list) and what no transcript shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/test_print.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using testing::HarnessOptions;

constexpr OleColor kMarkBack = 0x800000u;

// A point of the panel, in its client pixels, on the screen.
Point PanelPixel(Harness& h, std::int32_t x, std::int32_t y) {
  const Rect r = h.desktop.ScreenRect(h.panel().hWnd());
  return {r.left + x, r.top + y};
}

// Opens the panel for a date, as a user would after typing it: the drop-down fills the grid
// from the field.
void OpenFor(Harness& h, Date d) {
  h.field().SetText(h.Format(d, kLongDate));
  h.control->DropDown();
  ASSERT_TRUE(h.PanelOpen());
  h.ClearLog();
}

// The month the grid shows, read the way the control reads it: from the mid-month cell.
std::string ShownMonth(Harness& h) {
  const auto mid = h.locale.RecogniseDate(h.w.lblDate[kMidMonthCell]->Tag());
  return mid ? h.Format(*mid, kMonthYearMask) : "(no date)";
}

int MarkedCells(Harness& h) {
  int marked = 0;
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    const Label& cell = *h.w.lblDate[static_cast<std::size_t>(i)];
    marked += cell.BackColor() == kMarkBack || cell.BorderStyle() == kBorderFixedSingle;
  }
  return marked;
}

// ---- Presses on the button row and elsewhere on the panel --------------------------------

struct PressCase {
  std::string name;
  Point client;
  std::int16_t button;
  int months;       // the step the grid takes
  bool shows_list;  // while the button is down
};

class PanelPress : public ::testing::TestWithParam<PressCase> {};

TEST_P(PanelPress, StepsShowsTheListOrDoesNothingAndStaysOpen) {
  const PressCase& c = GetParam();
  Harness h;
  const Date shown = Harness::D(2011, 1, 31);
  OpenFor(h, shown);
  const std::string text = h.field().Text();
  const Point p = PanelPixel(h, c.client.x, c.client.y);
  h.desktop.MouseDown(p.x, p.y, c.button);
  EXPECT_EQ(h.list().Visible(), c.shows_list);
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  h.desktop.MouseUp(p.x, p.y, c.button);
  const std::string expected = h.Format(h.locale.MonthAdd(shown, c.months), kMonthYearMask);
  EXPECT_EQ(ShownMonth(h), expected);
  EXPECT_EQ(h.w.lblMonthYear->Caption(), expected);
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_FALSE(h.list().Visible());
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  EXPECT_EQ(h.field().Text(), text);
  EXPECT_EQ(h.host.Events(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Points, PanelPress,
    ::testing::Values(PressCase{"LeftEdgeOfPrevButton", {5, 10}, kLeftButton, -1, false},
                      // The prev button's right edge is the caption strip's first pixel.
                      PressCase{"X35OpensTheList", {35, 10}, kLeftButton, 0, true},
                      PressCase{"WeekdayHeaderRow", {50, 30}, kLeftButton, 0, false},
                      PressCase{"RightButtonActsAsLeft", {5, 10}, kRightButton, -1, false},
                      PressCase{"MiddleButtonActsAsLeft", {140, 10}, kMiddleButton, 1, false}),
    [](const auto& info) { return info.param.name; });

TEST(MonthStep, ForwardFromTheSelected31stOfJanuaryShowsFebruaryUnmarked) {
  Harness h;
  OpenFor(h, Harness::D(2011, 1, 31));
  ASSERT_EQ(MarkedCells(h), 1);
  const Point next = PanelPixel(h, 140, 10);
  h.desktop.Click(next.x, next.y);
  EXPECT_EQ(ShownMonth(h), "February 2011");
  EXPECT_EQ(MarkedCells(h), 0);
  // Not even back in the month of the selected day.
  const Point prev = PanelPixel(h, 10, 10);
  h.desktop.Click(prev.x, prev.y);
  EXPECT_EQ(ShownMonth(h), "January 2011");
  EXPECT_EQ(MarkedCells(h), 0);
}

// ---- The month list ----------------------------------------------------------------------

struct ListMoveCase {
  std::string name;
  std::int32_t move_to_y;  // client pixels of the panel
  int months;
};

class MonthListChoice : public ::testing::TestWithParam<ListMoveCase> {};

TEST_P(MonthListChoice, ReleaseShowsTheHighlightedMonth) {
  const ListMoveCase& c = GetParam();
  HarnessOptions o;
  o.container_y = 300;  // room above the panel to move into
  Harness h(o);
  OpenFor(h, Harness::D(2011, 1, 31));
  const Point caption = PanelPixel(h, 80, 12);
  h.desktop.MouseDown(caption.x, caption.y);
  const Point to = PanelPixel(h, 80, c.move_to_y);
  h.desktop.MouseMove(to.x, to.y, kLeftButton);
  h.desktop.MouseUp(to.x, to.y);
  const std::string expected =
      h.Format(h.locale.MonthAdd(Harness::D(2011, 1, 15), c.months), kMonthYearMask);
  EXPECT_EQ(ShownMonth(h), expected);
  EXPECT_EQ(h.w.lblMonthYear->Caption(), expected);
  EXPECT_FALSE(h.list().Visible());
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  // The mark taken off on the press stays off.
  EXPECT_EQ(MarkedCells(h), 0);
  EXPECT_EQ(h.host.Events(), std::vector<std::string>{});
}

// Bands of 199.3 twips from -500 twips: at 15 twips per pixel the shown month's band is panel
// pixels 7 to 19.
INSTANTIATE_TEST_SUITE_P(Moves, MonthListChoice,
                         ::testing::Values(ListMoveCase{"FarAbove", -250, -3}),
                         [](const auto& info) { return info.param.name; });

// ---- Picking a day -----------------------------------------------------------------------

struct PickCase {
  std::string name;
  std::int32_t format;
  int cell;
  CivilDate date;
};

class DayPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(DayPick, WritesTheDateInTheDisplayFormatRaisesChangeNeverClick) {
  const PickCase& c = GetParam();
  Harness h;
  h.control->SetDateFormat(c.format);
  OpenFor(h, Harness::D(2011, 1, 20));
  h.LeaveField();
  h.ClearLog();
  const Point p = h.LabelCenter(*h.w.lblDate[static_cast<std::size_t>(c.cell)]);
  h.desktop.MouseDown(p.x, p.y);
  h.desktop.MouseUp(p.x, p.y);
  EXPECT_EQ(h.field().Text(),
            h.Format(DateFromCivil(c.date), c.format == ShortDate ? kShortDate : kLongDate));
  EXPECT_EQ(h.host.Count(EventId::Change), 1);
  EXPECT_EQ(h.host.Count(EventId::Click), 0);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "");
  // Picked through the panel, which closed itself first: the focus stays where it was.
  EXPECT_EQ(h.desktop.FocusedName(), "");
  const Label& cell = *h.w.lblDate[static_cast<std::size_t>(c.cell)];
  EXPECT_EQ(cell.BackColor(), kMarkBack);
  EXPECT_EQ(MarkedCells(h), 1);
}

// January 2011: the 1st is lblDate(13).
INSTANTIATE_TEST_SUITE_P(Cells, DayPick,
                         ::testing::Values(PickCase{
                             "DayOfTheMonthBeforeInShortDate", ShortDate, 7, {2010, 12, 26}}),
                         [](const auto& info) { return info.param.name; });

struct EdgeCase {
  std::string name;
  float x, y;  // panel twips
  int picked;  // 0: none
};

class DayCellEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(DayCellEdges, OutlineHitsNothingOneTwipInsideHits) {
  const EdgeCase& c = GetParam();
  Harness h;
  OpenFor(h, Harness::D(2011, 1, 20));
  const std::string before = h.field().Text();
  h.control->DayCellFromPoint(c.x, c.y);
  if (c.picked == 0) {
    EXPECT_EQ(h.field().Text(), before);
    EXPECT_EQ(h.host.Count(EventId::Change), 0);
    EXPECT_TRUE(h.PanelOpen());
  } else {
    const auto date =
        h.locale.RecogniseDate(h.w.lblDate[static_cast<std::size_t>(c.picked)]->Tag());
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(h.field().Text(), h.Format(*date, kLongDate));
    EXPECT_EQ(h.w.lblDate[static_cast<std::size_t>(c.picked)]->BackColor(), kMarkBack);
    // Closed by the pick itself: the focus goes to the field.
    EXPECT_FALSE(h.PanelOpen());
    EXPECT_EQ(h.desktop.FocusedName(), "txtDate");
  }
}

// lblDate(24): row 2, column 3, left 1080, top 1020, 285 by 225 twips. Rows overlap by 15.
INSTANTIATE_TEST_SUITE_P(Points, DayCellEdges,
                         ::testing::Values(EdgeCase{"LeftEdge", 1080, 1100, 0},
                                           EdgeCase{"OneInsideLeft", 1081, 1100, 24},
                                           EdgeCase{"RightEdge", 1365, 1100, 0},
                                           EdgeCase{"OneInsideRight", 1364, 1100, 24},
                                           EdgeCase{"GapBetweenColumns", 1372, 1100, 0},
                                           EdgeCase{"OverlapGoesToTheUpperCell", 1200, 1240, 24},
                                           EdgeCase{"BelowTheOverlap", 1200, 1245, 31},
                                           EdgeCase{"WeekdayHeader", 1200, 450, 0}),
                         [](const auto& info) { return info.param.name; });

// ---- Selection marks ---------------------------------------------------------------------

TEST(HighlightDay, RestoresThePreviousCellWithTheColoursItHadBefore) {
  Harness h;
  h.control->FillMonthGrid(Harness::D(2010, 6, 1));
  Label& a = *h.w.lblDate[10];
  Label& b = *h.w.lblDate[12];
  const OleColor a_fore = a.ForeColor();
  const OleColor b_fore = b.ForeColor();
  const OleColor back = a.BackColor();
  h.control->HighlightDay(10);
  EXPECT_EQ(a.ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(a.BackColor(), kMarkBack);
  EXPECT_EQ(a.BorderStyle(), kBorderFixedSingle);
  EXPECT_EQ(a.BackStyle(), kBackOpaque);
  h.control->HighlightDay(12);
  h.control->HighlightDay(12);  // twice: the saved colours are not the mark's
  EXPECT_EQ(a.ForeColor(), a_fore);
  EXPECT_EQ(a.BackColor(), back);
  EXPECT_EQ(a.BorderStyle(), kBorderNone);
  EXPECT_EQ(a.BackStyle(), kBackOpaque);  // not restored; the back colour hides it
  h.control->HighlightDay(14);
  EXPECT_EQ(b.ForeColor(), b_fore);
  EXPECT_EQ(b.BackColor(), back);
  EXPECT_EQ(MarkedCells(h), 1);
}

// ---- The grid in the labels --------------------------------------------------------------

TEST(FillMonthGrid, TagsReadBackCaptionsAndHeadersStay) {
  Harness h;
  const Date first = Harness::D(2004, 1, 1);
  h.control->HighlightDay(20);
  h.control->FillMonthGrid(first);
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    const Label& cell = *h.w.lblDate[static_cast<std::size_t>(i)];
    const Date expected = h.locale.DateAdd(Harness::D(2003, 12, 28), i - kDayCellFirst);
    const auto back = h.locale.RecogniseDate(cell.Tag());
    ASSERT_TRUE(back.has_value()) << cell.Tag();
    EXPECT_EQ(*back, expected) << cell.Tag();
    EXPECT_EQ(h.control->ParseDateText(cell.Tag()), expected) << cell.Tag();
    EXPECT_EQ(cell.Caption(), std::to_string(CivilFromDate(expected).day));
  }
  const std::vector<std::string> headers{"S", "M", "T", "W", "T", "F", "S"};
  for (std::size_t i = 0; i < headers.size(); ++i) {
    EXPECT_EQ(h.w.lblDate[i]->Caption(), headers[i]);
  }
  // The marked cell keeps its mark's back colour and border; its text colour is rewritten.
  EXPECT_EQ(h.w.lblDate[20]->BackColor(), kMarkBack);
  EXPECT_EQ(h.w.lblDate[20]->BorderStyle(), kBorderFixedSingle);
  EXPECT_EQ(h.w.lblDate[20]->ForeColor(), 0u);
}

TEST(PanelFocus, SelectsFromTheSelectionStartToTheEndOfTheText) {
  for (const int start : {0, 2}) {
    Harness h;
    h.field().SetText("März 2004");
    h.field().SetSelStart(start);
    h.field().SetSelLength(0);
    h.control->picCalendar_GotFocus();
    EXPECT_EQ(h.field().SelStart(), start);
    EXPECT_EQ(h.field().SelLength(), 9 - start);
  }
}

// ---- Painting ----------------------------------------------------------------------------

TEST(PanelPaint, ArrowsAreDrawnInBlackWhateverThePanelsForeColour) {
  Harness h;
  OpenFor(h, Harness::D(2010, 6, 15));
  h.panel().SetForeColor(kColorWindowText);
  const auto first = headless::FormatDrawCalls(h.desktop.Repaint(h.panel().hWnd()));
  EXPECT_EQ(first.size(), 13u);
  EXPECT_EQ(h.panel().ForeColor(), 0u);
  int lines = 0;
  for (const auto& call : h.desktop.Drawing(h.panel().hWnd())) {
    if (call.kind == headless::DrawCall::Kind::Line) {
      EXPECT_EQ(call.color, 0u);
      ++lines;
    }
  }
  EXPECT_EQ(lines, 10);
  EXPECT_EQ(headless::FormatDrawCalls(h.desktop.Repaint(h.panel().hWnd())), first);
}

}  // namespace
}  // namespace datewell
