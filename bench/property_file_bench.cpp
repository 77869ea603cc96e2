// Loading and saving a property file whose one control holds many entries (texts, dates and
// integers in turn, about 45 bytes each): the time grows with the size of the file, and the
// fitted complexity is printed after each series.
//   Load: Open, then Read of the control (every entry checked and decoded).
//   Save: Write of the control, every entry stored again, then Save (text, flush, rename).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "control/property_file.h"

namespace {

namespace fs = std::filesystem;
using datewell::ControlProperties;
using datewell::PropertyFile;
using datewell::Variant;

// A folder of its own, removed at the end.
class Folder {
 public:
  Folder() {
    std::string templ = (fs::temp_directory_path() / "datewell-bench-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
      throw std::runtime_error("cannot create a folder");
    }
    path_ = templ;
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

Variant EntryValue(std::int64_t i) {
  switch (i % 3) {
    case 0:
      return Variant("text " + std::to_string(i));
    case 1:
      return Variant(datewell::Date{38356.0 + static_cast<double>(i % 1000)});
    default:
      return Variant(static_cast<std::int32_t>(i));
  }
}

std::string Key(std::int64_t i) {
  return "Key" + std::to_string(i);
}

// Saves a file of n entries at path and returns its size in bytes.
std::size_t SaveEntries(const fs::path& path, std::int64_t n) {
  PropertyFile file(path);
  ControlProperties& bag = file.Write("Datewell1");
  for (std::int64_t i = 0; i < n; ++i) {
    bag.WriteProperty(Key(i), EntryValue(i), Variant());
  }
  file.Save();
  return fs::file_size(path);
}

void BM_PropertyFileLoad(benchmark::State& state) {
  Folder folder;
  const fs::path path = folder.path() / "form.json";
  const std::size_t bytes = SaveEntries(path, state.range(0));
  for (auto _ : state) {
    PropertyFile file = PropertyFile::Open(path);
    benchmark::DoNotOptimize(file.Read("Datewell1").Entries().size());
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_PropertyFileLoad)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_PropertyFileSave(benchmark::State& state) {
  Folder folder;
  const fs::path path = folder.path() / "form.json";
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = SaveEntries(path, state.range(0));
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_PropertyFileSave)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
