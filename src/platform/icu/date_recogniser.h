#pragma once
// The lenient date recogniser: reads typed and formatted date texts against a word list built
// once per locale (month names, weekday names, morning and afternoon markers, the literal words
// of the locale's date patterns), all folded in advance.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/icu/text_fold.h"
#include "platform/types.h"

namespace datewell {

// Which number comes first, second and third in an all-numeric date of the locale.
enum class FieldOrder { kMonthDayYear, kDayMonthYear, kYearMonthDay };

// What a word of the list means; a word may mean several things (Spanish "mar" is March and
// Tuesday).
struct DateWord {
  std::string text;  // as the locale writes it; folded and stripped of a final dot on adding
  int month = 0;     // 1 to 12 when it names a month
  bool weekday = false;
  int meridiem = -1;    // 0 morning, 1 afternoon
  bool filler = false;  // a literal of the date patterns ("de", "年")
  bool glued = false;   // a literal written against a field ("ren" in "urtarrilaren")
};

// The year a one- or two-digit year stands for: 00-29 are 2000-2029, 30-99 are 1930-1999.
int WindowTwoDigitYear(int yy);

class DateRecogniser {
 public:
  DateRecogniser(const std::vector<DateWord>& words, FieldOrder order, FoldRule rule);

  // The date the text names, with the time of day as the fraction when the text names one; or
  // nothing. Never rolls an invalid date over; only years 100 to 9999.
  std::optional<Date> Recognise(std::string_view text) const;

  FieldOrder order() const { return order_; }

  // Texts longer than this name no date (and cost nothing to refuse).
  static constexpr std::size_t kMaxTextBytes = 512;

 private:
  struct Entry {
    std::u32string folded;
    int month = 0;
    bool weekday = false;
    int meridiem = -1;
    bool filler = false;
    bool glued = false;
  };
  struct Token;

  void Add(const DateWord& word);
  // The longest entry that matches folded text at i and ends where a word may end; or null.
  const Entry* Match(std::u32string_view text, std::size_t i) const;
  // Whether a word may end at i: the text ends, no letter of a spaced script continues it, or a
  // literal written against a field follows.
  bool EndsWord(std::u32string_view text, std::size_t i, char32_t last) const;

  FieldOrder order_;
  FoldRule rule_;
  std::vector<Entry> entries_;
  // Indexes into entries_ by first character, longest first.
  std::unordered_map<char32_t, std::vector<std::size_t>> by_first_;
};

}  // namespace datewell
