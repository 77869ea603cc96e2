// The text helpers behind the value model: the conversion of a stored value to the text it is
// read from (a number keeps a blank for its sign), the emptiness test and trimming.

#include "control/str_conv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace datewell {
namespace {

// A locale whose plain date text is easy to recognise, so that the conversion's choice of
// path (number, date, text) shows in the result.
class MarkerLocale : public LocaleServices {
 public:
  Date Today() override { return {}; }
  std::optional<Date> RecogniseDate(std::string_view) override { return std::nullopt; }
  std::string DateToText(Date d) override { return "date:" + std::to_string(d.serial); }
  std::string FormatDate(Date, std::string_view) override { return {}; }
  int InStr(std::string_view, std::string_view) override { return 0; }
  std::string Name() const override { return "marker"; }
};

struct StrRow {
  const char* name;
  Variant value;
  std::string expected;
};

TEST(Str, ReservesALeadingBlankForTheSignOfNumbers) {
  const StrRow rows[] = {
      {"empty counts as zero", Variant(), " 0"},
      {"negative integer", Variant(std::int16_t{-3}), "-3"},
      {"date gives its plain text", Variant(Date{38000.0}), "date:38000.000000"},
      {"date text comes back unchanged", Variant("1/5/2004"), "1/5/2004"},
      {"null gives nothing", Variant::Null(), ""},
  };
  MarkerLocale locale;
  for (const auto& row : rows) {
    EXPECT_EQ(Str(row.value, locale), row.expected) << row.name;
  }
}

TEST(Str, NonFiniteNumbersNeverFail) {
  MarkerLocale locale;
  EXPECT_EQ(Str(Variant(std::numeric_limits<double>::quiet_NaN()), locale), "NaN");
  EXPECT_EQ(Str(Variant(-std::numeric_limits<double>::infinity()), locale), "-Infinity");
  EXPECT_EQ(Str(Variant(std::numeric_limits<float>::infinity()), locale), " Infinity");
}

struct EmptyRow {
  const char* name;
  Variant value;
  bool empty;
};

TEST(IsEmptyValue, TextOnlyWhenEmptyAndOtherKindsWhenEqualToZero) {
  const EmptyRow rows[] = {
      {"nothing assigned yet", Variant(), true},
      {"integer zero, the empty state", Variant(std::int16_t{0}), true},
      {"NaN is not zero", Variant(std::nan("")), false},
      {"false equals zero", Variant(false), true},
      {"date of day number zero", Variant(Date{0.0}), true},
      {"midday of day zero is not zero", Variant(Date{0.5}), false},
      {"empty text", Variant(""), true},
      {"blanks are not trimmed", Variant(" "), false},
      {"the text of zero is text, not a number", Variant("0"), false},
      {"null", Variant::Null(), false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsEmptyValue(row.value), row.empty) << row.name;
  }
}

TEST(TrimSpaces, RemovesOnlyLeadingAndTrailingSpaces) {
  const struct {
    const char* name;
    const char* text;
    const char* expected;
  } rows[] = {
      {"empty", "", ""},
      {"only spaces", "    ", ""},
      {"both ends", "  1/5/2004  ", "1/5/2004"},
      {"inner spaces stay", " 5 Jan 2004 ", "5 Jan 2004"},
      {"tab is not a space", "\t1\t", "\t1\t"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TrimSpaces(row.text), row.expected) << row.name;
  }
}

}  // namespace
}  // namespace datewell
