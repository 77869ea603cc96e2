// The value syntax of scripts and transcripts: what each written form reads as, that the
// transcript's form reads back as the same value, and which words are refused. (Forms a member
// keeps as they were set are the input-values scenario's lines.)

#include <gtest/gtest.h>

#include <string>

#include "values.h"

namespace datewell::host {
namespace {

struct ValueRow {
  const char* name;
  const char* written;
  Variant expected;
  const char* formatted;  // what the transcript writes for it
};

class ValueSyntax : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ValueSyntax, ReadsAsTheKindAndValueAndWritesBackTheSameWay) {
  const ValueRow& row = GetParam();
  Variant v = ParseValue(row.written);
  EXPECT_EQ(v.kind(), row.expected.kind());
  EXPECT_TRUE(v == row.expected) << FormatValue(v);
  EXPECT_EQ(FormatValue(v), row.formatted);
  EXPECT_TRUE(ParseValue(FormatValue(v)) == v) << "the written form must read back";
}

// 5 January 2004 is day 37991 counted from 30 December 1899.
INSTANTIATE_TEST_SUITE_P(
    Values, ValueSyntax,
    ::testing::Values(ValueRow{"IntLowest", "int:-32768", Variant(std::int16_t{-32768}),
                               "int:-32768"},
                      ValueRow{"DateWithTime", "date:2004-01-05T13:30:00",
                               Variant(Date{37991.5625}), "date:2004-01-05T13:30:00"},
                      ValueRow{"DateWithoutSeconds", "date:2004-01-05T18:00",
                               Variant(Date{37991.75}), "date:2004-01-05T18:00:00"},
                      // Before day 0 the time of day still counts forwards from midnight.
                      ValueRow{"BeforeDayZero", "date:1899-12-29T06:00:00", Variant(Date{-1.25}),
                               "date:1899-12-29T06:00:00"},
                      ValueRow{"SerialNotAWholeSecond", "date:@0.123456789",
                               Variant(Date{0.123456789}), "date:@0.123456789"},
                      ValueRow{"SerialFarAway", "date:@1e9", Variant(Date{1e9}), "date:@1e+09"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedRow {
  const char* name;
  const char* written;
};

class RefusedValue : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedValue, IsASyntaxError) {
  EXPECT_THROW(ParseValue(GetParam().written), SyntaxError);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedValue,
    ::testing::Values(
        RefusedRow{"NoKind", "5"}, RefusedRow{"UnknownKind", "frob:1"},
        RefusedRow{"IntTooLarge", "int:32768"}, RefusedRow{"IntPlusSign", "int:+5"},
        RefusedRow{"BoolWord", "bool:yes"}, RefusedRow{"TextUnquoted", "str:abc"},
        RefusedRow{"UnknownEscape", R"(str:"\q")"}, RefusedRow{"ShortHexEscape", R"(str:"\x4")"},
        RefusedRow{"NoSuchDay", "date:2004-02-30"}, RefusedRow{"YearZero", "date:0000-01-01"},
        RefusedRow{"Hour24", "date:2004-01-05T24:00:00"},
        RefusedRow{"BadSeparator", "date:2004/01/05"},
        RefusedRow{"ColourWithoutPrefix", "color:80000005"},
        RefusedRow{"ColourTooLong", "color:&H123456789"}, RefusedRow{"FontUnquoted", "font:Sans,8"},
        RefusedRow{"FontWithoutSize", "font:\"Sans\""},
        RefusedRow{"FontUnknownStyle", "font:\"Sans\",8,heavy"}),
    [](const auto& info) { return std::string(info.param.name); });

// The scenarios' dumps show system colours and black; a 16-bit -1 widens to the 32-bit colour it
// stands for.
TEST(ColourForm, ANegativeIntegerIsTheColourItStandsFor) {
  EXPECT_EQ(FormatColorValue(Variant(std::int16_t{-1})), "&HFFFFFFFF");
}

}  // namespace
}  // namespace datewell::host
