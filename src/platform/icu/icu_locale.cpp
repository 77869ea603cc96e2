#include "platform/icu/icu_locale.h"

#include <unicode/brkiter.h>
#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/icu/date_recogniser.h"
#include "platform/icu/text_fold.h"
#include "platform/utf8.h"

namespace datewell {
namespace {

constexpr double kUnixEpochSerial = 25569.0;  // 1 January 1970
constexpr double kMsPerDay = 86400000.0;
constexpr double kFarPast = -8.64e15;       // the earliest instant ICU can hold
constexpr double kFormattableDays = 1.0e8;  // about 270 000 years either way
constexpr double kKnownSunday = 37990.0;    // 4 January 2004

std::string ToUtf8(const icu::UnicodeString& u) {
  std::string s;
  u.toUTF8String(s);
  return s;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string StripEnvName(std::string name) {
  if (auto at = name.find('@'); at != std::string::npos) {
    name.erase(at);
  }
  if (auto dot = name.find('.'); dot != std::string::npos) {
    name.erase(dot);
  }
  return name;
}

// A proleptic Gregorian calendar in GMT: no Julian days before 1582, no time zone shifts.
std::unique_ptr<icu::Calendar> MakeCalendar(const icu::Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  auto calendar = std::make_unique<icu::GregorianCalendar>(
      icu::TimeZone::createTimeZone(icu::UnicodeString(u"GMT")), locale, status);
  calendar->setGregorianChange(kFarPast, status);
  return calendar;
}

std::unique_ptr<icu::SimpleDateFormat> MakeFormat(const icu::UnicodeString& pattern,
                                                  const icu::Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  auto format = std::make_unique<icu::SimpleDateFormat>(pattern, locale, status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"yyyy-MM-dd"),
                                                     icu::Locale::getRoot(), status);
  }
  format->adoptCalendar(MakeCalendar(locale).release());
  return format;
}

icu::UnicodeString StylePattern(icu::DateFormat::EStyle style, const icu::Locale& locale) {
  std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(style, locale));
  icu::UnicodeString pattern;
  if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get())) {
    simple->toPattern(pattern);
  }
  if (pattern.isEmpty()) {
    pattern = style == icu::DateFormat::kFull ? u"EEEE, d MMMM yyyy" : u"yyyy-MM-dd";
  }
  return pattern;
}

// The literal words of a date pattern: quoted text, and letters that are no pattern fields. A
// word written against a field without a separator is marked glued.
std::vector<DateWord> PatternLiterals(const icu::UnicodeString& pattern) {
  std::vector<DateWord> words;
  icu::UnicodeString word;
  bool glued = false;
  bool after_field = false;
  auto flush = [&](bool before_field) {
    if (!word.isEmpty()) {
      words.push_back(
          DateWord{.text = ToUtf8(word), .filler = true, .glued = glued || before_field});
      word.remove();
    }
    glued = false;
  };
  bool quoted = false;
  for (int32_t i = 0; i < pattern.length();) {
    const UChar32 c = pattern.char32At(i);
    i += U16_LENGTH(c);
    if (c == u'\'') {
      quoted = !quoted;
      continue;
    }
    const bool field = !quoted && c < 0x80 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    if (field) {
      flush(true);
      after_field = true;
    } else if (IsWordLetter(static_cast<char32_t>(c))) {
      if (word.isEmpty()) {
        glued = after_field;
      }
      word.append(c);
      after_field = false;
    } else {
      flush(false);
      after_field = false;
    }
  }
  flush(false);
  return words;
}

