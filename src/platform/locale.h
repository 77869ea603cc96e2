#pragma once
// Date services of the locale: today's date, date parts and arithmetic, recognising and
// converting date text, formatting with masks, and a case-insensitive search. All text is UTF-8;
// positions and lengths count characters (Unicode code points).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace datewell {

// Where "now" comes from: the system clock, or a settable one on the headless desktop.
class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time as an automation date.
  virtual Date Now() = 0;
};

// The masks the control formats with.
inline constexpr std::string_view kLongDate = "Long Date";
inline constexpr std::string_view kShortDate = "Short Date";
inline constexpr std::string_view kMonthYearMask = "mmmm yyyy";
inline constexpr std::string_view kWeekdayMask = "dddd";
inline constexpr std::string_view kWeekdayAbbrevMask = "ddd";

class LocaleServices {
 public:
  virtual ~LocaleServices() = default;

  // Today's date without time of day.
  virtual Date Today() = 0;

  // Date parts and arithmetic (the proleptic Gregorian calendar).
  virtual int Day(Date d) { return CivilFromDate(d).day; }
  virtual int Month(Date d) { return CivilFromDate(d).month; }
  virtual int Year(Date d) { return CivilFromDate(d).year; }
  virtual int Weekday(Date d) { return WeekdayOf(d); }  // Sunday = 1
  virtual Date DateAdd(Date d, int days) { return AddDays(d, days); }
  virtual Date MonthAdd(Date d, int months) { return AddMonths(d, months); }

  // The lenient recogniser: the date a text names, or nothing when it names none (it never rolls
  // an invalid date over and refuses years outside 100 to 9999). A time of day after the date
  // becomes the fraction.
  virtual std::optional<Date> RecogniseDate(std::string_view text) = 0;

  // The plain date-to-text conversion: the short date form with a four-digit year, followed by
  // the time of day when the date has one. It reads back to the same date.
  virtual std::string DateToText(Date d) = 0;

  // A date formatted with a named format ("Long Date", "Short Date") or a mask ("mmmm yyyy",
  // "dddd", "ddd").
  virtual std::string FormatDate(Date d, std::string_view mask) = 0;

  // Case-insensitive search under the locale's comparison: the 1-based character position of the
  // first occurrence of needle in text, or 0.
  virtual int InStr(std::string_view text, std::string_view needle) = 0;

  // Where the weekday name `name` first stands as the weekday in text: the 1-based character
  // position of an occurrence that is a whole word (on the locale's word boundaries, no letter
  // or digit directly before it: in "1月5日" the 月 is part of the date), that lies in no month
  // or era name and in no longer weekday name; 0 when there is none or name is empty.
  // Characters are counted as platform/utf8.h counts them. Services without word data fall back
  // to the plain search.
  virtual int InStrWeekday(std::string_view text, std::string_view name) {
    return name.empty() ? 0 : InStr(text, name);
  }

  // Captions of the calendar panel in the locale's own words, for a control asked to show them:
  // the narrow weekday names, Sunday first ("S", "M", ... in English, "日", "月", ... in
  // Japanese); the word for today as a button shows it ("Today", "Heute", "今日"); and a day of
  // the month, 1 to 31, in the digits the locale writes its dates with ("5", or "٥" in Egyptian
  // Arabic). Services without such data give the English captions and ASCII digits.
  virtual std::array<std::string, 7> NarrowWeekdayNames() {
    return {"S", "M", "T", "W", "T", "F", "S"};
  }
  virtual std::string TodayCaption() { return "Today"; }
  virtual std::string DayOfMonthText(int day) { return std::to_string(day); }

  // The locale's name, e.g. "en_US".
  virtual std::string Name() const = 0;
};

}  // namespace datewell
