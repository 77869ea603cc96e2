#pragma once
// The locale's date services over ICU. Everything ICU builds (formatters with a proleptic
// Gregorian calendar in GMT, the pattern generator's results, the weekday names, the panel's
// captions, the recogniser's word list) is built once, the first time a call needs it, and kept,
// so that no later call constructs an ICU object and a program does not wait at start-up for what
// it has not used yet. One object serves one user-interface thread: InStr keeps the last folded
// texts.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"

namespace datewell {

// The ICU locale name for a requested one: the request itself when not empty, else the first of
// LC_ALL, LC_TIME, LANG that is set and not empty, with its codeset (".UTF-8") and modifier
// ("@euro") dropped; en_US when that leaves nothing, "C" or "POSIX".
std::string ResolveLocaleName(std::string_view requested, const char* lc_all, const char* lc_time,
                              const char* lang);

// The names of every locale ICU has data for ("af", "af_NA", ... "zu_ZA").
std::vector<std::string> AvailableLocaleNames();

class IcuLocale final : public LocaleServices {
 public:
  // locale_name "" takes the locale from the environment (see ResolveLocaleName).
  explicit IcuLocale(Clock& clock, std::string_view locale_name = "");
  ~IcuLocale() override;
  IcuLocale(const IcuLocale&) = delete;
  IcuLocale& operator=(const IcuLocale&) = delete;

  Date Today() override;
  std::optional<Date> RecogniseDate(std::string_view text) override;
  std::string DateToText(Date d) override;
  // Unknown masks give the short date. A date ICU cannot place (NaN, an infinity, hundreds of
  // thousands of years away) gives "".
  std::string FormatDate(Date d, std::string_view mask) override;
  int InStr(std::string_view text, std::string_view needle) override;
  int InStrWeekday(std::string_view text, std::string_view name) override;
  std::array<std::string, 7> NarrowWeekdayNames() override;
  std::string TodayCaption() override;
  std::string DayOfMonthText(int day) override;
  std::string Name() const override;

 private:
  struct Impl;
  Clock& clock_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace datewell
