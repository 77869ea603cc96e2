// The value model end to end: DateValue, StringValue, DateFormat, AllowEmptyDate and Version,
// checked on what the host sees (events and property-change reports), the field's text, the
// stored value and the getters. The clock is fixed at noon on 15 June 2010.

#include <gtest/gtest.h>

#include <cmath>
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

std::string_view MaskOf(std::int32_t format) {
  return format == ShortDate ? kShortDate : kLongDate;
}

TEST(ValueModel, NewControlShowsTodayInTheLongFormat) {
  Harness h;
  EXPECT_EQ(h.field().Text(), h.Format(h.Today(), kLongDate));
  EXPECT_EQ(h.field().Text(), "Tuesday, June 15, 2010");
  EXPECT_EQ(h.control->DateValue(), Variant(h.Today()));
  EXPECT_EQ(h.control->StringValue(), h.field().Text());
  EXPECT_EQ(h.control->DateFormat(), LongDate);
  EXPECT_FALSE(h.control->AllowEmptyDate());
  // The stored value is today's date as a date, without the clock's time of day.
  EXPECT_EQ(h.control->StoredValue(), Variant(h.Today()));
}

TEST(ValueModel, VersionIsTheComponentsOwnNumbers) {
  Harness h;
  EXPECT_EQ(h.control->Version(), "1.0.44");
}

TEST(ValueModel, DateValueInTheShortFormatIsTheLocalesShortDate) {
  Harness h;
  h.control->SetDateFormat(ShortDate);
  h.ClearLog();
  h.control->SetDateValue(Variant(kJan5));
  EXPECT_EQ(h.field().Text(), "1/5/2004");
  EXPECT_EQ(h.control->DateValue(), Variant(kJan5));
  EXPECT_EQ(h.host.Log(), (Log{"Change", "PropertyChanged(DateValue)"}));
}

// Each row: the state before (format, empty dates allowed, optionally a text typed into the
// field), the value assigned, and what follows: the date the field then shows (nothing: blank),
// what the host saw, and what DateValue and the stored value hold.
struct DateValueRow {
  const char* name;
  std::int32_t format;
  bool allow_empty;
  std::optional<std::string> field_text;  // put into the field first
  Variant assigned;
  std::optional<Date> shown;  // the field's date; nothing for a blank field
  Log log;
  Variant date_value;
  Variant stored;
};

