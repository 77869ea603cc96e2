#include "platform/icu/date_recogniser.h"

#include <algorithm>
#include <array>
#include <utility>

#include <unicode/uchar.h>

#include "platform/utf8.h"

namespace datewell {

struct DateRecogniser::Token {
  enum Kind { kNumber, kMonth, kMeridiem } kind = kNumber;
  int value = 0;              // the number, the month (1 to 12) or the meridiem (0 or 1)
  int digits = 0;             // of a number
  bool also_weekday = false;  // a month word that is a weekday name as well
  bool after_colon = false;   // a number with ':' right before it continues a time of day
};

namespace {

constexpr std::size_t kMaxTokens = 16;
constexpr int kMaxDigits = 4;

// Characters that may stand between the parts of a date and are otherwise meaningless: a few
// ASCII ones, and any punctuation, dash or format mark beyond ASCII (the Arabic comma, the
// ideographic one, bidirectional marks).
bool IsPlainSeparator(char32_t c) {
  if (c >= 0x80) {
    const auto mask = U_GET_GC_MASK(static_cast<UChar32>(c));
    return (mask & (U_GC_P_MASK | U_GC_CF_MASK)) != 0;
  }
  switch (c) {
    case U' ':
    case U',':
    case U'/':
    case U'-':
    case U'\'':
    case U'(':
    case U')':
      return true;
    default:
      return false;
  }
}

bool IsColon(char32_t c) {
  return c == U':' || c == U'\uFF1A';
}
bool IsDot(char32_t c) {
  return c == U'.' || c == U'\uFF0E';
}

bool IsOrdinalSuffix(std::u32string_view text, std::size_t i) {
  if (i + 2 > text.size()) {
    return false;
  }
  const std::u32string_view s = text.substr(i, 2);
  if (s != U"st" && s != U"nd" && s != U"rd" && s != U"th") {
    return false;
  }
  return i + 2 == text.size() || !IsWordLetter(text[i + 2]);
}

}  // namespace

int WindowTwoDigitYear(int yy) {
  return yy < 30 ? 2000 + yy : 1900 + yy;
}

DateRecogniser::DateRecogniser(const std::vector<DateWord>& words, FieldOrder order, FoldRule rule)
    : order_(order), rule_(rule) {
  for (const DateWord& w : words) {
    Add(w);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    by_first_[entries_[i].folded.front()].push_back(i);
  }
  for (auto& [first, list] : by_first_) {
    std::stable_sort(list.begin(), list.end(), [&](std::size_t a, std::size_t b) {
      return entries_[a].folded.size() > entries_[b].folded.size();
    });
  }
}

void DateRecogniser::Add(const DateWord& word) {
  std::u32string folded = FoldUtf8(word.text, rule_);
  while (!folded.empty() && (folded.back() == U' ' || IsDot(folded.back()))) {
    folded.pop_back();
  }
  while (!folded.empty() && folded.front() == U' ') {
    folded.erase(folded.begin());
  }
  // Names written with digits ("1月", "tháng 1", "1-Kysã") are read as numbers; their words are
  // literals.
  if (std::any_of(folded.begin(), folded.end(), [](char32_t c) { return DigitValue(c) >= 0; })) {
    std::string run;
    for (std::size_t i = 0; i < word.text.size();) {
      const auto [c, size] = utf8::DecodeAt(word.text, i);
      if (IsWordLetter(c)) {
        run.append(word.text, i, size);
      } else if (!run.empty()) {
        Add(DateWord{.text = std::exchange(run, {}), .filler = true, .glued = true});
      }
      i += size;
    }
    if (!run.empty()) {
      Add(DateWord{.text = run, .filler = true, .glued = true});
    }
    return;
  }
  if (folded.empty() || !IsWordLetter(folded.front())) {
    return;
  }
  auto same = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.folded == folded; });
  if (same == entries_.end()) {
    entries_.push_back(
        Entry{std::move(folded), word.month, word.weekday, word.meridiem, word.filler, word.glued});
    return;
  }
  // The first meaning given wins (the locale's own words come before the English fallback).
  if (same->month == 0) {
    same->month = word.month;
  }
  if (same->meridiem < 0) {
    same->meridiem = word.meridiem;
  }
  same->weekday = same->weekday || word.weekday;
  same->filler = same->filler || word.filler;
  same->glued = same->glued || word.glued;
}

const DateRecogniser::Entry* DateRecogniser::Match(std::u32string_view text, std::size_t i) const {
  const auto found = by_first_.find(text[i]);
  if (found == by_first_.end()) {
    return nullptr;
  }
  for (std::size_t index : found->second) {
    const Entry& e = entries_[index];
    if (e.folded.size() > text.size() - i || text.compare(i, e.folded.size(), e.folded) != 0) {
      continue;
    }
    if (e.glued || EndsWord(text, i + e.folded.size(), e.folded.back())) {
      return &e;
    }
  }
  return nullptr;
}

