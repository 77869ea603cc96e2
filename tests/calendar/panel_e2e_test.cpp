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

TEST(PanelPress, StepsShowsTheListOrDoesNothingAndStaysOpen) {
  const struct {
    const char* name;
    Point client;
    std::int16_t button;
    int months;       // the step the grid takes
    bool shows_list;  // while the button is down
  } rows[] = {
      {"left edge of the previous-month button", {5, 10}, kLeftButton, -1, false},
      // The prev button's right edge is the caption strip's first pixel.
      {"x = 35 opens the list", {35, 10}, kLeftButton, 0, true},
      {"the weekday header row", {50, 30}, kLeftButton, 0, false},
      {"a right press acts as a left one", {5, 10}, kRightButton, -1, false},
      {"a middle press acts as a left one", {140, 10}, kMiddleButton, 1, false},
  };
  const Date shown = Harness::D(2011, 1, 31);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    OpenFor(h, shown);
    const std::string text = h.field().Text();
    const Point p = h.PanelPixel(row.client.x, row.client.y);
    h.desktop.MouseDown(p.x, p.y, row.button);
    EXPECT_EQ(h.list().Visible(), row.shows_list);
    EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
    h.desktop.MouseUp(p.x, p.y, row.button);
    const std::string expected = h.Format(h.locale.MonthAdd(shown, row.months), kMonthYearMask);
    EXPECT_EQ(ShownMonth(h), expected);
    EXPECT_EQ(h.w.lblMonthYear->Caption(), expected);
    EXPECT_TRUE(h.PanelOpen());
    EXPECT_FALSE(h.list().Visible());
    EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
    EXPECT_EQ(h.field().Text(), text);
    EXPECT_EQ(h.host.Events(), std::vector<std::string>{});
  }
}

TEST(MonthStep, ForwardFromTheSelected31stOfJanuaryShowsFebruaryUnmarked) {
  Harness h;
  OpenFor(h, Harness::D(2011, 1, 31));
  ASSERT_EQ(MarkedCells(h), 1);
  const Point next = h.PanelPixel(140, 10);
  h.desktop.Click(next.x, next.y);
  EXPECT_EQ(ShownMonth(h), "February 2011");
  EXPECT_EQ(MarkedCells(h), 0);
  // Not even back in the month of the selected day.
  const Point prev = h.PanelPixel(10, 10);
  h.desktop.Click(prev.x, prev.y);
  EXPECT_EQ(ShownMonth(h), "January 2011");
  EXPECT_EQ(MarkedCells(h), 0);
}

// ---- The month list ----------------------------------------------------------------------

// Bands of 199.3 twips from -500 twips: at 15 twips per pixel the shown month's band is panel
// pixels 7 to 19; 250 pixels above the panel is far above the first band.
TEST(MonthList, AReleaseFarAboveShowsTheFirstMonthOfTheList) {
  HarnessOptions o;
  o.container_y = 300;  // room above the panel to move into
  Harness h(o);
  OpenFor(h, Harness::D(2011, 1, 31));
  const Point caption = h.PanelPixel(80, 12);
  h.desktop.MouseDown(caption.x, caption.y);
  const Point to = h.PanelPixel(80, -250);
  h.desktop.MouseMove(to.x, to.y, kLeftButton);
  h.desktop.MouseUp(to.x, to.y);
  EXPECT_EQ(ShownMonth(h), "October 2010");
  EXPECT_EQ(h.w.lblMonthYear->Caption(), "October 2010");
  EXPECT_FALSE(h.list().Visible());
  EXPECT_TRUE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "picCalendar");
  // The mark taken off on the press stays off.
  EXPECT_EQ(MarkedCells(h), 0);
  EXPECT_EQ(h.host.Events(), std::vector<std::string>{});
}

// ---- Picking a day -----------------------------------------------------------------------

