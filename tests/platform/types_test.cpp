// The plain date functions every service shares, and the variant's own rules.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/types.h"

namespace datewell {
namespace {

struct CivilRow {
  const char* name;
  CivilDate civil;
  double serial;
  int weekday;
};

TEST(DateMath, CivilDatesAndDayNumbers) {
  const CivilRow rows[] = {
      {"epoch", {1899, 12, 30}, 0, 7},
      {"fifth of January 2004", {2004, 1, 5}, 37991, 2},
      {"leap day 2000", {2000, 2, 29}, 36585, 3},
      {"first supported day", {100, 1, 1}, -657434, 6},
      {"last supported day", {9999, 12, 31}, 2958465, 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DateFromCivil(row.civil).serial, row.serial);
    EXPECT_EQ(CivilFromDate(Date{row.serial}), row.civil);
    EXPECT_EQ(WeekdayOf(Date{row.serial}), row.weekday);
  }
}

TEST(DateMath, TimeOfDayBeforeTheEpochBelongsToTheTruncatedDay) {
  // -1.25 is 29 December 1899 at six in the morning.
  EXPECT_EQ(CivilFromDate(Date{-1.25}), (CivilDate{1899, 12, 29}));
  EXPECT_EQ(DateOnly(Date{-1.25}).serial, -1.0);
  EXPECT_EQ(AddDays(Date{-1.25}, 2).serial, 1.25);
  EXPECT_EQ(AddDays(Date{38356.5}, -1).serial, 38355.5);
}

struct MonthRow {
  const char* name;
  CivilDate from;
  int months;
  CivilDate to;
};

TEST(DateMath, AddMonthsClampsToTheMonthsLastDay) {
  const MonthRow rows[] = {
      {"31 January to leap February", {2004, 1, 31}, 1, {2004, 2, 29}},
      {"31 January to common February", {2003, 1, 31}, 1, {2003, 2, 28}},
      {"31 March back to February", {2100, 3, 31}, -1, {2100, 2, 28}},
      {"across the year forwards", {2003, 11, 15}, 3, {2004, 2, 15}},
      {"a whole century", {1900, 2, 28}, 1200, {2000, 2, 28}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CivilFromDate(AddMonths(DateFromCivil(row.from), row.months)), row.to);
  }
  EXPECT_EQ(AddMonths(Date{38356.75}, 1).serial, 38387.75) << "keeps the time of day";
}

TEST(DateMath, RangeChecks) {
  EXPECT_TRUE(IsValidCivil({100, 1, 1}));
  EXPECT_TRUE(IsValidCivil({9999, 12, 31}));
  EXPECT_TRUE(IsValidCivil({2000, 2, 29}));
  EXPECT_FALSE(IsValidCivil({99, 12, 31}));
  EXPECT_FALSE(IsValidCivil({10000, 1, 1}));
  EXPECT_FALSE(IsValidCivil({2100, 2, 29}));
  EXPECT_FALSE(IsValidCivil({2004, 13, 1}));
  EXPECT_FALSE(IsValidCivil({2004, 4, 31}));

  EXPECT_TRUE(IsDateInRange(Date{-657434}));
  EXPECT_TRUE(IsDateInRange(Date{2958465.99}));
  EXPECT_FALSE(IsDateInRange(Date{-657435}));
  EXPECT_FALSE(IsDateInRange(Date{2958466}));
  EXPECT_FALSE(IsDateInRange(Date{std::numeric_limits<double>::quiet_NaN()}));
  EXPECT_FALSE(IsDateInRange(Date{std::numeric_limits<double>::infinity()}));
  EXPECT_FALSE(IsDateInRange(Date{1e308}));
}

TEST(Variant, Equality) {
  // The same number in two kinds is not the same value to a property store.
  EXPECT_NE(Variant(std::int16_t{0}), Variant(std::int32_t{0}));
  EXPECT_NE(Variant(std::int16_t{0}), Variant(false));
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  // Fonts compare by their attributes, not by identity.
  auto a = std::make_shared<Font>();
  auto b = std::make_shared<Font>();
  EXPECT_EQ(Variant(a), Variant(b));
  b->bold = true;
  EXPECT_NE(Variant(a), Variant(b));
}

TEST(Variant, WrongKindAccessIsATypeMismatch) {
  try {
    (void)Variant("text").date();
    FAIL() << "expected a type mismatch";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kErrTypeMismatch);
    EXPECT_EQ(e.description(), "Type mismatch");
  }
}

}  // namespace
}  // namespace datewell
