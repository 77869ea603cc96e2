#pragma once
// The control's one conversion from text to a date.

#include <optional>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "platform/types.h"

namespace datewell {

// The date a text names, after the locale's weekday names are cut out of a copy of it; today's
// date for empty or unreadable text. Never fails, whatever the bytes.
Date ParseDateText(LocaleServices& locale, std::string_view text);

// The same reading, with nothing for empty or unreadable text: what ParseDateText replaces by
// today's date.
std::optional<Date> ReadDateText(LocaleServices& locale, std::string_view text);

// Cuts the weekday names of the week that starts today out of text, each name once, each with
// the one character after it, in the order ParseDateText uses. Exposed for the tests.
std::string RemoveWeekdayNames(LocaleServices& locale, std::string text, Date today);

}  // namespace datewell
