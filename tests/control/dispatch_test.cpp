// The dispatch entry point and the automation conversions behind it: the published member table,
// members invoked by their dispatch ids with arguments of other kinds converted as an automation
// host converts them, and the host's errors where no conversion exists. (The scenarios invoke
// every member they set with its own kind, and the errors scenario the refusals it lists.)

#include "control/dispatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
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
using Log = std::vector<std::string>;

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

TEST_F(Conversions, ToBoolean) {
  RunConversions<bool>(
      {
          {"integer -1 is True", I16(-1), true},
          {"any other integer is True", I16(5), true},
          {"single 0.5 is True", Variant(0.5f), true},
          {"text True in any case", S(" tRUe "), true},
          {"text of a number", S("0"), false},
          {"text that is no Boolean", S("yes"), std::nullopt, kErrTypeMismatch},
      },
      [](const Variant& v) { return ToBool(v); });
}

TEST_F(Conversions, ToInteger16) {
  RunConversions<std::int16_t>(
      {
          {"long in range", I32(-32768), -32768},
          {"long too large", I32(32768), std::nullopt, kErrOverflow},
          {"half rounds to even (down)", Variant(2.5), 2},
          {"negative half rounds to even", Variant(-2.5), -2},
          {"True is -1", Variant(true), -1},
          {"text with a sign and exponent", S("-1E3"), -1000},
          {"hexadecimal text keeps its bits", S("&HFFFF"), -1},
          {"empty text is no number", S(""), std::nullopt, kErrTypeMismatch},
          {"text that is no number", S("12abc"), std::nullopt, kErrTypeMismatch},
          {"double too large", Variant(1e10), std::nullopt, kErrOverflow},
          {"NaN", Variant(std::nan("")), std::nullopt, kErrInvalidProcedureCall},
          {"null", Variant::Null(), std::nullopt, kErrInvalidUseOfNull},
          {"a font object", Variant(std::make_shared<Font>()), std::nullopt, kErrTypeMismatch},
      },
      [](const Variant& v) { return ToInt16(v); });
}

TEST_F(Conversions, ToInteger32AndSingle) {
  RunConversions<std::int32_t>(
      {
          {"text beyond 16 bits", S("100000"), 100000},
          {"hexadecimal with 8 digits", S("&H80000005"), static_cast<std::int32_t>(0x80000005u)},
          {"double beyond 32 bits", Variant(3e9), std::nullopt, kErrOverflow},
      },
      [](const Variant& v) { return ToInt32(v); });
  RunConversions<float>(
      {
          {"text", S("8.25"), 8.25f},
          {"integer", I16(12), 12.0f},
          {"double beyond a single", Variant(1e300), std::nullopt, kErrOverflow},
          {"infinity", Variant(std::numeric_limits<double>::infinity()), std::nullopt,
           kErrInvalidProcedureCall},
      },
      [](const Variant& v) { return ToFloat(v); });
}

TEST_F(Conversions, ToColour) {
  RunConversions<OleColor>(
      {
          {"long keeps its bits", I32(static_cast<std::int32_t>(0x80000005u)), 0x80000005u},
          {"double of an unsigned colour", Variant(2147483653.0), 0x80000005u},
          {"hexadecimal text", S("&HC0"), 0xC0u},
          {"double beyond 32 bits", Variant(5e9), std::nullopt, kErrOverflow},
          {"text that is no number", S("red"), std::nullopt, kErrTypeMismatch},
      },
      [](const Variant& v) { return ToColor(v); });
}