FieldOrder OrderOf(const icu::UnicodeString& pattern) {
  int32_t year = -1;
  int32_t month = -1;
  int32_t day = -1;
  bool quoted = false;
  for (int32_t i = 0; i < pattern.length(); ++i) {
    const char16_t c = pattern.charAt(i);
    if (c == u'\'') {
      quoted = !quoted;
    } else if (!quoted) {
      if ((c == u'y' || c == u'Y' || c == u'u') && year < 0) {
        year = i;
      } else if ((c == u'M' || c == u'L') && month < 0) {
        month = i;
      } else if (c == u'd' && day < 0) {
        day = i;
      }
    }
  }
  if (year < month && month < day) {
    return FieldOrder::kYearMonthDay;
  }
  if (month < day && day < year) {
    return FieldOrder::kMonthDayYear;
  }
  return FieldOrder::kDayMonthYear;
}

void AddNames(std::vector<DateWord>& words, const icu::UnicodeString* names, int32_t count,
              int first_index, const DateWord& meaning, bool number_is_month) {
  for (int32_t i = first_index; i < count; ++i) {
    DateWord w = meaning;
    w.text = ToUtf8(names[i]);
    if (number_is_month) {
      w.month = i + 1;
    }
    words.push_back(std::move(w));
  }
}

void AddSymbols(std::vector<DateWord>& words, const icu::DateFormatSymbols& symbols) {
  using S = icu::DateFormatSymbols;
  int32_t count = 0;
  for (auto context : {S::FORMAT, S::STANDALONE}) {
    for (auto width : {S::WIDE, S::ABBREVIATED}) {
      const icu::UnicodeString* months = symbols.getMonths(count, context, width);
      AddNames(words, months, std::min(count, 12), 0, DateWord{}, true);
    }
    for (auto width : {S::WIDE, S::ABBREVIATED, S::SHORT}) {
      // Weekday arrays start at index 1 (Sunday).
      const icu::UnicodeString* days = symbols.getWeekdays(count, context, width);
      DateWord weekday;
      weekday.weekday = true;
      AddNames(words, days, count, 1, weekday, false);
    }
  }
  // The name of the current era ("AD", "م") is a literal; earlier eras are out of range anyway.
  const icu::UnicodeString* eras = symbols.getEras(count);
  if (count > 1) {
    words.push_back(DateWord{.text = ToUtf8(eras[1]), .filler = true});
  }
  eras = symbols.getEraNames(count);
  if (count > 1) {
    words.push_back(DateWord{.text = ToUtf8(eras[1]), .filler = true});
  }
  const icu::UnicodeString* am_pm = symbols.getAmPmStrings(count);
  for (int32_t i = 0; i < count && i < 2; ++i) {
    words.push_back(DateWord{.text = ToUtf8(am_pm[i]), .meridiem = i});
  }
}

// The locale's word for today, capitalised as a caption starts ("Today", "Heute", "今日"): the
// relative date format names the current day by it. Nothing when the locale has no such word
// (the relative format then writes the date itself).
std::optional<std::string> TodayWord(const icu::Locale& locale) {
  std::unique_ptr<icu::DateFormat> relative(
      icu::DateFormat::createDateInstance(icu::DateFormat::kFullRelative, locale));
  std::unique_ptr<icu::DateFormat> plain(
      icu::DateFormat::createDateInstance(icu::DateFormat::kFull, locale));
  if (!relative || !plain) {
    return std::nullopt;
  }
  UErrorCode status = U_ZERO_ERROR;
  relative->setContext(UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, status);
  const UDate now = icu::Calendar::getNow();
  icu::UnicodeString word;
  icu::UnicodeString date;
  relative->format(now, word);
  plain->format(now, date);
  if (word.isEmpty() || word == date) {
    return std::nullopt;
  }
  return ToUtf8(word);
}

