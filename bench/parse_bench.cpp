// ParseDateText beside ICU's own lenient DateFormat::parse, on the same mix of texts: long dates
// with their weekday, short dates, and garbage. Prints nanoseconds per text for each.

#include <benchmark/benchmark.h>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/parsepos.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>
#include <vector>

#include "entry/parse_date_text.h"
#include "platform/icu/icu_locale.h"

namespace {

using datewell::Date;

class BenchClock final : public datewell::Clock {
 public:
  Date Now() override { return datewell::DateFromCivil({2010, 6, 15}); }
};

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = {
      // the control's long dates, with the weekday
      "Monday, January 5, 2004", "Tuesday, February 29, 2000", "Friday, December 31, 9999",
      "Sunday, March 14, 1999",
      // short dates and typed forms
      "1/5/2004", "12/31/1999", "2/29/2000", "5 Jan 2004", "2004-01-05",
      // garbage
      "hello", "31/31/2004", "tomorrow", "2/30/2004", "", "Mon", "xx 12 yy"};
  return texts;
}

void SetPerText(benchmark::State& state, int accepted) {
  const auto n = static_cast<double>(Texts().size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Texts().size()));
  // Seconds per text, printed with an SI prefix ("830n" is 830 ns).
  state.counters["per_text"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["accepted"] = accepted;
}

void BM_ParseDateText(benchmark::State& state) {
  BenchClock clock;
  datewell::IcuLocale locale(clock, "en_US");
  const Date today = locale.Today();
  int accepted = 0;
  for (const std::string& t : Texts()) {
    accepted += datewell::ParseDateText(locale, t) != today ? 1 : 0;
  }
  for (auto _ : state) {
    for (const std::string& t : Texts()) {
      benchmark::DoNotOptimize(datewell::ParseDateText(locale, t));
    }
  }
  SetPerText(state, accepted);
}
BENCHMARK(BM_ParseDateText);

void BM_RecogniseDate(benchmark::State& state) {
  BenchClock clock;
  datewell::IcuLocale locale(clock, "en_US");
  int accepted = 0;
  for (const std::string& t : Texts()) {
    accepted += locale.RecogniseDate(t) ? 1 : 0;
  }
  for (auto _ : state) {
    for (const std::string& t : Texts()) {
      benchmark::DoNotOptimize(locale.RecogniseDate(t));
    }
  }
  SetPerText(state, accepted);
}
BENCHMARK(BM_RecogniseDate);

// ICU's parser, lenient, with one formatter built beforehand; the UTF-8 text is converted as
// ParseDateText's input is UTF-8 too.
void IcuParse(benchmark::State& state, std::vector<icu::DateFormat::EStyle> styles) {
  std::vector<std::unique_ptr<icu::DateFormat>> formats;
  for (auto style : styles) {
    formats.emplace_back(icu::DateFormat::createDateInstance(style, icu::Locale("en_US")));
    formats.back()->setLenient(true);
  }
  auto parse = [&](const std::string& t) {
    const icu::UnicodeString u = icu::UnicodeString::fromUTF8(t);
    for (const auto& f : formats) {
      icu::ParsePosition pos(0);
      const UDate d = f->parse(u, pos);
      if (pos.getIndex() != 0) {
        return d;
      }
    }
    return -1.0;
  };
  int accepted = 0;
  for (const std::string& t : Texts()) {
    accepted += parse(t) != -1.0 ? 1 : 0;
  }
  for (auto _ : state) {
    for (const std::string& t : Texts()) {
      benchmark::DoNotOptimize(parse(t));
    }
  }
  SetPerText(state, accepted);
}

void BM_IcuParseShort(benchmark::State& state) {
  IcuParse(state, {icu::DateFormat::kShort});
}
BENCHMARK(BM_IcuParseShort);

// What ICU needs to read both of the control's formats: the full style, then the short one.
void BM_IcuParseFullThenShort(benchmark::State& state) {
  IcuParse(state, {icu::DateFormat::kFull, icu::DateFormat::kShort});
}
BENCHMARK(BM_IcuParseFullThenShort);

}  // namespace

BENCHMARK_MAIN();
