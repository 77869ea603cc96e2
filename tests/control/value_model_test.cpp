// The value model: DateValue, StringValue and DateFormat, checked on what the host sees (events
// and property-change reports), the field's text, the stored value and the getters. The clock is
// fixed at noon on 15 June 2010. The scenarios carry the stories end to end (the empty-dates
// scenario the empty cases, the typing scenario the display formats, the errors scenario the
// refused dates and formats); these tables carry the other cases.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using Log = std::vector<std::string>;

const Date kJan5 = Harness::D(2004, 1, 5);
const Date kToday = Harness::D(2010, 6, 15);
const Variant kEmpty(std::int16_t{0});

std::string_view MaskOf(std::int32_t format) {
  return format == ShortDate ? kShortDate : kLongDate;
}

// Each row: the state before (format, empty dates allowed, optionally a text put into the
// field), the value assigned, and what follows: the date the field then shows (nothing: blank),
// what the host saw, and what DateValue and the stored value hold.
struct DateValueRow {
  const char* name;
  std::int32_t format;
  bool allow_empty;
  std::optional<std::string> field_text;
  Variant assigned;
  std::optional<Date> shown;
  Log log;
  Variant date_value;
  Variant stored;
};

TEST(ValueModel, DateValueSetter) {
  const Log changed{"Change", "PropertyChanged(DateValue)"};
  const Log reported_twice{"PropertyChanged(DateValue)", "PropertyChanged(DateValue)"};
  const Log reformatted{"Change", "PropertyChanged(DateValue)", "PropertyChanged(DateValue)"};
  const auto none = std::nullopt;
  const Date first = Harness::D(100, 1, 1);
  const Date last = Harness::D(9999, 12, 31);
  const Variant jan5(kJan5);
  const Variant today(kToday);
  const DateValueRow rows[] = {
      {"a date in the short format", ShortDate, false, none, jan5, kJan5, changed, jan5, jan5},
      {"a date with a time of day keeps the time in the stored value", ShortDate, false, none,
       Variant(Date{kJan5.serial + 0.75}), kJan5, changed, jan5,
       Variant(Date{kJan5.serial + 0.75})},
      {"the first day the control accepts", ShortDate, false, none, Variant(first), first, changed,
       Variant(first), Variant(first)},
      {"the last day the control accepts", LongDate, true, none, Variant(last), last, changed,
       Variant(last), Variant(last)},
      {"a date text empties the control when empty dates are allowed", ShortDate, true, none,
       Variant("1/5/2004"), none, changed, kEmpty, kEmpty},
      {"a long date field is re-formatted, not replaced", LongDate, false, "1/5/2004",
       Variant::Null(), kJan5, reformatted, jan5, jan5},
      {"nothing keeps the field's date", ShortDate, false, none, Variant::Nothing(), kToday,
       reported_twice, today, today},
      {"a number is not a date", ShortDate, false, none, Variant(38356.0), kToday, reported_twice,
       today, today},
      {"a Boolean is not a date", ShortDate, true, none, Variant(true), none, changed, kEmpty,
       kEmpty},
      {"an unreadable field gets today's date", ShortDate, false, "hello", Variant(std::int16_t{3}),
       kToday, reformatted, today, today},
      {"an empty field gets today's date", ShortDate, false, "", Variant(), kToday, reformatted,
       today, today},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetDateFormat(row.format);
    h.control->SetAllowEmptyDate(row.allow_empty);
    if (row.field_text) {
      h.field().SetText(*row.field_text);
    }
    h.ClearLog();
    h.control->SetDateValue(row.assigned);
    const std::string expected_text =
        row.shown ? h.Format(*row.shown, MaskOf(row.format)) : std::string();
    EXPECT_EQ(h.field().Text(), expected_text);
    EXPECT_EQ(h.control->StringValue(), expected_text);
    EXPECT_EQ(h.host.Log(), row.log);
    EXPECT_EQ(h.control->DateValue(), row.date_value);
    EXPECT_EQ(h.control->StoredValue(), row.stored);
  }
}

TEST(ValueModel, StringValueSetter) {
  const struct {
    const char* name;
    std::int32_t format;
    bool allow_empty;
    std::string assigned;
    std::optional<Date> shown;  // nothing: the control is empty with a blank field
  } rows[] = {
      {"a short date text", ShortDate, false, "1/5/2004", kJan5},
      {"a long date text with its weekday", ShortDate, false, "Monday, January 5, 2004", kJan5},
      {"a day-month-year text", LongDate, false, "5 Jan 2004", kJan5},
      {"a date text between blanks", ShortDate, true, "  1/5/2004  ", kJan5},
      {"text that is no date gives today", ShortDate, false, "hello", kToday},
      {"an invalid date gives today", ShortDate, false, "2/30/2004", kToday},
      {"an empty text empties the control when empty dates are allowed", ShortDate, true, "",
       std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetDateFormat(row.format);
    h.control->SetAllowEmptyDate(row.allow_empty);
    // Start from a date other than today so that every row changes the text.
    h.control->SetDateValue(Variant(Harness::D(1999, 3, 3)));
    h.ClearLog();
    h.control->SetStringValue(row.assigned);
    EXPECT_EQ(h.host.Log(), (Log{"Change", "PropertyChanged(StringValue)"}));
    const Variant held = row.shown ? Variant(*row.shown) : kEmpty;
    EXPECT_EQ(h.field().Text(), row.shown ? h.Format(*row.shown, MaskOf(row.format)) : "");
    EXPECT_EQ(h.control->StoredValue(), held);
    EXPECT_EQ(h.control->DateValue(), held);
  }
}

}  // namespace
}  // namespace datewell