bool DateRecogniser::EndsWord(std::u32string_view text, std::size_t i, char32_t last) const {
  if (i == text.size() || !IsSpacedLetter(last) || !IsSpacedLetter(text[i])) {
    return true;
  }
  const auto found = by_first_.find(text[i]);
  if (found == by_first_.end()) {
    return false;
  }
  for (std::size_t index : found->second) {
    const Entry& e = entries_[index];
    if (e.glued && e.folded.size() <= text.size() - i &&
        text.compare(i, e.folded.size(), e.folded) == 0) {
      const std::size_t end = i + e.folded.size();
      if (end == text.size() || !IsSpacedLetter(text[end])) {
        return true;
      }
    }
  }
  return false;
}

std::optional<Date> DateRecogniser::Recognise(std::string_view text) const {
  if (text.size() > kMaxTextBytes) {
    return std::nullopt;
  }
  std::array<char32_t, kMaxTextBytes> buffer;
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto [c, size] = utf8::DecodeAt(text, i);
    if (c == utf8::kReplacement) {
      return std::nullopt;
    }
    buffer[n++] = FoldChar(c, rule_);
    i += size;
  }
  const std::u32string_view folded(buffer.data(), n);

  // Pass 1: tokens.
  std::array<Token, kMaxTokens> tokens;
  std::size_t count = 0;
  auto push = [&](const Token& t) {
    if (count == kMaxTokens) {
      return false;
    }
    tokens[count++] = t;
    return true;
  };
  bool colon = false;
  bool labelled = false;  // a literal of the patterns ("年", "de") says which number is which
  for (std::size_t i = 0; i < n;) {
    const char32_t c = folded[i];
    if (DigitValue(c) >= 0) {
      Token t{Token::kNumber, 0, 0, false, colon};
      for (int d; i < n && (d = DigitValue(folded[i])) >= 0; ++i) {
        if (++t.digits > kMaxDigits) {
          return std::nullopt;
        }
        t.value = t.value * 10 + d;
      }
      if (!push(t)) {
        return std::nullopt;
      }
      colon = false;
      if (IsOrdinalSuffix(folded, i)) {
        i += 2;
      }
      continue;
    }
    if (IsWordLetter(c)) {
      const Entry* e = Match(folded, i);
      if (e == nullptr) {
        return std::nullopt;  // a word that is no part of a date
      }
      i += e->folded.size();
      colon = false;
      labelled = labelled || (e->filler && e->month == 0 && !e->weekday);
      if (e->month != 0) {
        if (!push(Token{Token::kMonth, e->month, 0, e->weekday, false})) {
          return std::nullopt;
        }
      } else if (e->meridiem >= 0) {
        if (!push(Token{Token::kMeridiem, e->meridiem, 0, false, false})) {
          return std::nullopt;
        }
      }
      continue;  // weekday names and pattern literals are skipped
    }
    if (IsColon(c)) {
      colon = true;
    } else if (!IsDot(c) && !IsPlainSeparator(c)) {
      return std::nullopt;
    }
    ++i;
  }

  // Pass 2: where the time of day begins. A number followed by ':' starts it; otherwise the
  // first number beyond those the date needs (two beside a month name, else three).
  // A month word that is also a weekday name (Spanish "mar") makes the date one of month name and
  // two numbers only when the text does not hold three numbers for an all-numeric date.
  std::size_t all_numbers = 0;
  bool plain_month = false;
  bool weekday_month = false;
  for (std::size_t k = 0; k < count; ++k) {
    all_numbers += tokens[k].kind == Token::kNumber ? 1 : 0;
    if (tokens[k].kind == Token::kMonth) {
      (tokens[k].also_weekday ? weekday_month : plain_month) = true;
    }
  }
  const bool has_month = plain_month || (weekday_month && all_numbers < 3);
  std::size_t time_at = count;
  for (std::size_t k = 0; k + 1 < count; ++k) {
    if (tokens[k].kind == Token::kNumber && tokens[k + 1].kind == Token::kNumber &&
        tokens[k + 1].after_colon) {
      time_at = k;
      break;
    }
  }
  if (time_at == count) {
    const int quota = has_month ? 2 : 3;
    int numbers = 0;
    for (std::size_t k = 0; k < count; ++k) {
      if (tokens[k].kind == Token::kNumber && ++numbers > quota) {
        time_at = k;
        break;
      }
    }
  }
  if (time_at < count && time_at > 0 && tokens[time_at - 1].kind == Token::kMeridiem) {
    --time_at;  // the marker stands before the time in some locales
  }
  if (time_at == count && count > 0 && tokens[count - 1].kind == Token::kMeridiem) {
    return std::nullopt;  // a marker with no time
  }

  // Pass 3: the date.
  std::array<const Token*, 3> numbers{};
  std::size_t number_count = 0;
  std::array<const Token*, kMaxTokens> months{};
  std::size_t month_count = 0;
  for (std::size_t k = 0; k < time_at; ++k) {
    const Token& t = tokens[k];
    if (t.kind == Token::kNumber) {
      if (number_count == numbers.size()) {
        return std::nullopt;
      }
      numbers[number_count++] = &t;
    } else if (t.kind == Token::kMonth) {
      months[month_count++] = &t;
    } else {
      return std::nullopt;
    }
  }
  // A month word that is also a weekday name counts as the month only when nothing else can.
  const Token* month_word = nullptr;
  std::size_t plain_months = 0;
  for (std::size_t k = 0; k < month_count; ++k) {
    if (!months[k]->also_weekday) {
      ++plain_months;
      month_word = months[k];
    }
  }
  if (plain_months > 1) {
    return std::nullopt;
  }
  if (plain_months == 0 && month_count > 0 && number_count == 2) {
    // Breton "Meurzh" is Tuesday and March: two of them still name one month.
    for (std::size_t k = 1; k < month_count; ++k) {
      if (months[k]->value != months[0]->value) {
        return std::nullopt;
      }
    }
    month_word = months[0];
  }

  CivilDate civil;
  int year_digits = 0;
  int year_value = 0;
  auto small = [](const Token* t) { return t->digits <= 2; };
  if (month_word != nullptr) {
    if (number_count != 2) {
      return std::nullopt;
    }
    const Token* day = nullptr;
    const Token* year = nullptr;
    if (numbers[0]->digits >= 3) {
      year = numbers[0];
      day = numbers[1];
    } else if (numbers[1]->digits >= 3 || order_ != FieldOrder::kYearMonthDay) {
      day = numbers[0];
      year = numbers[1];
    } else {
      year = numbers[0];
      day = numbers[1];
    }
    if (!small(day)) {
      return std::nullopt;
    }
    civil.month = month_word->value;
    civil.day = day->value;
    year_digits = year->digits;
    year_value = year->value;
  } else {
    if (number_count != 3) {
      return std::nullopt;
    }
    const Token* y = nullptr;
    const Token* m = nullptr;
    const Token* d = nullptr;
    // A first number of three or four digits is a year whatever the locale's order.
    if (numbers[0]->digits >= 3 || order_ == FieldOrder::kYearMonthDay) {
      y = numbers[0];
      m = numbers[1];
      d = numbers[2];
    } else if (order_ == FieldOrder::kMonthDayYear) {
      m = numbers[0];
      d = numbers[1];
      y = numbers[2];
    } else {
      d = numbers[0];
      m = numbers[1];
      y = numbers[2];
    }
    if (!small(m) || !small(d)) {
      return std::nullopt;
    }
    civil.month = m->value;
    civil.day = d->value;
    year_digits = y->digits;
    year_value = y->value;
  }
  civil.year = year_digits <= 2 ? WindowTwoDigitYear(year_value) : year_value;
  if (!IsValidCivil(civil) && month_word == nullptr && !labelled) {
    // An all-numeric date that the locale's order cannot read but the other order of day and
    // month can ("13/1/2004" in a month-first locale) can only mean that one.
    std::swap(civil.month, civil.day);
  }
  if (!IsValidCivil(civil)) {
    return std::nullopt;
  }
  const double day_number = DateFromCivil(civil).serial;

  // Pass 4: the time of day.
  if (time_at == count) {
    return Date{day_number};
  }
  int meridiem = -1;
  std::array<int, 3> parts{};
  std::size_t part_count = 0;
  for (std::size_t k = time_at; k < count; ++k) {
    const Token& t = tokens[k];
    if (t.kind == Token::kMeridiem) {
      // Only before the first number or after the last one.
      if (meridiem >= 0 || (part_count > 0 && k + 1 < count)) {
        return std::nullopt;
      }
      meridiem = t.value;
    } else if (t.kind == Token::kNumber) {
      // Parts follow one another with any separator between ("13:30", "13.30", "13 h 30").
      if (part_count == parts.size() || t.digits > 2 ||
          (part_count > 0 && tokens[k - 1].kind != Token::kNumber)) {
        return std::nullopt;
      }
      parts[part_count++] = t.value;
    } else {
      return std::nullopt;
    }
  }
  int hour = parts[0];
  if (meridiem >= 0) {
    if (hour < 1 || hour > 12) {
      return std::nullopt;
    }
    hour = hour % 12 + (meridiem == 1 ? 12 : 0);
  } else if (part_count < 2 || hour > 23) {
    return std::nullopt;
  }
  if (parts[1] > 59 || parts[2] > 59) {
    return std::nullopt;
  }
  const double time = (hour * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
  return Date{day_number < 0 ? day_number - time : day_number + time};
}

}  // namespace datewell
