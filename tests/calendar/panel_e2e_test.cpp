// The open calendar panel on the headless desktop: the cases the scenarios do not walk through
// (the edges of the cells in twips, the grid refilled under a mark, the captions in the user's
// language) and what no transcript shows.

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

// ---- Picking a day -----------------------------------------------------------------------

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

// ---- The grid in the labels --------------------------------------------------------------

TEST(FillMonthGrid, TagsReadBackAndCaptionsAreTheDays) {
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