// The names a weekday name must not be cut out of: the month names in every form the locale
// writes them, and the names of the eras.
std::vector<icu::UnicodeString> MonthAndEraNames(const icu::DateFormatSymbols& symbols) {
  using S = icu::DateFormatSymbols;
  std::vector<icu::UnicodeString> names;
  int32_t count = 0;
  for (auto context : {S::FORMAT, S::STANDALONE}) {
    for (auto width : {S::WIDE, S::ABBREVIATED}) {
      const icu::UnicodeString* months = symbols.getMonths(count, context, width);
      names.insert(names.end(), months, months + count);
    }
  }
  const icu::UnicodeString* eras = symbols.getEras(count);
  names.insert(names.end(), eras, eras + count);
  eras = symbols.getEraNames(count);
  names.insert(names.end(), eras, eras + count);
  return names;
}

}  // namespace

std::string ResolveLocaleName(std::string_view requested, const char* lc_all, const char* lc_time,
                              const char* lang) {
  std::string name(requested);
  if (name.empty()) {
    for (const char* candidate : {lc_all, lc_time, lang}) {
      if (candidate != nullptr && *candidate != '\0') {
        name = StripEnvName(candidate);
        break;
      }
    }
  }
  for (char& c : name) {
    c = c == '-' ? '_' : c;
  }
  if (name.empty() || name == "C" || name == "POSIX") {
    return "en_US";
  }
  return name;
}

std::vector<std::string> AvailableLocaleNames() {
  int32_t count = 0;
  const icu::Locale* locales = icu::Locale::getAvailableLocales(count);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    names.emplace_back(locales[i].getName());
  }
  return names;
}

struct IcuLocale::Impl {
  icu::Locale locale;
  icu::Locale gregorian;  // the locale with the Gregorian calendar
  FoldRule rule = FoldRule::kDefault;

  // Each part is built the first time it is needed: a new control formats today's long date and
  // nothing else, so that a program shows its first form without waiting for the pattern
  // generator, the other formats or the recogniser. Once built, nothing is built again.
  icu::UnicodeString full_pattern;  // the full date style, once long_date or patterns are made
  std::unique_ptr<icu::SimpleDateFormat> long_date;
  bool patterns_made = false;
  icu::UnicodeString short_two;  // the short date style, with the locale's own year width
  icu::UnicodeString month_year_pattern;
  icu::UnicodeString time_pattern;
  std::unique_ptr<icu::SimpleDateFormat> short_date;
  std::unique_ptr<icu::SimpleDateFormat> month_year;
  std::unique_ptr<icu::SimpleDateFormat> time_of_day;
  bool weekdays_made = false;
  bool captions_made = false;
  std::array<std::string, 7> weekday_names;  // Sunday first
  std::array<std::string, 7> weekday_abbrevs;
  // The panel's captions in the locale's words (LocaleServices' defaults until found).
  std::array<std::string, 7> narrow_weekdays{"S", "M", "T", "W", "T", "F", "S"};
  std::string today_caption = "Today";
  std::array<std::string, 31> day_texts;  // 1 to 31 in the digits of the locale's dates
  std::unique_ptr<DateRecogniser> recogniser;

  // The folded forms of the last text searched and of the names searched for: ParseDateText
  // searches one text for the fourteen weekday names, again and again.
  std::string folded_text_source;
  std::u32string folded_text;
  std::vector<std::pair<std::string, std::u32string>> folded_weekdays;
  std::pair<std::string, std::u32string> folded_other;
  icu::UnicodeString scratch;

  // Where a weekday name may stand as the weekday: the locale's word boundaries of the last text
  // searched (one flag per character and one for the end), and the folded names that a weekday
  // name must not be cut out of: the month and era names (a longer weekday name that contains a
  // shorter one shields it too).
  bool word_data_made = false;
  std::unique_ptr<icu::BreakIterator> word_breaks;
  std::string boundaries_source;
  std::vector<bool> boundaries;
  std::vector<std::u32string> shields;

  explicit Impl(const std::string& name) : Impl(icu::Locale(name.c_str())) {}

