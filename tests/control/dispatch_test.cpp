// The dispatch entry point and the automation conversions behind it, where a script cannot show
// them: the published member table, the conversions no member uses, the equality that decides
// what a save leaves out, and the by-reference arguments Size writes back. (The members-conversions
// scenario converts a value of every kind for the members, the members-dispatch scenario invokes
// them by their ids and shows the calls the dispatch interface refuses, and the errors scenario
// the refusals it lists.)

#include "control/dispatch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "control/typelib.h"
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

// ---- The member table, walked through the type library ---------------------------------------

// The default interface as published: name, dispatch id, kinds, not browsable, help string.
struct PublishedMember {
  const char* name;
  std::uint32_t dispid;
  std::uint8_t access;
  bool not_browsable;
  const char* help;
};

constexpr std::uint8_t G = typelib::kGet;
constexpr std::uint8_t GL = typelib::kGet | typelib::kLet;
constexpr std::uint8_t M = typelib::kMethod;

const PublishedMember kPublished[] = {
    {"Version", 0x6803008C, G, false, ""},
    {"DateValue", 0x6803008B, GL, false,
     "Allows setting of the Daypane Control's value using a Date variable."},
    {"StringValue", 0x6803008A, GL, false,
     "Allows setting of the Daypane Control's value using a String variable."},
    {"DropDown", 0x600300AB, M, false, "Shows the Daypane portion of the control."},
    {"CloseUp", 0x600300AC, M, false, "Hides the Daypane portion of the control."},
    {"ShowAboutBox", 0xFFFFFDD8, M, false, ""},
    {"DateFormat", 0x68030089, GL, false, ""},
    {"Font", 0xFFFFFE00, typelib::kGet | typelib::kSetRef, false, "Returns a Font object."},
    {"ForeColor", 0x68030088, GL, false,
     "Returns/sets the foreground color used to display text and graphics in an object."},
    {"BackColor", 0x68030087, GL, false,
     "Returns/sets the background color used to display text and graphics in an object."},
    {"FontUnderline", 0x68030086, GL, true, "Returns/sets underline font styles."},
    {"FontTransparent", 0x68030085, GL, true,
     "Returns/sets a value that determines whether background text/graphics on a Form, Printer "
     "or PictureBox are displayed."},
    {"FontStrikethru", 0x68030084, GL, true, "Returns/sets strikethrough font styles."},
    {"FontSize", 0x68030083, GL, true,
     "Specifies the size (in points) of the font that appears in each row for the given level."},
    {"FontName", 0x68030082, GL, true,
     "Specifies the name of the font that appears in each row for the given level."},
    {"FontItalic", 0x68030081, GL, true, "Returns/sets italic font styles."},
    {"FontBold", 0x68030080, GL, true, "Returns/sets bold font styles."},
    {"Refresh", 0x600300B6, M, false, "Forces a complete repaint of a object."},
    {"Selected", 0x6803007F, GL, true,
     "Returns/sets the selection status of an item in a control."},
    {"SelLength", 0x6803007E, GL, true, "Returns/sets the number of characters selected."},
    {"SelStart", 0x6803007D, GL, true, "Returns/sets the starting point of text selected."},
    {"SelText", 0x6803007C, GL, true,
     "Returns/sets the string containing the currently selected text."},
    {"Size", 0x600300B7, M, false, "Changes the width and height of a User Control."},
    {"ToolTipText", 0x6803007B, GL, false,
     "Returns/sets the text displayed when the mouse is paused over the control."},
    {"WhatsThisHelpID", 0x6803007A, GL, false,
     "Returns/sets an associated context number for an object."},
    {"Dropped", 0x68030079, GL, true,
     "Returns a value that indicates whether the dropdown portion of the control is visible."},
    {"Enabled", 0x68030078, GL, false,
     "Returns/sets a value that determines whether an object can respond to user-generated "
     "events."},
    {"AllowEmptyDate", 0x68030077, GL, false, ""},
};

TEST(MemberTable, TypeLibraryListsEveryMemberWithItsIdKindsAndHelp) {
  const auto& members = typelib::DefaultInterface().members;
  ASSERT_EQ(members.size(), std::size(kPublished));
  for (std::size_t i = 0; i < members.size(); ++i) {
    const PublishedMember& want = kPublished[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(members[i].name, want.name);
    EXPECT_EQ(static_cast<std::uint32_t>(members[i].dispid), want.dispid);
    EXPECT_EQ(members[i].access, want.access);
    EXPECT_EQ(members[i].browsable, !want.not_browsable);
    EXPECT_EQ(members[i].help, want.help);
    EXPECT_EQ(typelib::FindMember(members[i].dispid), &members[i]);
  }
}

TEST(MemberTable, SizeWritesItsByReferenceArgumentsBackAsSingles) {
  Harness h;
  std::vector<Variant> args{I16(2000), S("300")};
  Invoke(*h.control, h.locale, static_cast<std::int32_t>(0x600300B7), InvokeKind::Method, args);
  EXPECT_EQ(args[0], Variant(2000.0f));
  EXPECT_EQ(args[1], Variant(300.0f));
}

}  // namespace
}  // namespace datewell
