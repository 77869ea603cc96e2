#include "entry/parse_date_text.h"

#include <array>
#include <exception>
#include <string>

#include "platform/utf8.h"

namespace datewell {

std::string RemoveWeekdayNames(LocaleServices& locale, std::string text, Date today) {
  static constexpr std::array<std::string_view, 2> kMasks = {kWeekdayMask, kWeekdayAbbrevMask};
  for (int k = 0; k < 7; ++k) {
    const Date day = locale.DateAdd(today, k);
    // The full name goes first, so that its abbreviation never bites into it.
    for (std::string_view mask : kMasks) {
      const std::string name = locale.FormatDate(day, mask);
      const int p = locale.InStrWeekday(text, name);
      if (p == 0) {
        continue;
      }
      // Keep the first p - 1 characters and whatever follows the name and the one character
      // after it; a name that ends the text simply goes.
      const std::size_t start = utf8::ByteOffset(text, static_cast<std::size_t>(p - 1));
      const std::size_t after_name =
          start + utf8::ByteOffset(std::string_view(text).substr(start), utf8::Length(name));
      const std::size_t resume =
          after_name + utf8::ByteOffset(std::string_view(text).substr(after_name), 1);
      text.erase(start, resume - start);
    }
  }
  return text;
}

std::optional<Date> RecogniseDateText(LocaleServices& locale, std::string_view text, Date today) {
  if (text.empty()) {
    return std::nullopt;
  }
  try {
    const std::string rest = RemoveWeekdayNames(locale, std::string(text), today);
    return locale.RecogniseDate(rest);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

Date ParseDateText(LocaleServices& locale, std::string_view text) {
  const Date today = locale.Today();
  // Unreadable text of any kind is today's date.
  return RecogniseDateText(locale, text, today).value_or(today);
}

}  // namespace datewell
