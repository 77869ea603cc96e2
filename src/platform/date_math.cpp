#include <chrono>
#include <cmath>

#include "platform/types.h"

namespace datewell {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days kEpoch = sys_days{year{1899} / month{12} / day{30}};

// Automation dates before the epoch keep a positive time of day: -1.25 is 29 December 1899,
// 6 in the morning. The day is the serial truncated towards zero.
struct Split {
  double day_number;
  double time;
};

Split SplitDate(Date d) {
  double whole = std::trunc(d.serial);
  return {whole, std::fabs(d.serial - whole)};
}

Date Join(double day_number, double time) {
  return Date{day_number < 0 ? day_number - time : day_number + time};
}

}  // namespace

Date DateFromCivil(const CivilDate& c) {
  sys_days sd{year{c.year} / month{static_cast<unsigned>(c.month)} /
              day{static_cast<unsigned>(c.day)}};
  return Date{static_cast<double>((sd - kEpoch).count())};
}

CivilDate CivilFromDate(Date d) {
  year_month_day ymd{kEpoch + days{static_cast<long>(SplitDate(d).day_number)}};
  return CivilDate{static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                   static_cast<int>(unsigned(ymd.day()))};
}

Date DateOnly(Date d) {
  return Date{SplitDate(d).day_number};
}

int WeekdayOf(Date d) {
  std::chrono::weekday wd{kEpoch + days{static_cast<long>(SplitDate(d).day_number)}};
  return static_cast<int>(wd.c_encoding()) + 1;
}

Date AddDays(Date d, int n) {
  Split s = SplitDate(d);
  return Join(s.day_number + n, s.time);
}

Date AddMonths(Date d, int n) {
  Split s = SplitDate(d);
  CivilDate c = CivilFromDate(d);
  int total = c.year * 12 + (c.month - 1) + n;
  std::chrono::year_month_day_last last{
      year{total / 12}, std::chrono::month_day_last{month{static_cast<unsigned>(total % 12 + 1)}}};
  int max_day = static_cast<int>(unsigned(last.day()));
  CivilDate r{total / 12, total % 12 + 1, c.day < max_day ? c.day : max_day};
  return Join(DateFromCivil(r).serial, s.time);
}

bool IsValidCivil(const CivilDate& c) {
  if (c.year < kMinYear || c.year > kMaxYear || c.month < 1 || c.month > 12 || c.day < 1) {
    return false;
  }
  year_month_day ymd{year{c.year}, month{static_cast<unsigned>(c.month)},
                     day{static_cast<unsigned>(c.day)}};
  return ymd.ok();
}

bool IsDateInRange(Date d) {
  static constexpr double kFirst = -657434.0;  // 1 January 100
  static constexpr double kLast = 2958465.0;   // 31 December 9999
  return std::isfinite(d.serial) && d.serial > kFirst - 1.0 && d.serial < kLast + 1.0;
}

}  // namespace datewell