  explicit Impl(const icu::Locale& named) : locale(named), gregorian(named) {
    const std::string language = named.getLanguage();
    rule = (language == "tr" || language == "az") ? FoldRule::kTurkic : FoldRule::kDefault;
    // The control counts days in the Gregorian calendar, whatever the locale's default calendar.
    UErrorCode keyword_status = U_ZERO_ERROR;
    gregorian.setKeywordValue("calendar", "gregorian", keyword_status);
  }

  const icu::UnicodeString& FullPattern() {
    LongDate();
    return full_pattern;
  }

  // The full style's own formatter is the long date's (made once, not once to read its pattern
  // and again from the pattern).
  icu::SimpleDateFormat& LongDate() {
    if (long_date) {
      return *long_date;
    }
    std::unique_ptr<icu::DateFormat> style(
        icu::DateFormat::createDateInstance(icu::DateFormat::kFull, gregorian));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(style.get());
    icu::UnicodeString pattern;
    if (simple) {
      simple->toPattern(pattern);
    }
    if (simple && !pattern.isEmpty()) {
      long_date.reset(simple);
      static_cast<void>(style.release());
      long_date->adoptCalendar(MakeCalendar(gregorian).release());
      full_pattern = pattern;
    } else {
      full_pattern = StylePattern(icu::DateFormat::kFull, gregorian);
      long_date = MakeFormat(full_pattern, gregorian);
    }
    return *long_date;
  }

