#pragma once
// Shared value types of the platform contract: the host's automation date, its variant, colours,
// rectangles, font objects and errors.

#include <compare>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "datewell/hosterror.h"

namespace datewell {

// The host's automation date: a day number counted from 30 December 1899 (day 0), the fraction
// being the time of day. The control's own dates carry no time of day.
struct Date {
  double serial = 0.0;
  friend auto operator<=>(const Date&, const Date&) = default;
};

// A calendar day as three numbers (proleptic Gregorian calendar).
struct CivilDate {
  int year = 1899;
  int month = 12;  // 1 to 12
  int day = 30;    // 1 to 31
  friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;

// Date arithmetic that needs no locale (date_math.cpp).
Date DateFromCivil(const CivilDate& c);  // no range check
CivilDate CivilFromDate(Date d);         // the calendar day of d, time of day dropped
Date DateOnly(Date d);                   // d without its time of day (towards the earlier day)
int WeekdayOf(Date d);                   // Sunday = 1 to Saturday = 7
Date AddDays(Date d, int days);          // keeps the time of day
Date AddMonths(Date d, int months);      // clamps to the month's last day, keeps the time
bool IsValidCivil(const CivilDate& c);   // a real day in the years 100 to 9999
bool IsDateInRange(Date d);              // finite and within 1 Jan 100 .. 31 Dec 9999

// OLE_COLOR: a value with the high bit set is system colour (value & 0xFF); any other value is
// red-green-blue with red in the low byte.
using OleColor = std::uint32_t;
inline constexpr OleColor kSysColorFlag = 0x80000000u;
inline constexpr OleColor kColorWindowBackground = 0x80000005u;
inline constexpr OleColor kColorWindowText = 0x80000008u;
inline constexpr OleColor kColorButtonShadow = 0x80000010u;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// (left, top, right, bottom); right and bottom exclusive.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The rule of PtInRect: left and top inclusive, right and bottom exclusive.
constexpr bool PtInRect(const Rect& r, Point p) {
  return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

// A font object. Hosts share font objects by reference: assigning a font to a widget makes the
// widget use that very object.
struct Font {
  std::string name = "MS Sans Serif";
  float size = 8.0f;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethru = false;
  friend bool operator==(const Font&, const Font&) = default;
};
using FontRef = std::shared_ptr<Font>;

// The kinds of the host's tagged value that the control meets.
enum class VarKind {
  Empty,    // nothing assigned yet
  Null,     // no valid data
  Nothing,  // an object reference to no object
  Integer,  // 16-bit signed integer
  Long,     // 32-bit signed integer
  Single,   // single-precision number
  Double,   // double-precision number
  String,
  Boolean,  // True = -1, False = 0 when seen as a number
  Date,
  Font,  // a font object
};

std::string_view VarKindName(VarKind k);

struct NullTag {
  friend bool operator==(NullTag, NullTag) = default;
};
struct NothingTag {
  friend bool operator==(NothingTag, NothingTag) = default;
};

// The host's tagged value. Equality is kind and value (fonts by their attributes).
class Variant {
 public:
  Variant() = default;
  Variant(NullTag) : v_(NullTag{}) {}
  Variant(NothingTag) : v_(NothingTag{}) {}
  Variant(std::int16_t i) : v_(i) {}
  Variant(std::int32_t l) : v_(l) {}
  Variant(float f) : v_(f) {}
  Variant(double d) : v_(d) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(bool b) : v_(b) {}
  Variant(Date d) : v_(d) {}
  Variant(FontRef f) : v_(std::move(f)) {}

  static Variant Null() { return Variant(NullTag{}); }
  static Variant Nothing() { return Variant(NothingTag{}); }

  VarKind kind() const { return static_cast<VarKind>(v_.index()); }
  bool is(VarKind k) const { return kind() == k; }

  // Exact accessors: the value when the variant holds that kind, else HostError 13.
  std::int16_t integer() const;
  std::int32_t long_() const;
  float single() const;
  double double_() const;
  const std::string& string() const;
  bool boolean() const;
  Date date() const;
  const FontRef& font() const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  // The alternatives stand in the order of VarKind.
  std::variant<std::monostate, NullTag, NothingTag, std::int16_t, std::int32_t, float, double,
               std::string, bool, Date, FontRef>
      v_;
};

// The standard description of a host error number ("Application-defined or object-defined
// error" for numbers it does not know).
std::string_view HostErrorDescription(int number);

}  // namespace datewell
