// The text field beyond the scenarios' stories (typing, empty dates, the mouse in the field, the
// selection on focus and press): leaving the field in every other state (validation, write-back,
// the empty case), Enter out of the field, and a click while the panel is open without the
// capture.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using Log = std::vector<std::string>;

// Each row: the display format, whether empty dates are allowed, whether the panel is open, the
// text left in the field; then the field's text, the stored value and the panel afterwards.
struct LeaveRow {
  const char* name;
  std::int32_t format;
  bool allow_empty;
  bool panel_open;
  std::string typed;
  std::optional<Date> date;  // the date written back; nothing: the control became empty
  bool panel_open_after;
};

TEST(TextField, LeavingTheFieldValidatesAndWritesBack) {
  const Date today = DateFromCivil({2010, 6, 15});
  const Date jan5 = DateFromCivil({2004, 1, 5});
  const LeaveRow rows[] = {
      {"a long date with weekday in short-date mode", ShortDate, false, false,
       "Monday, January 05, 2004", jan5, false},
      {"blanks around a date", ShortDate, true, false, "  1/5/2004 ", jan5, false},
      {"an empty field without empty dates gets today", ShortDate, false, false, "", today, false},
      {"blanks without empty dates get today", LongDate, false, false, "   ", today, false},
      {"an invalid date gets today", ShortDate, false, false, "2/30/2004", today, false},
      {"leaving with a date closes the open panel", ShortDate, false, true, "1/5/2004", jan5,
       false},
      {"blanks with empty dates allowed empty the control and keep the panel open", ShortDate, true,
       true, "   ", std::nullopt, true},
      {"an empty field with empty dates allowed empties the control", LongDate, true, false, "",
       std::nullopt, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetDateFormat(row.format);
    h.control->SetAllowEmptyDate(row.allow_empty);
    h.FocusField();
    if (row.panel_open) {
      h.ShowPanel();
    }
    h.field().SetText(row.typed);
    h.ClearLog();
    h.LeaveField();
    EXPECT_EQ(h.PanelOpen(), row.panel_open_after);
    if (row.date) {
      const std::string written =
          h.Format(*row.date, row.format == ShortDate ? kShortDate : kLongDate);
      EXPECT_EQ(h.field().Text(), written);
      // The stored value is the date as plain text, which reads back as the same date.
      ASSERT_TRUE(h.control->StoredValue().is(VarKind::String));
      EXPECT_EQ(h.locale.RecogniseDate(h.control->StoredValue().string()),
                std::optional<Date>(*row.date));
      EXPECT_EQ(h.control->DateValue(), Variant(*row.date));
      // The grid now shows the month of that date.
      const auto mid = h.locale.RecogniseDate(h.w.lblDate[kMidMonthCell]->Tag());
      ASSERT_TRUE(mid.has_value());
      EXPECT_EQ(CivilFromDate(*mid).month, CivilFromDate(*row.date).month);
      EXPECT_EQ(CivilFromDate(*mid).year, CivilFromDate(*row.date).year);
      EXPECT_EQ(h.host.Events(), h.field().Text() == row.typed ? Log{} : Log{"Change"});
    } else {
      EXPECT_EQ(h.field().Text(), row.typed);  // the blanks stay
      EXPECT_EQ(h.control->StoredValue(), Variant(std::int16_t{0}));
      EXPECT_EQ(h.control->DateValue(), Variant(std::int16_t{0}));
      EXPECT_TRUE(h.host.Log().empty());
    }
    // Nothing is ever reported as a property change by leaving the field.
    EXPECT_TRUE(h.host.Reports().empty());
  }
}

TEST(TextField, EnterBringsTheFocusBackToTheField) {
  Harness h;
  h.control->SetDateFormat(ShortDate);
  h.LeaveField();
  ASSERT_FALSE(h.field().HasFocus());
  h.control->cmdDefault_Click();
  EXPECT_TRUE(h.field().HasFocus());
  EXPECT_EQ(h.field().Text(), "6/15/2010");
}

TEST(TextField, AClickWhileThePanelIsOpenWithoutTheCaptureRaisesClickBeforeClosing) {
  Harness h;
  h.FocusField();
  h.ShowPanel();
  h.desktop.ReleaseCapture();
  std::optional<bool> open_at_click;
  h.host.on_event = [&](EventId id, std::span<std::int16_t* const>) {
    if (id == EventId::Click) {
      open_at_click = h.PanelOpen();
    }
  };
  h.ClearLog();
  EXPECT_EQ(h.ClickField(), "txtDate");
  ASSERT_TRUE(open_at_click.has_value());
  EXPECT_TRUE(*open_at_click);
  EXPECT_FALSE(h.PanelOpen());
  EXPECT_TRUE(h.field().HasFocus());
  EXPECT_EQ(h.host.Count(EventId::Click), 1);
}

}  // namespace
}  // namespace datewell
