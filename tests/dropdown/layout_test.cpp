// The widget tree the control builds: design geometry, and each day label wired to its own
// index.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dropdown/layout_geometry.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;

TEST(LayoutGeometry, DayLabelRectangles) {
  const struct {
    const char* name;
    int index;
    DesignRect expected;
  } rows[] = {
      {"Sunday header", 0, {180, 360, 225, 195}},
      {"Saturday header", 6, {1980, 360, 225, 195}},
      {"top-left day cell", 7, {180, 600, 285, 225}},
      {"top-right day cell", 13, {1980, 600, 285, 225}},
      {"the mid-month cell", 23, {780, 1020, 285, 225}},
      {"bottom-right day cell", 48, {1980, 1650, 285, 225}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DayLabelDesign(row.index), row.expected) << row.name;
  }
}

TEST(LayoutGeometry, VerticallyAdjacentCellsOverlapByFifteenTwips) {
  for (int index = 7; index + 7 <= 48; ++index) {
    const DesignRect upper = DayLabelDesign(index);
    const DesignRect lower = DayLabelDesign(index + 7);
    EXPECT_EQ(upper.top + upper.height - lower.top, 15.0f) << index;
    EXPECT_EQ(upper.left, lower.left) << index;
  }
}

TEST(LayoutGeometry, DesignSampleIsSeptember1998) {
  const struct {
    const char* name;
    int index;
    DesignDay expected;
  } rows[] = {
      {"Sunday 30 August", 7, {30, true}},          {"Tuesday 1 September", 9, {1, false}},
      {"the mid-month cell", 23, {15, false}},      {"1 October", 39, {1, true}},
      {"10 October ends the grid", 48, {10, true}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DesignSampleDay(row.index), row.expected) << row.name;
  }
}

struct GeometryRow {
  const char* name;
  const Widget* widget;
  DesignRect expected;
};

TEST(Layout, WidgetsStartWithTheirDesignGeometry) {
  // Before the control is shown: showing moves the panel and the list to the desktop.
  testing::HarnessOptions options;
  options.show = false;
  Harness h(options);
  const auto& w = h.w;
  const GeometryRow rows[] = {
      {"cmdDefault far off the surface", w.cmdDefault, {-99800, 2880, 495, 255}},
      {"lstSelectMonth", w.lstSelectMonth, {60, 840, 1245, 1395}},
      {"picCalendar", w.picCalendar, {30, 300, 2475, 2475}},
      {"cmdGotoToday", w.cmdGotoToday, {870, 2040, 735, 315}},
      {"lblMonthYear", w.lblMonthYear, {645, 90, 1185, 195}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.widget->Left(), row.expected.left);
    EXPECT_EQ(row.widget->Top(), row.expected.top);
    EXPECT_EQ(row.widget->Width(), row.expected.width);
    EXPECT_EQ(row.widget->Height(), row.expected.height);
  }
  for (int i = 0; i < 49; ++i) {
    const DesignRect r = DayLabelDesign(i);
    EXPECT_EQ(w.lblDate[i]->Left(), r.left) << i;
    EXPECT_EQ(w.lblDate[i]->Top(), r.top) << i;
  }
}

// A click that reaches a day label (the panel shown, the capture released) arrives at the day
// handler with that label's own index: the field then shows that cell's date.
TEST(Layout, EveryDayLabelForwardsItsClickWithItsIndex) {
  // January 2004 starts on a Thursday: cell 11 is the 1st, cell 48 the 7th of February.
  const struct {
    int index;
    const char* text;
  } rows[] = {{11, "1/1/2004"}, {48, "2/7/2004"}, {7, "12/28/2003"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    Harness h;
    h.control->SetDateFormat(ShortDate);
    h.control->FillMonthGrid(Harness::D(2004, 1, 5));
    h.ShowPanel();
    h.desktop.ReleaseCapture();
    const Point p = h.LabelCenter(*h.w.lblDate[row.index]);
    h.ClearLog();
    h.desktop.Click(p.x, p.y);
    EXPECT_EQ(h.field().Text(), row.text);
    EXPECT_EQ(h.host.Count(EventId::Change), 1);
    EXPECT_EQ(h.host.Count(EventId::Click), 0);
  }
}

}  // namespace
}  // namespace datewell
