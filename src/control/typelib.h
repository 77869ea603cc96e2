#pragma once
// The control's type library as data the program can read: the library Quorvane with its four
// types (the default interface _Datewell, the control class Datewell, the event interface
// __Datewell and the enumeration eDateFormat), every member and event with its dispatch id,
// parameters, flags and help string. The dispatch entry point (dispatch.h) takes argument types
// from here; RenderIdl prints the library in a readable IDL-like form for hosts and tools.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace datewell::typelib {

// The types that members take and return.
enum class Type {
  Void,
  Boolean,     // 16 bits, True = -1
  Int16,       // 16-bit integer
  Int32,       // 32-bit integer
  Single,      // single-precision number
  String,      // text
  Variant,     // any variant
  Font,        // a font object
  OleColor,    // 32-bit colour in the host's encoding
  DateFormat,  // the enumeration eDateFormat (32 bits)
};
// The IDL spelling: VARIANT_BOOL, short, long, single, BSTR, VARIANT, Font*, OLE_COLOR, ...
std::string_view TypeName(Type type);

// What a member can be called as; a property may have several.
enum Access : std::uint8_t {
  kGet = 1,     // property get
  kLet = 2,     // property let (put)
  kSetRef = 4,  // property set by reference (putref)
  kMethod = 8,
};

struct Param {
  std::string_view name;
  Type type;
  bool by_ref;  // in and out: the callee may change it
};

struct Member {
  std::string_view name;
  std::int32_t dispid;
  std::uint8_t access;            // Access bits
  Type type;                      // the property's type; Void for methods and events
  std::span<const Param> params;  // of methods and events
  bool let_by_ref;                // the let receives its value by reference
  bool browsable;                 // false: a property browser does not list it
  std::string_view help;          // empty: no help string
};

struct EnumValue {
  std::string_view name;
  std::int32_t value;
  std::string_view help;
};

enum class TypeKind { Interface, CoClass, DispInterface, Enum };

// Type flags.
enum TypeFlag : std::uint32_t {
  kHidden = 1,
  kDual = 2,
  kNonExtensible = 4,
  kOleAutomation = 8,
  kControl = 16,
};

// An interface a control class implements.
struct Implemented {
  std::string_view name;
  bool is_default;
  bool is_source;  // the class raises these events
};

struct TypeInfo {
  std::string_view name;
  TypeKind kind;
  std::uint32_t flags;  // TypeFlag bits
  std::string_view uuid;
  std::string_view base;                     // interfaces: the interface derived from
  std::span<const Member> members;           // interfaces: members; dispinterface: events
  std::span<const Implemented> implemented;  // control class
  std::span<const EnumValue> values;         // enumeration
};

struct TypeLibrary {
  std::string_view name;
  std::string_view uuid;
  std::uint16_t major_version;
  std::uint16_t minor_version;
  std::uint32_t lcid;
  bool contains_controls;
  std::string_view help;
  std::span<const TypeInfo> types;  // in the library's order
};

// The library Quorvane.
const TypeLibrary& Quorvane();
// The default interface _Datewell and the event interface __Datewell.
const TypeInfo& DefaultInterface();
const TypeInfo& EventInterface();
// The member of _Datewell with that dispatch id, or nullptr.
const Member* FindMember(std::int32_t dispid);

// The library as readable IDL-like text, one declaration per line pair, ending with a newline.
std::string RenderIdl(const TypeLibrary& library);

}  // namespace datewell::typelib
