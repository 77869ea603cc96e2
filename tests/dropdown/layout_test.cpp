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