// January 2011: the 1st is lblDate(13), so lblDate(7) is 26 December 2010.
TEST(DayPick, WritesTheDateInTheDisplayFormatRaisesChangeNeverClick) {
  Harness h;
  h.control->SetDateFormat(ShortDate);
  OpenFor(h, Harness::D(2011, 1, 20));
  h.LeaveField();
  h.ClearLog();
  const Label& cell = *h.w.lblDate[7];
  const Point p = h.LabelCenter(cell);
  h.desktop.MouseDown(p.x, p.y);
  h.desktop.MouseUp(p.x, p.y);
  EXPECT_EQ(h.field().Text(), "12/26/2010");
  EXPECT_EQ(h.host.Count(EventId::Change), 1);
  EXPECT_EQ(h.host.Count(EventId::Click), 0);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_EQ(h.desktop.CaptureName(), "");
  // Picked through the panel, which closed itself first: the focus stays where it was.
  EXPECT_EQ(h.desktop.FocusedName(), "");
  EXPECT_EQ(cell.BackColor(), kMarkBack);
  EXPECT_EQ(MarkedCells(h), 1);
}

TEST(DayCellEdges, OutlineHitsNothingOneTwipInsideHits) {
  // lblDate(24): row 2, column 3, left 1080, top 1020, 285 by 225 twips. Rows overlap by 15.
  const struct {
    const char* name;
    float x, y;  // panel twips
    int picked;  // 0: none
  } rows[] = {
      {"left edge", 1080, 1100, 0},
      {"one inside the left edge", 1081, 1100, 24},
      {"right edge", 1365, 1100, 0},
      {"one inside the right edge", 1364, 1100, 24},
      {"the gap between columns", 1372, 1100, 0},
      {"the overlap goes to the upper cell", 1200, 1240, 24},
      {"below the overlap", 1200, 1245, 31},
      {"the weekday header", 1200, 450, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    OpenFor(h, Harness::D(2011, 1, 20));
    const std::string before = h.field().Text();
    h.control->DayCellFromPoint(row.x, row.y);
    if (row.picked == 0) {
      EXPECT_EQ(h.field().Text(), before);
      EXPECT_EQ(h.host.Count(EventId::Change), 0);
      EXPECT_TRUE(h.PanelOpen());
      continue;
    }
    const Label& cell = *h.w.lblDate[static_cast<std::size_t>(row.picked)];
    const auto date = h.locale.RecogniseDate(cell.Tag());
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(h.field().Text(), h.Format(*date, kLongDate));
    EXPECT_EQ(cell.BackColor(), kMarkBack);
    // Closed by the pick itself: the focus goes to the field.
    EXPECT_FALSE(h.PanelOpen());
    EXPECT_EQ(h.desktop.FocusedName(), "txtDate");
  }
}

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

// ---- Captions in the user's language --------------------------------------------------------

// The captions of the headers, the Today button and the cell of 5 January 2004, as one line.
std::string Captions(Harness& h) {
  std::string line;
  for (int i = 0; i < 7; ++i) {
    line += h.w.lblDate[static_cast<std::size_t>(i)]->Caption() + " ";
  }
  return line + "| " + h.w.cmdGotoToday->Caption() + " | " + h.w.lblDate[15]->Caption();
}

TEST(PanelCaptions, InTheUsersLanguageOnlyWhenAskedForAndTheTagsStayAsTheyAre) {
  const struct {
    const char* locale;
    bool localized;
    const char* captions;
  } rows[] = {
      {"de_DE", false, "S M T W T F S | Today | 5"},
      {"en_US", true, "S M T W T F S | Today | 5"},
      {"de_DE", true, "S M D M D F S | Heute | 5"},
      {"ja_JP", true, "日 月 火 水 木 金 土 | 今日 | 5"},
      {"ar_EG", true, "ح ن ث ر خ ج س | اليوم | ٥"},
      {"fa_IR", true, "ی د س چ پ ج ش | امروز | ۵"},
  };
  const std::string design = "S M T W T F S | Today | 5";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.locale);
    HarnessOptions o;
    o.locale = row.locale;
    Harness h(o);
    const Date fifth = Harness::D(2004, 1, 5);
    h.control->SetLocalizedCaptions(row.localized);
    OpenFor(h, fifth);
    EXPECT_EQ(Captions(h), row.captions);
    EXPECT_EQ(h.w.lblDate[15]->Tag(), h.locale.DateToText(fifth));
    // Switched while the panel shows the month: off gives the design captions back, on again
    // the locale's.
    h.control->SetLocalizedCaptions(false);
    EXPECT_EQ(Captions(h), design);
    h.control->SetLocalizedCaptions(row.localized);
    EXPECT_EQ(Captions(h), row.captions);
    EXPECT_EQ(h.w.lblDate[15]->Tag(), h.locale.DateToText(fifth));
  }
}

}  // namespace
}  // namespace datewell
