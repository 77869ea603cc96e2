// datewell-host: runs an automation script against one control and prints the transcript.
//
//   datewell-host [--platform headless|qt] SCRIPT|-
//   datewell-host --typelib
//
// Exit status: 0 when the script ran to its end, 1 when a command was malformed (the transcript
// then ends with `script error LINE: MESSAGE`), 2 when the script could not be read.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "control/typelib.h"
#include "desktop.h"
#include "runner.h"

namespace {

constexpr std::string_view kUsage =
    "usage: datewell-host [--platform headless] SCRIPT|-\n"
    "       datewell-host --typelib\n";

bool ReadAll(std::istream& in, std::string& text) {
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = std::move(buffer).str();
  return !in.bad();
}

// The script's text, or a message on standard error and false.
bool ReadScript(const std::string& path, std::string& text) {
  if (path == "-") {
    if (ReadAll(std::cin, text)) {
      return true;
    }
    std::cerr << "datewell-host: cannot read the script from standard input\n";
    return false;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    std::cerr << "datewell-host: cannot read script " << path << ": it is a directory\n";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "datewell-host: cannot read script " << path << ": " << std::strerror(errno)
              << "\n";
    return false;
  }
  if (!ReadAll(in, text)) {
    std::cerr << "datewell-host: error while reading script " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string platform = "headless";
  std::string script_path;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--typelib") {
      std::cout << datewell::typelib::RenderIdl(datewell::typelib::Quorvane());
      return 0;
    }
    if (args[i] == "--help" || args[i] == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (args[i] == "--platform" && i + 1 < args.size()) {
      platform = args[++i];
    } else if (args[i].starts_with("--platform=")) {
      platform = args[i].substr(11);
    } else if (args[i] != "-" && args[i].starts_with("-")) {
      std::cerr << "datewell-host: unknown option " << args[i] << "\n" << kUsage;
      return 2;
    } else if (script_path.empty()) {
      script_path = args[i];
    } else {
      std::cerr << "datewell-host: one script only\n" << kUsage;
      return 2;
    }
  }
  if (script_path.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  std::unique_ptr<datewell::host::Desktop> desktop = datewell::host::MakeDesktop(platform);
  if (!desktop) {
    std::cerr << "datewell-host: unknown platform " << platform << " ("
              << datewell::host::KnownPlatforms() << ")\n";
    return 2;
  }
  std::string text;
  if (!ReadScript(script_path, text)) {
    return 2;
  }
  datewell::host::Runner runner(std::move(desktop), std::cout);
  return runner.Run(text);
}
