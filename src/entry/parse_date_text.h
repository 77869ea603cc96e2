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

// The same reading without the fallback: the date a text names, or nothing when it names none.
// today is the day whose week's weekday names are cut out.
std::optional<Date> RecogniseDateText(LocaleServices& locale, std::string_view text, Date today);

// Cuts the weekday names of the week that starts today out of text, each name once, each with
// the one character after it, in the order ParseDateText uses. Exposed for the tests.
std::string RemoveWeekdayNames(LocaleServices& locale, std::string text, Date today);

}  // namespace datewell
