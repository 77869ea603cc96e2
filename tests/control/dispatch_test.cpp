// The dispatch entry point and the automation conversions behind it, where a script cannot show
// them: the conversions no member uses, the equality that decides what a save leaves out, and the
// by-reference arguments Size writes back. (The members-typelib scenario holds the published
// member table as the host prints it, the members-conversions scenario converts a value of every
// kind for the members, the members-dispatch scenario invokes them by their ids and shows the
// calls the dispatch interface refuses, and the errors scenario the refusals it lists.)

#include "control/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/variant_convert.h"
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
// No member takes a 16-bit integer, so its own range and the bits of hexadecimal text are checked
// here; the members-conversions scenario shows the conversions the members use, the rounding of
// halves among them.
TEST(Conversions, ToInteger16) {
  EXPECT_EQ(ToInt16(I32(-32768)), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(I32(32768)); }).number, kErrOverflow);
  EXPECT_EQ(ToInt16(S("&HFFFF")), -1) << "hexadecimal text keeps its bits";
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
