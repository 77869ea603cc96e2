#include "control/typelib.h"

#include <array>
#include <cstdio>

namespace datewell::typelib {
namespace {

constexpr std::uint8_t kGetLet = kGet | kLet;

constexpr std::array<Param, 2> kSizeParams{{
    {"Width", Type::Single, true},
    {"Height", Type::Single, true},
}};

// Shorthands for the rows below.
constexpr Member Property(std::string_view name, std::int32_t dispid, std::uint8_t access,
                          Type type, bool browsable, std::string_view help) {
  return Member{name, dispid, access, type, {}, false, browsable, help};
}
constexpr Member Method(std::string_view name, std::int32_t dispid, std::string_view help,
                        std::span<const Param> params = {}) {
  return Member{name, dispid, kMethod, Type::Void, params, false, true, help};
}

// _Datewell, in the order of its function table.
constexpr std::array<Member, 28> kMembers{{
    Property("Version", static_cast<std::int32_t>(0x6803008C), kGet, Type::String, true, ""),
    Property("DateValue", static_cast<std::int32_t>(0x6803008B), kGetLet, Type::Variant, true,
             "Allows setting of the Daypane Control's value using a Date variable."),
    Property("StringValue", static_cast<std::int32_t>(0x6803008A), kGetLet, Type::String, true,
             "Allows setting of the Daypane Control's value using a String variable."),
    Method("DropDown", static_cast<std::int32_t>(0x600300AB),
           "Shows the Daypane portion of the control."),
    Method("CloseUp", static_cast<std::int32_t>(0x600300AC),
           "Hides the Daypane portion of the control."),
    Method("ShowAboutBox", -552, ""),
    Member{"DateFormat",
           static_cast<std::int32_t>(0x68030089),
           kGetLet,
           Type::DateFormat,
           {},
           true,
           true,
           ""},
    Property("Font", -512, kGet | kSetRef, Type::Font, true, "Returns a Font object."),
    Property("ForeColor", static_cast<std::int32_t>(0x68030088), kGetLet, Type::OleColor, true,
             "Returns/sets the foreground color used to display text and graphics in an object."),
    Property("BackColor", static_cast<std::int32_t>(0x68030087), kGetLet, Type::OleColor, true,
             "Returns/sets the background color used to display text and graphics in an object."),
    Property("FontUnderline", static_cast<std::int32_t>(0x68030086), kGetLet, Type::Boolean, false,
             "Returns/sets underline font styles."),
    Property("FontTransparent", static_cast<std::int32_t>(0x68030085), kGetLet, Type::Boolean,
             false,
             "Returns/sets a value that determines whether background text/graphics on a Form, "
             "Printer or PictureBox are displayed."),
    Property("FontStrikethru", static_cast<std::int32_t>(0x68030084), kGetLet, Type::Boolean, false,
             "Returns/sets strikethrough font styles."),
    Property("FontSize", static_cast<std::int32_t>(0x68030083), kGetLet, Type::Single, false,
             "Specifies the size (in points) of the font that appears in each row for the given "
             "level."),
    Property("FontName", static_cast<std::int32_t>(0x68030082), kGetLet, Type::String, false,
             "Specifies the name of the font that appears in each row for the given level."),
    Property("FontItalic", static_cast<std::int32_t>(0x68030081), kGetLet, Type::Boolean, false,
             "Returns/sets italic font styles."),
    Property("FontBold", static_cast<std::int32_t>(0x68030080), kGetLet, Type::Boolean, false,
             "Returns/sets bold font styles."),
    Method("Refresh", static_cast<std::int32_t>(0x600300B6),
           "Forces a complete repaint of a object."),
    Property("Selected", static_cast<std::int32_t>(0x6803007F), kGetLet, Type::Boolean, false,
             "Returns/sets the selection status of an item in a control."),
    Property("SelLength", static_cast<std::int32_t>(0x6803007E), kGetLet, Type::Int32, false,
             "Returns/sets the number of characters selected."),
    Property("SelStart", static_cast<std::int32_t>(0x6803007D), kGetLet, Type::Int32, false,
             "Returns/sets the starting point of text selected."),
    Property("SelText", static_cast<std::int32_t>(0x6803007C), kGetLet, Type::String, false,
             "Returns/sets the string containing the currently selected text."),
    Method("Size", static_cast<std::int32_t>(0x600300B7),
           "Changes the width and height of a User Control.", kSizeParams),
    Property("ToolTipText", static_cast<std::int32_t>(0x6803007B), kGetLet, Type::String, true,
             "Returns/sets the text displayed when the mouse is paused over the control."),
    Property("WhatsThisHelpID", static_cast<std::int32_t>(0x6803007A), kGetLet, Type::Int32, true,
             "Returns/sets an associated context number for an object."),
    Property("Dropped", static_cast<std::int32_t>(0x68030079), kGetLet, Type::Boolean, false,
             "Returns a value that indicates whether the dropdown portion of the control is "
             "visible."),
    Property("Enabled", static_cast<std::int32_t>(0x68030078), kGetLet, Type::Boolean, true,
             "Returns/sets a value that determines whether an object can respond to "
             "user-generated events."),
    Property("AllowEmptyDate", static_cast<std::int32_t>(0x68030077), kGetLet, Type::Boolean, true,
             ""),
}};

constexpr std::array<Param, 2> kKeyParams{{
    {"KeyCode", Type::Int16, true},
    {"Shift", Type::Int16, true},
}};
constexpr std::array<Param, 1> kKeyPressParams{{
    {"KeyAscii", Type::Int16, true},
}};

// __Datewell: the dispatch id is the position.
constexpr std::array<Member, 9> kEvents{{
    Method("Change", 1, "Occurs when the contents of a control have changed."),
    Method("Click", 2,
           "Occurs when the user presses and then releases a mouse button over an object."),
    Method("DblClick", 3,
           "Occurs when the user presses and releases a mouse button and then presses and "
           "releases it again over an object."),
    Method("Hide", 4, "Occurs when the control's Visible property changes to False."),
    Method("KeyDown", 5, "Occurs when the user presses a key while an object has the focus.",
           kKeyParams),
    Method("KeyPress", 6, "Occurs when the user presses and releases an ANSI key.",
           kKeyPressParams),
    Method("KeyUp", 7, "Occurs when the user releases a key while an object has the focus.",
           kKeyParams),
    Method("Resize", 8, "Occurs when a form is first displayed or the size of an object changes."),
    Method("Show", 9, "Occurs when the control's Visible property changes to True."),
}};

constexpr std::array<Implemented, 2> kImplemented{{
    {"_Datewell", true, false},
    {"__Datewell", true, true},
}};

constexpr std::array<EnumValue, 2> kDateFormats{{
    {"LongDate", 0, "LongDate"},
    {"ShortDate", 1, "ShortDate"},
}};

constexpr std::array<TypeInfo, 4> kTypes{{
    {"_Datewell",
     TypeKind::Interface,
     kHidden | kDual | kNonExtensible | kOleAutomation,
     "B3AD9112-0FC6-4BB4-9360-6C162005CB63",
     "IDispatch",
     kMembers,
     {},
     {}},
    {"Datewell",
     TypeKind::CoClass,
     kControl,
     "BA4FAC3C-29B0-4499-8AC2-3EC1E45D618E",
     "",
     {},
     kImplemented,
     {}},
    {"__Datewell",
     TypeKind::DispInterface,
     kHidden | kNonExtensible,
     "08EEFB11-A73C-491A-8E0C-BD5A980B1921",
     "",
     kEvents,
     {},
     {}},
    {"eDateFormat",
     TypeKind::Enum,
     0,
     "21AA760E-7F1D-45F9-863B-3618B65CD0F4",
     "",
     {},
     {},
     kDateFormats},
}};

constexpr TypeLibrary kQuorvane{"Quorvane",
                                "E078F3C6-2154-41F0-B10B-ACC695B26399",
                                1,
                                0,
                                0x409,
                                true,
                                "Quorvane Daypane Control",
                                kTypes};

std::string Hex(std::int32_t value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%0*x", width, static_cast<std::uint32_t>(value));
  return buffer;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  out += '"';
  return out;
}

// The attribute block "[id(...), propget, nonbrowsable, helpstring(...)]".
std::string Attributes(const Member& m, std::string_view kind, int id_width) {
  std::string out = "[id(" + Hex(m.dispid, id_width) + ")";
  if (!kind.empty()) {
    out += ", ";
    out += kind;
  }
  if (!m.browsable) {
    out += ", nonbrowsable";
  }
  if (!m.help.empty()) {
    out += ", helpstring(" + Quoted(m.help) + ")";
  }
  return out + "]";
}

std::string ParamList(std::span<const Param> params) {
  std::string out;
  for (const Param& p : params) {
    if (!out.empty()) {
      out += ", ";
    }
    out += p.by_ref ? "[in, out] " : "[in] ";
    out += TypeName(p.type);
    out += p.by_ref ? "* " : " ";
    out += p.name;
  }
  return out;
}

void RenderInterfaceMember(std::string& out, const Member& m) {
  const std::string indent = "    ";
  auto line = [&](std::string_view kind, const std::string& signature) {
    out += indent + Attributes(m, kind, 8) + "\n";
    out += indent + "HRESULT " + std::string(m.name) + "(" + signature + ");\n";
  };
  std::string type(TypeName(m.type));
  if (m.access & kGet) {
    line("propget", "[out, retval] " + type + "* value");
  }
  if (m.access & kLet) {
    line("propput", m.let_by_ref ? "[in, out] " + type + "* value" : "[in] " + type + " value");
  }
  if (m.access & kSetRef) {
    line("propputref", "[in] " + type + " value");
  }
  if (m.access & kMethod) {
    line("", ParamList(m.params));
  }
}

void RenderTypeAttributes(std::string& out, const TypeInfo& t) {
  out += "  [\n    uuid(" + std::string(t.uuid) + ")";
  const std::pair<TypeFlag, std::string_view> names[] = {{kHidden, "hidden"},
                                                         {kDual, "dual"},
                                                         {kNonExtensible, "nonextensible"},
                                                         {kOleAutomation, "oleautomation"},
                                                         {kControl, "control"}};
  for (const auto& [flag, name] : names) {
    if (t.flags & flag) {
      out += ",\n    ";
      out += name;
    }
  }
  out += "\n  ]\n";
}

}  // namespace

std::string_view TypeName(Type type) {
  switch (type) {
    case Type::Void:
      return "void";
    case Type::Boolean:
      return "VARIANT_BOOL";
    case Type::Int16:
      return "short";
    case Type::Int32:
      return "long";
    case Type::Single:
      return "single";
    case Type::String:
      return "BSTR";
    case Type::Variant:
      return "VARIANT";
    case Type::Font:
      return "Font*";
    case Type::OleColor:
      return "OLE_COLOR";
    case Type::DateFormat:
      return "eDateFormat";
  }
  return "void";
}

const TypeLibrary& Quorvane() {
  return kQuorvane;
}

const TypeInfo& DefaultInterface() {
  return kTypes[0];
}

const TypeInfo& EventInterface() {
  return kTypes[2];
}

const Member* FindMember(std::int32_t dispid) {
  for (const Member& m : kMembers) {
    if (m.dispid == dispid) {
      return &m;
    }
  }
  return nullptr;
}

std::string RenderIdl(const TypeLibrary& lib) {
  std::string out;
  char version[32];
  std::snprintf(version, sizeof version, "%u.%u", lib.major_version, lib.minor_version);
  out += "[\n  uuid(" + std::string(lib.uuid) + "),\n  version(" + version + "),\n  lcid(" +
         Hex(static_cast<std::int32_t>(lib.lcid), 4) + "),\n  helpstring(" + Quoted(lib.help) + ")";
  if (lib.contains_controls) {
    out += ",\n  control";
  }
  out += "\n]\nlibrary " + std::string(lib.name) + "\n{\n  importlib(\"stdole2.tlb\");\n";
  for (const TypeInfo& t : lib.types) {
    out += "\n";
    switch (t.kind) {
      case TypeKind::Interface:
        RenderTypeAttributes(out, t);
        out += "  interface " + std::string(t.name) + " : " + std::string(t.base) + " {\n";
        for (const Member& m : t.members) {
          RenderInterfaceMember(out, m);
        }
        out += "  };\n";
        break;
      case TypeKind::CoClass:
        RenderTypeAttributes(out, t);
        out += "  coclass " + std::string(t.name) + " {\n";
        for (const Implemented& i : t.implemented) {
          out += "    [";
          out += i.is_default ? (i.is_source ? "default, source" : "default")
                              : (i.is_source ? "source" : "");
          out += i.is_source ? "] dispinterface " : "] interface ";
          out += std::string(i.name) + ";\n";
        }
        out += "  };\n";
        break;
      case TypeKind::DispInterface:
        RenderTypeAttributes(out, t);
        out += "  dispinterface " + std::string(t.name) + " {\n    properties:\n    methods:\n";
        for (const Member& m : t.members) {
          out += "      " + Attributes(m, "", 8) + "\n";
          out += "      void " + std::string(m.name) + "(" + ParamList(m.params) + ");\n";
        }
        out += "  };\n";
        break;
      case TypeKind::Enum:
        out += "  typedef [uuid(" + std::string(t.uuid) + ")]\n  enum {\n";
        for (std::size_t i = 0; i < t.values.size(); ++i) {
          const EnumValue& v = t.values[i];
          out += "    ";
          if (!v.help.empty()) {
            out += "[helpstring(" + Quoted(v.help) + ")] ";
          }
          out += std::string(v.name) + " = " + std::to_string(v.value);
          out += i + 1 < t.values.size() ? ",\n" : "\n";
        }
        out += "  } " + std::string(t.name) + ";\n";
        break;
    }
  }
  out += "};\n";
  return out;
}

}  // namespace datewell::typelib