TEST(ValueModel, DateValueSetter) {
  const Date today = DateFromCivil({2010, 6, 15});
  const Variant empty_state(std::int16_t{0});
  const Log changed_once{"Change", "PropertyChanged(DateValue)"};
  const Log reported_twice{"PropertyChanged(DateValue)", "PropertyChanged(DateValue)"};
  const Log reformatted_twice{"Change", "PropertyChanged(DateValue)", "PropertyChanged(DateValue)"};
  const DateValueRow rows[] = {
      {"a date in the long format",
       LongDate,
       false,
       {},
       Variant(kJan5),
       kJan5,
       changed_once,
       Variant(kJan5),
       Variant(kJan5)},
      {"a date in the short format",
       ShortDate,
       false,
       {},
       Variant(kJan5),
       kJan5,
       changed_once,
       Variant(kJan5),
       Variant(kJan5)},
      {"a date with a time of day keeps the time in the stored value",
       ShortDate,
       false,
       {},
       Variant(Date{kJan5.serial + 0.75}),
       kJan5,
       changed_once,
       Variant(kJan5),
       Variant(Date{kJan5.serial + 0.75})},
      {"the first day the control accepts",
       ShortDate,
       false,
       {},
       Variant(Harness::D(100, 1, 1)),
       Harness::D(100, 1, 1),
       changed_once,
       Variant(Harness::D(100, 1, 1)),
       Variant(Harness::D(100, 1, 1))},
      {"the last day the control accepts",
       LongDate,
       true,
       {},
       Variant(Harness::D(9999, 12, 31)),
       Harness::D(9999, 12, 31),
       changed_once,
       Variant(Harness::D(9999, 12, 31)),
       Variant(Harness::D(9999, 12, 31))},
      {"day number 0 shows its date yet reads as empty",
       ShortDate,
       false,
       {},
       Variant(Date{0.0}),
       Harness::D(1899, 12, 30),
       changed_once,
       empty_state,
       Variant(Date{0.0})},
      {"a date text is not a date: the field keeps its date",
       ShortDate,
       false,
       {},
       Variant("1/5/2004"),
       today,
       reported_twice,
       Variant(today),
       Variant(today)},
      {"a date text empties the control when empty dates are allowed",
       ShortDate,
       true,
       {},
       Variant("1/5/2004"),
       std::nullopt,
       changed_once,
       empty_state,
       empty_state},
      {"a long date field is re-formatted, not replaced", LongDate, false, "1/5/2004",
       Variant::Null(), kJan5, reformatted_twice, Variant(kJan5), Variant(kJan5)},
      {"null empties the control when empty dates are allowed",
       LongDate,
       true,
       {},
       Variant::Null(),
       std::nullopt,
       changed_once,
       empty_state,
       empty_state},
      {"nothing keeps the field's date",
       ShortDate,
       false,
       {},
       Variant::Nothing(),
       today,
       reported_twice,
       Variant(today),
       Variant(today)},
      {"a number is not a date",
       ShortDate,
       false,
       {},
       Variant(38356.0),
       today,
       reported_twice,
       Variant(today),
       Variant(today)},
      {"a Boolean is not a date",
       ShortDate,
       true,
       {},
       Variant(true),
       std::nullopt,
       changed_once,
       empty_state,
       empty_state},
      {"an unreadable field gets today's date", ShortDate, false, "hello", Variant(std::int16_t{3}),
       today, reformatted_twice, Variant(today), Variant(today)},
      {"an empty field gets today's date", ShortDate, false, "", Variant(), today,
       reformatted_twice, Variant(today), Variant(today)},
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

TEST(ValueModel, DateValueRefusesDatesItCannotShowAndChangesNothing) {
  const struct {
    const char* name;
    double serial;
  } rows[] = {
      {"NaN", std::numeric_limits<double>::quiet_NaN()},
      {"plus infinity", std::numeric_limits<double>::infinity()},
      {"minus infinity", -std::numeric_limits<double>::infinity()},
      {"the last day of year 99", DateFromCivil({99, 12, 31}).serial},
      {"the first day of year 10000", DateFromCivil({10000, 1, 1}).serial},
      {"far beyond any calendar", 1e308},
      {"far before any calendar", -1e308},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetDateValue(Variant(kJan5));
    const std::string text_before = h.field().Text();
    h.ClearLog();
    try {
      h.control->SetDateValue(Variant(Date{row.serial}));
      ADD_FAILURE() << "no error raised";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), kErrInvalidProcedureCall);
      EXPECT_EQ(e.description(), "Invalid procedure call or argument");
    }
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_EQ(h.control->StoredValue(), Variant(kJan5));
    EXPECT_TRUE(h.host.Log().empty());
  }
}

struct StringValueRow {
  const char* name;
  std::int32_t format;
  bool allow_empty;
  std::string assigned;
  std::optional<Date> shown;  // nothing: the control is empty with a blank field
};

