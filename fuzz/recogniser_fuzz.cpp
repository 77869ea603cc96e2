// Arbitrary bytes through the date recogniser and ParseDateText, in a few locales. Besides not
// crashing, what they return must hold: a recognised date lies in the years 100 to 9999 and its
// short date reads back as the same day; ParseDateText always gives a date in range; a search
// position never lies beyond the text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "entry/parse_date_text.h"
#include "platform/icu/icu_locale.h"
#include "platform/utf8.h"

namespace {

using namespace datewell;

class FuzzClock final : public Clock {
 public:
  Date Now() override { return DateFromCivil({2010, 6, 15}); }
};

struct Fixture {
  FuzzClock clock;
  IcuLocale locales[5] = {IcuLocale(clock, "en_US"), IcuLocale(clock, "de_DE"),
                          IcuLocale(clock, "es_ES"), IcuLocale(clock, "ja_JP"),
                          IcuLocale(clock, "az_AZ")};
};

void Check(bool ok) {
  if (!ok) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Built once: an ICU locale costs milliseconds, a text microseconds.
  static Fixture fixture;
  if (size == 0) {
    return 0;
  }
  IcuLocale& locale = fixture.locales[data[0] % 5];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  if (const std::optional<Date> d = locale.RecogniseDate(text)) {
    Check(IsDateInRange(*d));
    const std::optional<Date> again = locale.RecogniseDate(locale.FormatDate(*d, kShortDate));
    Check(again.has_value() && *again == DateOnly(*d));
  }
  const Date parsed = ParseDateText(locale, text);
  Check(IsDateInRange(parsed));

  const std::size_t length = utf8::Length(text);
  const std::string_view needle = text.substr(0, text.size() / 3);
  const int plain = locale.InStr(text, needle);
  const int word = locale.InStrWeekday(text, needle);
  Check(plain >= 0 && static_cast<std::size_t>(plain) <= length);
  Check(word == 0 || (word >= plain && static_cast<std::size_t>(word) <= length));
  return 0;
}
