// The widget tree the control builds: each day label wired to its own index.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;

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