TEST(ValueModel, StringValueSetter) {
  const Date today = DateFromCivil({2010, 6, 15});
  const StringValueRow rows[] = {
      {"a short date text", ShortDate, false, "1/5/2004", kJan5},
      {"a long date text with its weekday", ShortDate, false, "Monday, January 5, 2004", kJan5},
      {"a day-month-year text", LongDate, false, "5 Jan 2004", kJan5},
      {"a date text between blanks", ShortDate, true, "  1/5/2004  ", kJan5},
      {"text that is no date gives today", ShortDate, false, "hello", today},
      {"an invalid date gives today", ShortDate, false, "2/30/2004", today},
      {"an empty text gives today when empty dates are not allowed", LongDate, false, "", today},
      {"blanks give today when empty dates are not allowed", ShortDate, false, "   ", today},
      {"an empty text empties the control when empty dates are allowed", ShortDate, true, "",
       std::nullopt},
      {"blanks empty the control when empty dates are allowed", LongDate, true, "   ",
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
    if (row.shown) {
      EXPECT_EQ(h.field().Text(), h.Format(*row.shown, MaskOf(row.format)));
      EXPECT_EQ(h.control->StoredValue(), Variant(*row.shown));
      EXPECT_EQ(h.control->DateValue(), Variant(*row.shown));
    } else {
      EXPECT_EQ(h.field().Text(), "");
      EXPECT_EQ(h.control->StoredValue(), Variant(std::int16_t{0}));
      EXPECT_EQ(h.control->DateValue(), Variant(std::int16_t{0}));
      EXPECT_EQ(h.control->StringValue(), "");
    }
  }
}

TEST(ValueModel, StringValueGetterReturnsTheFieldUnchanged) {
  Harness h;
  h.TypeOver("  5 Jan 2004 ");
  EXPECT_EQ(h.control->StringValue(), "  5 Jan 2004 ");
  // DateValue reads the typed text at once, before the field loses the focus.
  EXPECT_EQ(h.control->DateValue(), Variant(kJan5));
}

TEST(ValueModel, AnEmptyControlStaysEmptyForDateValueUntilTheFieldIsLeft) {
  Harness h;
  h.control->SetAllowEmptyDate(true);
  h.control->SetDateValue(Variant::Null());
  ASSERT_EQ(h.control->DateValue(), Variant(std::int16_t{0}));
  h.TypeOver("1/5/2004");
  EXPECT_EQ(h.control->DateValue(), Variant(std::int16_t{0}));
  h.LeaveField();
  EXPECT_EQ(h.control->DateValue(), Variant(kJan5));
}

struct DateFormatRow {
  const char* name;
  std::int32_t from;
  std::int32_t to;
  bool start_empty;
  Log log;
};

TEST(ValueModel, DateFormatSetterReformatsAndStoresTheFieldsDate) {
  const DateFormatRow rows[] = {
      {"long to short",
       LongDate,
       ShortDate,
       false,
       {"Change", "PropertyChanged(StringValue)", "PropertyChanged(DateFormat)"}},
      {"short to long",
       ShortDate,
       LongDate,
       false,
       {"Change", "PropertyChanged(StringValue)", "PropertyChanged(DateFormat)"}},
      {"the same format again changes no text",
       ShortDate,
       ShortDate,
       false,
       {"PropertyChanged(StringValue)", "PropertyChanged(DateFormat)"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetDateFormat(row.from);
    h.control->SetDateValue(Variant(kJan5));
    h.ClearLog();
    h.control->SetDateFormat(row.to);
    EXPECT_EQ(h.control->DateFormat(), row.to);
    EXPECT_EQ(h.field().Text(), h.Format(kJan5, MaskOf(row.to)));
    EXPECT_EQ(h.control->StoredValue(), Variant(kJan5));
    EXPECT_EQ(h.host.Log(), row.log);
  }
}

TEST(ValueModel, DateFormatOnAnEmptyControlFillsTodayWhateverAllowEmptyDateSays) {
  Harness h;
  h.control->SetAllowEmptyDate(true);
  h.control->SetDateValue(Variant::Null());
  ASSERT_EQ(h.field().Text(), "");
  h.control->SetDateFormat(ShortDate);
  EXPECT_EQ(h.field().Text(), "6/15/2010");
  EXPECT_EQ(h.control->StoredValue(), Variant(h.Today()));
  EXPECT_EQ(h.control->DateValue(), Variant(h.Today()));
}

TEST(ValueModel, UnknownDateFormatFailsWith94AndKeepsThePreviousFormat) {
  for (const std::int32_t bad : {2, -1, 7, 2147483647}) {
    SCOPED_TRACE(bad);
    Harness h;
    h.control->SetDateFormat(ShortDate);
    h.control->SetDateValue(Variant(kJan5));
    h.ClearLog();
    try {
      h.control->SetDateFormat(bad);
      ADD_FAILURE() << "no error raised";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), kErrInvalidUseOfNull);
      EXPECT_EQ(e.description(), "Invalid use of Null");
    }
    EXPECT_EQ(h.control->DateFormat(), ShortDate);
    EXPECT_EQ(h.field().Text(), "1/5/2004");
    EXPECT_EQ(h.control->StoredValue(), Variant(kJan5));
    EXPECT_TRUE(h.host.Log().empty());
    // The format still in force is the one kept.
    h.control->SetDateValue(Variant(Harness::D(2004, 2, 29)));
    EXPECT_EQ(h.field().Text(), "2/29/2004");
  }
}

TEST(ValueModel, AllowEmptyDateChangesNeitherValueNorTextAndReportsNothing) {
  Harness h;
  h.control->SetDateValue(Variant(kJan5));
  const std::string text = h.field().Text();
  h.ClearLog();
  h.control->SetAllowEmptyDate(true);
  EXPECT_TRUE(h.control->AllowEmptyDate());
  EXPECT_EQ(h.field().Text(), text);
  EXPECT_EQ(h.control->StoredValue(), Variant(kJan5));
  EXPECT_TRUE(h.host.Log().empty());
  h.control->SetAllowEmptyDate(false);
  EXPECT_FALSE(h.control->AllowEmptyDate());
}

}  // namespace
}  // namespace datewell
