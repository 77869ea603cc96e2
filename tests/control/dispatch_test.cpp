// The dispatch entry point and the automation conversions behind it, where a script cannot show
// them: the conversions no member uses, the equality that decides what a save leaves out, and the
// by-reference arguments Size writes back. (The members-typelib scenario holds the published
// member table as the host prints it, the members-conversions scenario converts a value of every
// kind for the members, the members-dispatch scenario invokes them by their ids and shows the
// calls the dispatch interface refuses, and the errors scenario the refusals it lists.)

#include "control/dispatch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "control/variant_convert.h"
#include "platform/headless/headless.h"
#include "platform/icu/icu_locale.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::ErrorOf;
using testing::Harness;

Variant I16(int v) {
  return Variant(static_cast<std::int16_t>(v));
}
Variant I32(std::int64_t v) {
  return Variant(static_cast<std::int32_t>(v));
}
Variant S(const char* s) {
  return Variant(std::string(s));
}
Variant DateOf(int y, int m, int d) {
  return Variant(DateFromCivil({y, m, d}));
}

class Conversions : public ::testing::Test {
 protected:
  headless::HeadlessDesktop clock;
  IcuLocale locale{clock, "en_US"};
};

// ---- Conversions: one table per target type -------------------------------------------------

template <typename T>
struct ConvRow {
  const char* name;
  Variant in;
  std::optional<T> want;  // nothing: the conversion fails with error
  int error = 0;
};

template <typename T, typename F>
void RunConversions(const std::vector<ConvRow<T>>& rows, F convert) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.want) {
      EXPECT_EQ(convert(row.in), *row.want);
    } else {
      EXPECT_EQ(ErrorOf([&] { convert(row.in); }).number, row.error);
    }
  }
}

// No member takes a 16-bit integer, so its own range and the bits of hexadecimal text are checked
// here; the members-conversions scenario shows the conversions the members use, the rounding of
// halves among them.
TEST_F(Conversions, ToInteger16) {
  RunConversions<std::int16_t>(
      {
          {"long in range", I32(-32768), -32768},
          {"long too large", I32(32768), std::nullopt, kErrOverflow},
          {"hexadecimal text keeps its bits", S("&HFFFF"), -1},
      },
      [](const Variant& v) { return ToInt16(v); });
}

TEST_F(Conversions, ToDateValue) {
  RunConversions<Date>(
      {
          {"a date", DateOf(2004, 1, 5), DateFromCivil({2004, 1, 5})},
          {"a day number", Variant(38356.5), Date{38356.5}},
          {"text naming a date", S("January 5, 2004"), DateFromCivil({2004, 1, 5})},
          {"text naming none", S("someday"), std::nullopt, kErrTypeMismatch},
          {"day number beyond the year 9999", Variant(1e308), std::nullopt, kErrOverflow},
      },
      [&](const Variant& v) { return ToDate(v, locale); });
}

TEST(AutomationEquality, ComparesAsTheHostDoes) {
  struct Row {
    const char* name;
    Variant a, b;
    bool equal;
  };
  const Row rows[] = {
      {"False equals the integer 0", Variant(false), I16(0), true},
      {"True equals -1", Variant(true), I32(-1), true},
      {"single 8 equals integer 8", Variant(8.0f), I16(8), true},
      {"date of day 0 equals 0", Variant(Date{0}), I16(0), true},
      {"empty equals the empty text", Variant(), S(""), true},
      {"a text is not a number", S("0"), I16(0), false},
      {"fonts by their attributes", Variant(std::make_shared<Font>(Font{"Arial", 9})),
       Variant(std::make_shared<Font>(Font{"Arial", 9})), true},
      {"a font of another size", Variant(std::make_shared<Font>(Font{"Arial", 9})),
       Variant(std::make_shared<Font>(Font{"Arial", 8})), false},
      {"null equals nothing, not even null", Variant::Null(), Variant::Null(), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(AutomationEquals(row.a, row.b), row.equal);
    EXPECT_EQ(AutomationEquals(row.b, row.a), row.equal);
  }
}

TEST(Dispatch, SizeWritesItsByReferenceArgumentsBackAsSingles) {
  Harness h;
  std::vector<Variant> args{I16(2000), S("300")};
  Invoke(*h.control, h.locale, static_cast<std::int32_t>(0x600300B7), InvokeKind::Method, args);
  EXPECT_EQ(args[0], Variant(2000.0f));
  EXPECT_EQ(args[1], Variant(300.0f));
}

}  // namespace
}  // namespace datewell