TEST_F(Conversions, ToText) {
  RunConversions<std::string>(
      {
          {"integer", I16(-12), "-12"},
          {"single keeps 7 digits", Variant(8.25f), "8.25"},
          {"single one third", Variant(1.0f / 3.0f), "0.3333333"},
          {"double keeps 15 digits", Variant(0.1 + 0.2), "0.3"},
          {"large double in exponent form", Variant(1e20), "1E+20"},
          {"date is its general date text", DateOf(2004, 1, 5), "1/5/2004"},
          {"a font gives its name", Variant(std::make_shared<Font>(Font{"Arial"})), "Arial"},
          {"date out of range", Variant(Date{1e308}), std::nullopt, kErrOverflow},
          {"null", Variant::Null(), std::nullopt, kErrInvalidUseOfNull},
      },
      [&](const Variant& v) { return ToString(v, locale); });
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

// What one member does when invoked by its dispatch id: the value put, what the host sees (one
// line, space separated), what a get returns afterwards, and what the widgets then hold.
struct BehaviourRow {
  const char* name;  // the member's name, then why the row is there
  InvokeKind kind;
  std::vector<Variant> args;
  const char* log;
  std::optional<Variant> get = std::nullopt;
  std::function<void(Harness&)> check = nullptr;
};

template <typename... T>
std::vector<Variant> Args(T... args) {
  return {Variant(args)...};
}

std::string Joined(const Log& log) {
  std::string text;
  for (const std::string& entry : log) {
    text += (text.empty() ? "" : " ") + entry;
  }
  return text;
}

TEST(MemberTable, EveryMemberBehavesByItsDispatchId) {
  auto font = std::make_shared<Font>(Font{"Courier New", 10.0f});
  const Variant yes(true);
  const BehaviourRow rows[] = {
      {"Font by reference", InvokeKind::PutRef, Args(Variant(font)), "PropertyChanged(Font) Resize",
       Variant(font), [&](Harness& h) { EXPECT_EQ(h.field().Font(), font) << "the very object"; }},
      {"BackColor writes two targets and reads one", InvokeKind::Put, Args(S("&HFFFFFF")),
       "Resize PropertyChanged(BackColor)", I32(0xFFFFFF),
       [](Harness& h) { EXPECT_EQ(h.w.surface->BackColor(), 0xFFFFFFu); }},
      {"FontUnderline from an integer", InvokeKind::Put, Args(I16(-1)),
       "PropertyChanged(FontUnderline) Resize", yes},
      {"FontStrikethru from text", InvokeKind::Put, Args(S("True")),
       "PropertyChanged(FontStrikethru) Resize", yes},
      {"SelStart from a double", InvokeKind::Put, Args(Variant(3.0)), "PropertyChanged(SelStart)",
       I32(3), [](Harness& h) { EXPECT_EQ(h.field().SelStart(), 3); }},
      {"SelLength from a 16-bit integer", InvokeKind::Put, Args(I16(4)),
       "PropertyChanged(SelLength)", I32(4)},
      {"SelText replaces the selection, and the text change is a Change", InvokeKind::Put,
       Args(S("X")), "Change PropertyChanged(SelText)", std::nullopt,
       [](Harness& h) { EXPECT_EQ(h.field().Text(), "XTuesday, June 15, 2010"); }},
      {"Dropped is a stored flag only", InvokeKind::Put, Args(yes), "PropertyChanged(Dropped)", yes,
       [](Harness& h) { EXPECT_FALSE(h.PanelOpen()); }},
  };
  for (const BehaviourRow& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    const std::string name = std::string(row.name).substr(0, std::string(row.name).find(' '));
    const typelib::Member* member = nullptr;
    for (const auto& m : typelib::DefaultInterface().members) {
      if (m.name == name) {
        member = &m;
      }
    }
    ASSERT_NE(member, nullptr);
    std::vector<Variant> args = row.args;
    EXPECT_TRUE(Invoke(*h.control, h.locale, member->dispid, row.kind, args).is(VarKind::Empty));
    EXPECT_EQ(Joined(h.host.Log()), row.log);
    if (row.get) {
      std::vector<Variant> none;
      EXPECT_EQ(Invoke(*h.control, h.locale, member->dispid, InvokeKind::Get, none), *row.get);
    }
    if (row.check) {
      row.check(h);
    }
  }
}

TEST(MemberTable, SizeWritesItsByReferenceArgumentsBackAsSingles) {
  Harness h;
  std::vector<Variant> args{I16(2000), S("300")};
  Invoke(*h.control, h.locale, static_cast<std::int32_t>(0x600300B7), InvokeKind::Method, args);
  EXPECT_EQ(args[0], Variant(2000.0f));
  EXPECT_EQ(args[1], Variant(300.0f));
}

TEST(Dispatch, FailuresRaiseTheHostsErrorAndChangeNothing) {
  struct Row {
    const char* name;
    std::uint32_t dispid;
    InvokeKind kind;
    std::vector<Variant> args;
    int error;
  };
  const std::int32_t kFontSize = 0x68030083;
  const Row rows[] = {
      {"let on Font, which is set by reference", 0xFFFFFE00, InvokeKind::Put,
       Args(Variant(std::make_shared<Font>())), kErrMemberNotFound},
      {"putref on a plain property", kFontSize, InvokeKind::PutRef, Args(I16(9)),
       kErrMemberNotFound},
      {"Font set to a text", 0xFFFFFE00, InvokeKind::PutRef, Args(S("Arial")), kErrTypeMismatch},
      {"FontSize from a font object", kFontSize, InvokeKind::Put,
       Args(Variant(std::make_shared<Font>())), kErrTypeMismatch},
      {"FontUnderline from null", 0x68030086, InvokeKind::Put, Args(Variant::Null()),
       kErrInvalidUseOfNull},
      {"a get with an argument", 0x6803008C, InvokeKind::Get, Args(I16(1)), kErrWrongArgumentCount},
      {"a put without a value", kFontSize, InvokeKind::Put, Args(), kErrWrongArgumentCount},
      {"Size with a bad second argument", 0x600300B7, InvokeKind::Method,
       Args(I16(2000), S("tall")), kErrTypeMismatch},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    const float width_before = h.w.surface->Width();
    std::vector<Variant> args = row.args;
    EXPECT_EQ(ErrorOf([&] {
                Invoke(*h.control, h.locale, static_cast<std::int32_t>(row.dispid), row.kind, args);
              }).number,
              row.error);
    EXPECT_TRUE(h.host.Log().empty()) << "nothing reported after a failed call";
    EXPECT_EQ(h.w.surface->Width(), width_before);
    EXPECT_EQ(h.field().FontSize(), 8.0f);
  }
}

}  // namespace
}  // namespace datewell