  // The short date with four-digit years, the month and year, and the time of day, from the
  // locale's pattern generator.
  void MakePatterns() {
    if (patterns_made) {
      return;
    }
    patterns_made = true;
    short_two = StylePattern(icu::DateFormat::kShort, gregorian);
    icu::UnicodeString short_four = short_two;
    month_year_pattern = u"LLLL yyyy";
    time_pattern = u"HH:mm:ss";
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(gregorian, status));
    if (U_SUCCESS(status)) {
      UErrorCode s = U_ZERO_ERROR;
      icu::UnicodeString p = generator->replaceFieldTypes(short_two, icu::UnicodeString(u"yyyy"),
                                                          UDATPG_MATCH_ALL_FIELDS_LENGTH, s);
      if (U_SUCCESS(s)) {
        short_four = p;
      }
      s = U_ZERO_ERROR;
      p = generator->getBestPattern(icu::UnicodeString(u"yyyyLLLL"), s);
      if (U_SUCCESS(s)) {
        month_year_pattern = p;
      }
      s = U_ZERO_ERROR;
      p = generator->getBestPattern(icu::UnicodeString(u"jmmss"), s);
      if (U_SUCCESS(s)) {
        time_pattern = p;
      }
    }
    short_date = MakeFormat(short_four, gregorian);
    month_year = MakeFormat(month_year_pattern, gregorian);
    time_of_day = MakeFormat(time_pattern, gregorian);
  }
  icu::SimpleDateFormat& ShortDate() {
    MakePatterns();
    return *short_date;
  }
  icu::SimpleDateFormat& MonthYear() {
    MakePatterns();
    return *month_year;
  }
  icu::SimpleDateFormat& TimeOfDay() {
    MakePatterns();
    return *time_of_day;
  }

  void MakeWeekdays() {
    if (weekdays_made) {
      return;
    }
    weekdays_made = true;
    auto weekday_full = MakeFormat(icu::UnicodeString(u"EEEE"), gregorian);
    auto weekday_abbrev = MakeFormat(icu::UnicodeString(u"EEE"), gregorian);
    for (int i = 0; i < 7; ++i) {
      const UDate at = (kKnownSunday + i - kUnixEpochSerial) * kMsPerDay;
      weekday_names[i] = Format(*weekday_full, at);
      weekday_abbrevs[i] = Format(*weekday_abbrev, at);
    }
    for (const auto* names : {&weekday_names, &weekday_abbrevs}) {
      for (const std::string& name : *names) {
        folded_weekdays.emplace_back(name, FoldUtf8(name, rule));
      }
    }
  }

  // The panel's captions in the user's language: the narrow weekday names, the word for today,
  // and the day of the month formatted as the locale's dates write it, so that the grid shows
  // the digits the field shows.
  void MakeCaptions() {
    if (captions_made) {
      return;
    }
    captions_made = true;
    auto day_of_month = MakeFormat(icu::UnicodeString(u"d"), gregorian);
    for (int day = 1; day <= 31; ++day) {
      const UDate at = (kKnownSunday - 4 + day - kUnixEpochSerial) * kMsPerDay;  // January 2004
      day_texts[static_cast<std::size_t>(day - 1)] = Format(*day_of_month, at);
    }
    today_caption = TodayWord(gregorian).value_or(today_caption);
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(gregorian, status);
    if (U_SUCCESS(status)) {
      int32_t count = 0;
      const icu::UnicodeString* narrow = symbols.getWeekdays(
          count, icu::DateFormatSymbols::STANDALONE, icu::DateFormatSymbols::NARROW);
      if (count >= 8) {  // index 0 is unused; Sunday is 1
        for (std::size_t i = 0; i < narrow_weekdays.size(); ++i) {
          narrow_weekdays[i] = ToUtf8(narrow[i + 1]);
        }
      }
    }
  }

  // The word boundaries and the names that shield a weekday name.
  void MakeWordData() {
    if (word_data_made) {
      return;
    }
    word_data_made = true;
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(gregorian, status);
    if (U_SUCCESS(status)) {
      for (const icu::UnicodeString& name : MonthAndEraNames(symbols)) {
        std::u32string folded = FoldUtf8(ToUtf8(name), rule);
        if (!folded.empty()) {
          shields.push_back(std::move(folded));
        }
      }
    }
    status = U_ZERO_ERROR;
    word_breaks.reset(icu::BreakIterator::createWordInstance(gregorian, status));
    if (U_FAILURE(status)) {
      word_breaks.reset();
    }
  }

  DateRecogniser& Recogniser() {
    if (recogniser) {
      return *recogniser;
    }
    MakePatterns();
    std::vector<DateWord> words;
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(gregorian, status);
    if (U_SUCCESS(status)) {
      AddSymbols(words, symbols);
    }
    for (const icu::UnicodeString* pattern : std::initializer_list<const icu::UnicodeString*>{
             &FullPattern(), &short_two, &month_year_pattern, &time_pattern}) {
      for (DateWord& w : PatternLiterals(*pattern)) {
        words.push_back(std::move(w));
      }
    }
    for (auto style : {icu::DateFormat::kLong, icu::DateFormat::kMedium}) {
      for (DateWord& w : PatternLiterals(StylePattern(style, gregorian))) {
        words.push_back(std::move(w));
      }
    }
    // English as the fallback for every locale.
    status = U_ZERO_ERROR;
    icu::DateFormatSymbols english(icu::Locale::getEnglish(), status);
    if (U_SUCCESS(status)) {
      AddSymbols(words, english);
    }
    words.push_back(DateWord{.text = "a.m.", .meridiem = 0});
    words.push_back(DateWord{.text = "p.m.", .meridiem = 1});
    words.push_back(DateWord{.text = "Sept", .month = 9});
    recogniser = std::make_unique<DateRecogniser>(words, OrderOf(short_two), rule);
    return *recogniser;
  }

  std::string Format(icu::SimpleDateFormat& format, UDate at) {
    scratch.remove();
    format.format(at, scratch);
    return ToUtf8(scratch);
  }

  // The texts of whole days already formatted, per format: a panel formats the same six weeks
  // each time it opens on a month, and every control of an application shares this object.
  enum Kind { kShort, kLong, kMonthYear, kKinds };
  static constexpr std::size_t kMaxKeptDays = 1024;
  std::array<std::unordered_map<std::int64_t, std::string>, kKinds> formatted;

  std::string FormatDay(Kind kind, Date day, UDate at) {
    auto& kept = formatted[kind];
    const auto key = static_cast<std::int64_t>(day.serial);
    if (auto it = kept.find(key); it != kept.end()) {
      return it->second;
    }
    if (kept.size() >= kMaxKeptDays) {
      kept.clear();
    }
    icu::SimpleDateFormat& format = kind == kLong        ? LongDate()
                                    : kind == kMonthYear ? MonthYear()
                                                         : ShortDate();
    return kept.emplace(key, Format(format, at)).first->second;
  }

  const std::u32string& FoldText(std::string_view text) {
    if (text != folded_text_source) {
      folded_text_source.assign(text);
      folded_text.clear();
      FoldUtf8(text, rule, folded_text);
    }
    return folded_text;
  }

  // The word boundaries of text, one flag per character (platform/utf8.h counting) and one for
  // its end.
  const std::vector<bool>& Boundaries(std::string_view text) {
    MakeWordData();
    if (text == boundaries_source && !boundaries.empty()) {
      return boundaries;
    }
    boundaries_source.assign(text);
    icu::UnicodeString u;
    std::vector<int32_t> offsets;  // UTF-16 offset of each character
    for (std::size_t i = 0; i < text.size();) {
      const auto [c, size] = utf8::DecodeAt(text, i);
      offsets.push_back(u.length());
      u.append(static_cast<UChar32>(c));
      i += size;
    }
    offsets.push_back(u.length());
    boundaries.assign(offsets.size(), word_breaks == nullptr);
    if (word_breaks != nullptr) {
      word_breaks->setText(u);
      for (std::size_t k = 0; k < offsets.size(); ++k) {
        boundaries[k] = word_breaks->isBoundary(offsets[k]) != 0;
      }
    }
    return boundaries;
  }

  // Whether the occurrence of a weekday name at [at, end) of hay lies within an occurrence of a
  // month or era name (of any length, the same word included) or of a longer weekday name.
  bool Shielded(const std::u32string& hay, std::size_t at, std::size_t end,
                const std::u32string& needle) {
    MakeWordData();
    MakeWeekdays();
    auto covers = [&](const std::u32string& shield) {
      if (shield.size() < end - at) {
        return false;
      }
      const std::size_t from = end >= shield.size() ? end - shield.size() : 0;
      const std::size_t found = FindFolded(hay, shield, from);
      return found != std::u32string::npos && found <= at;
    };
    for (const std::u32string& shield : shields) {
      if (covers(shield)) {
        return true;
      }
    }
    for (const auto& [name, folded] : folded_weekdays) {
      if (folded.size() > needle.size() && covers(folded)) {
        return true;
      }
    }
    return false;
  }

  const std::u32string& FoldNeedle(std::string_view needle) {
    MakeWeekdays();
    for (const auto& [name, folded] : folded_weekdays) {
      if (name == needle) {
        return folded;
      }
    }
    if (folded_other.first != needle) {
      folded_other = {std::string(needle), FoldUtf8(needle, rule)};
    }
    return folded_other.second;
  }
};

