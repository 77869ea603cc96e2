// The type library as data: its four types in order with their flags, the events with their ids,
// parameters and help strings, the enumeration, and the IDL-like text printed from it.

#include "control/typelib.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace datewell {
namespace {

using namespace typelib;

TEST(TypeLibrary, HoldsFourTypesInOrderWithTheirFlags) {
  const TypeLibrary& lib = Quorvane();
  EXPECT_EQ(lib.name, "Quorvane");
  EXPECT_EQ(lib.lcid, 0x409u);
  EXPECT_TRUE(lib.contains_controls);
  EXPECT_FALSE(lib.help.empty());

  struct Row {
    const char* name;
    TypeKind kind;
    std::uint32_t flags;
  };
  const Row rows[] = {
      {"_Datewell", TypeKind::Interface, kHidden | kDual | kNonExtensible | kOleAutomation},
      {"Datewell", TypeKind::CoClass, kControl},
      {"__Datewell", TypeKind::DispInterface, kHidden | kNonExtensible},
      {"eDateFormat", TypeKind::Enum, 0},
  };
  ASSERT_EQ(lib.types.size(), std::size(rows));
  std::set<std::string_view> uuids{lib.uuid};
  for (std::size_t i = 0; i < lib.types.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(lib.types[i].name, rows[i].name);
    EXPECT_EQ(lib.types[i].kind, rows[i].kind);
    EXPECT_EQ(lib.types[i].flags, rows[i].flags);
    EXPECT_EQ(lib.types[i].uuid.size(), 36u);
    uuids.insert(lib.types[i].uuid);
  }
  EXPECT_EQ(uuids.size(), 5u) << "every identifier is distinct";
  // The base interface and the coclass's two interfaces show in the printed text below.
}

TEST(TypeLibrary, EventsWithIdsParametersAndHelpStrings) {
  struct Row {
    const char* name;
    std::int32_t id;
    const char* params;  // all 16-bit integers by reference
    const char* help;
  };
  const Row rows[] = {
      {"Change", 1, "", "Occurs when the contents of a control have changed."},
      {"Click", 2, "",
       "Occurs when the user presses and then releases a mouse button over an object."},
      {"DblClick", 3, "",
       "Occurs when the user presses and releases a mouse button and then presses and releases it "
       "again over an object."},
      {"Hide", 4, "", "Occurs when the control's Visible property changes to False."},
      {"KeyDown", 5, "KeyCode Shift",
       "Occurs when the user presses a key while an object has the focus."},
      {"KeyPress", 6, "KeyAscii", "Occurs when the user presses and releases an ANSI key."},
      {"KeyUp", 7, "KeyCode Shift",
       "Occurs when the user releases a key while an object has the focus."},
      {"Resize", 8, "", "Occurs when a form is first displayed or the size of an object changes."},
      {"Show", 9, "", "Occurs when the control's Visible property changes to True."},
  };
  const auto& events = EventInterface().members;
  ASSERT_EQ(events.size(), std::size(rows));
  for (std::size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(events[i].name, rows[i].name);
    EXPECT_EQ(events[i].dispid, rows[i].id);
    EXPECT_EQ(events[i].help, rows[i].help);
    std::string params;
    for (const auto& param : events[i].params) {
      params += (params.empty() ? "" : " ") + std::string(param.name);
      EXPECT_EQ(param.type, Type::Int16);
      EXPECT_TRUE(param.by_ref);
    }
    EXPECT_EQ(params, rows[i].params);
  }
}

TEST(TypeLibrary, RendersReadableIdl) {
  const std::string idl = RenderIdl(Quorvane());
  // Each row: a declaration that must appear, as a reader of the text would look for it.
  const char* expected[] = {
      "library Quorvane",
      "  interface _Datewell : IDispatch {",
      "    [id(0x6803008c), propget]\n    HRESULT Version([out, retval] BSTR* value);",
      "    [id(0x68030089), propput]\n    HRESULT DateFormat([in, out] eDateFormat* value);",
      ("    [id(0xfffffe00), propputref, helpstring(\"Returns a Font object.\")]\n"
       "    HRESULT Font([in] Font* value);"),
      "    [id(0xfffffdd8)]\n    HRESULT ShowAboutBox();",
      "HRESULT Size([in, out] single* Width, [in, out] single* Height);",
      "    [default] interface _Datewell;\n    [default, source] dispinterface __Datewell;",
      "    [helpstring(\"ShortDate\")] ShortDate = 1\n  } eDateFormat;",
  };
  for (const char* text : expected) {
    EXPECT_NE(idl.find(text), std::string::npos) << "missing:\n" << text << "\nin:\n" << idl;
  }
  // Every member of the interface appears once per kind it has: 23 gets, 21 lets, one set by
  // reference and 5 methods.
  std::size_t declarations = 0;
  for (std::size_t at = idl.find("HRESULT "); at != std::string::npos;
       at = idl.find("HRESULT ", at + 1)) {
    ++declarations;
  }
  EXPECT_EQ(declarations, 23u + 21u + 1u + 5u);
  EXPECT_EQ(idl.back(), '\n');
}

}  // namespace
}  // namespace datewell