IcuLocale::IcuLocale(Clock& clock, std::string_view locale_name)
    : clock_(clock),
      impl_(std::make_unique<Impl>(ResolveLocaleName(
          locale_name, std::getenv("LC_ALL"), std::getenv("LC_TIME"), std::getenv("LANG")))) {}

IcuLocale::~IcuLocale() = default;

Date IcuLocale::Today() {
  return DateOnly(clock_.Now());
}

std::optional<Date> IcuLocale::RecogniseDate(std::string_view text) {
  return impl_->Recogniser().Recognise(text);
}

std::string IcuLocale::DateToText(Date d) {
  std::string text = FormatDate(d, kShortDate);
  if (text.empty()) {
    return text;
  }
  const double whole = std::trunc(d.serial);
  // Whole seconds, never carried into the next day.
  const double seconds = std::min(std::nearbyint(std::fabs(d.serial - whole) * 86400.0), 86399.0);
  if (seconds > 0) {
    text += ' ';
    text += impl_->Format(impl_->TimeOfDay(), seconds * 1000.0);
  }
  return text;
}

std::string IcuLocale::FormatDate(Date d, std::string_view mask) {
  if (!std::isfinite(d.serial) || std::fabs(d.serial) > kFormattableDays) {
    return {};
  }
  // Masks are matched without regard to ASCII case.
  auto is = [&](std::string_view name) {
    return mask.size() == name.size() &&
           std::equal(mask.begin(), mask.end(), name.begin(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
  };
  const Date day = DateOnly(d);
  if (is(kWeekdayMask)) {
    impl_->MakeWeekdays();
    return impl_->weekday_names[WeekdayOf(day) - 1];
  }
  if (is(kWeekdayAbbrevMask)) {
    impl_->MakeWeekdays();
    return impl_->weekday_abbrevs[WeekdayOf(day) - 1];
  }
  const UDate at = (day.serial - kUnixEpochSerial) * kMsPerDay;
  if (is(kLongDate)) {
    return impl_->FormatDay(Impl::kLong, day, at);
  }
  if (is(kMonthYearMask)) {
    return impl_->FormatDay(Impl::kMonthYear, day, at);
  }
  return impl_->FormatDay(Impl::kShort, day, at);
}

int IcuLocale::InStr(std::string_view text, std::string_view needle) {
  if (text.empty()) {
    return 0;
  }
  if (needle.empty()) {
    return 1;
  }
  const std::u32string& folded_needle = impl_->FoldNeedle(needle);
  const std::u32string& hay = impl_->FoldText(text);
  const std::size_t at = FindFolded(hay, folded_needle);
  return at == std::u32string::npos ? 0 : static_cast<int>(at) + 1;
}

int IcuLocale::InStrWeekday(std::string_view text, std::string_view name) {
  if (text.empty() || name.empty()) {
    return 0;
  }
  const std::u32string& folded_name = impl_->FoldNeedle(name);
  const std::u32string& hay = impl_->FoldText(text);
  const std::vector<bool>* boundaries = nullptr;
  for (std::size_t at = FindFolded(hay, folded_name); at != std::u32string::npos;
       at = FindFolded(hay, folded_name, at + 1)) {
    const std::size_t end = at + folded_name.size();
    // No letter or digit right before the name, no letter right after it; a digit after it
    // goes with it, as in "Monday5".
    if ((at > 0 && (IsWordLetter(hay[at - 1]) || DigitValue(hay[at - 1]) >= 0)) ||
        (end < hay.size() && IsWordLetter(hay[end]))) {
      continue;
    }
    // And the locale's own word boundaries: a joiner or a combining mark keeps a word whole.
    if (boundaries == nullptr) {
      boundaries = &impl_->Boundaries(text);
    }
    const bool digit_after = end < hay.size() && DigitValue(hay[end]) >= 0;
    if (!(*boundaries)[at] || !((*boundaries)[end] || digit_after)) {
      continue;
    }
    if (impl_->Shielded(hay, at, end, folded_name)) {
      continue;
    }
    return static_cast<int>(at) + 1;
  }
  return 0;
}

std::array<std::string, 7> IcuLocale::NarrowWeekdayNames() {
  impl_->MakeCaptions();
  return impl_->narrow_weekdays;
}

std::string IcuLocale::TodayCaption() {
  impl_->MakeCaptions();
  return impl_->today_caption;
}

std::string IcuLocale::DayOfMonthText(int day) {
  if (day < 1 || day > 31) {
    return std::to_string(day);
  }
  impl_->MakeCaptions();
  return impl_->day_texts[static_cast<std::size_t>(day - 1)];
}

std::string IcuLocale::Name() const {
  return impl_->locale.getName();
}

}  // namespace datewell
