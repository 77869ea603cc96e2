#include "control/property_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <system_error>

#include "control/variant_convert.h"

namespace datewell {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFormatTag = "datewell-properties";
constexpr std::int64_t kFormatVersion = 1;
constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxNameBytes = 255;  // keys and control names

std::string_view Description(int number) {
  switch (number) {
    case kErrFileNotFound:
      return "File not found";
    case kErrFileAccess:
      return "Path/File access error";
    case kErrInvalidFileFormat:
      return "Invalid file format";
    default:
      return HostErrorDescription(number);
  }
}

std::string Quote(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

// The error with its standard description, then where and why: `Invalid property value: file
// "a.json", control "Datewell1", key "Value": date 1e+308 is outside the years 100 to 9999`.
[[noreturn]] void Fail(int number, std::string_view file, std::string_view control,
                       std::string_view key, std::string_view why) {
  std::string text(Description(number));
  text += ": file " + Quote(file);
  if (!control.empty()) {
    text += ", control " + Quote(control);
  }
  if (!key.empty()) {
    text += ", key " + Quote(key);
  }
  text += ": ";
  text += why;
  throw HostError(number, text);
}

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) {
      return false;
    }
    for (int k = 1; k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) {
        return false;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    const std::uint32_t min[] = {0, 0x80, 0x800, 0x10000};
    if (cp < min[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

// Why a text cannot be stored, or nothing when it can.
std::optional<std::string> TextProblem(std::string_view text, std::size_t limit) {
  if (text.size() > limit) {
    return "a text of " + std::to_string(text.size()) + " bytes is longer than the limit of " +
           std::to_string(limit);
  }
  if (!IsValidUtf8(text)) {
    return std::string("a text that is not valid UTF-8");
  }
  return std::nullopt;
}

std::string NumberForMessage(double d) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.17g", d);
  return buffer;
}

// Why a value cannot be stored, or nothing when it can.
std::optional<std::string> ValueProblem(const Variant& v) {
  switch (v.kind()) {
    case VarKind::Single:
      if (!std::isfinite(v.single())) {
        return "the number " + NumberForMessage(v.single()) + " is not finite";
      }
      return std::nullopt;
    case VarKind::Double:
      if (!std::isfinite(v.double_())) {
        return "the number " + NumberForMessage(v.double_()) + " is not finite";
      }
      return std::nullopt;
    case VarKind::Date:
      if (!IsDateInRange(v.date())) {
        return "date " + NumberForMessage(v.date().serial) + " is outside the years 100 to 9999";
      }
      return std::nullopt;
    case VarKind::String:
      return TextProblem(v.string(), kMaxPropertyTextBytes);
    case VarKind::Font:
      if (!v.font()) {
        return std::nullopt;
      }
      if (auto p = TextProblem(v.font()->name, kMaxFontNameBytes)) {
        return "font name: " + *p;
      }
      if (!IsFontSizeWithinLimits(v.font()->size)) {
        return "font size " + NumberForMessage(v.font()->size) + " is out of range";
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

Json Encode(const Variant& v) {
  Json entry = Json::object();
  auto put = [&](std::string_view kind, Json value) {
    entry["kind"] = kind;
    entry["value"] = std::move(value);
  };
  switch (v.kind()) {
    case VarKind::Empty:
      put("empty", nullptr);
      break;
    case VarKind::Null:
      put("null", nullptr);
      break;
    case VarKind::Nothing:
      put("nothing", nullptr);
      break;
    case VarKind::Integer:
      put("int16", v.integer());
      break;
    case VarKind::Long:
      put("int32", v.long_());
      break;
    case VarKind::Single:
      put("single", static_cast<double>(v.single()));
      break;
    case VarKind::Double:
      put("double", v.double_());
      break;
    case VarKind::String:
      put("string", v.string());
      break;
    case VarKind::Boolean:
      put("bool", v.boolean());
      break;
    case VarKind::Date:
      put("date", v.date().serial);
      break;
    case VarKind::Font: {
      if (!v.font()) {
        put("nothing", nullptr);
        break;
      }
      const Font& f = *v.font();
      Json font = Json::object();
      font["name"] = f.name;
      font["size"] = static_cast<double>(f.size);
      font["bold"] = f.bold;
      font["italic"] = f.italic;
      font["underline"] = f.underline;
      font["strikethru"] = f.strikethru;
      put("font", std::move(font));
      break;
    }
  }
  return entry;
}

// Reads one entry back, or says why it cannot be read.
class EntryDecoder {
 public:
  EntryDecoder(std::string_view file, std::string_view control, std::string_view key)
      : file_(file), control_(control), key_(key) {}

  Variant Decode(const Json& entry) const {
    if (!entry.is_object()) {
      Bad("the entry is not an object with a kind and a value");
    }
    auto kind_it = entry.find("kind");
    if (kind_it == entry.end() || !kind_it->is_string()) {
      Bad("the entry has no kind");
    }
    const std::string kind = kind_it->get<std::string>();
    auto value_it = entry.find("value");
    const Json null_value;
    const Json& value = value_it == entry.end() ? null_value : *value_it;

    if (kind == "empty" || kind == "null" || kind == "nothing") {
      if (!value.is_null()) {
        Bad("a value of kind " + kind + " holds nothing");
      }
      if (kind == "empty") {
        return Variant();
      }
      return kind == "null" ? Variant::Null() : Variant::Nothing();
    }
    if (value_it == entry.end()) {
      Bad("the entry of kind " + kind + " has no value");
    }
    if (kind == "int16") {
      return Variant(static_cast<std::int16_t>(Integer(value, -32768, 32767, kind)));
    }
    if (kind == "int32") {
      return Variant(static_cast<std::int32_t>(Integer(value, INT32_MIN, INT32_MAX, kind)));
    }
    if (kind == "single") {
      double d = Number(value, kind);
      if (std::fabs(d) > static_cast<double>(FLT_MAX)) {
        Bad("the number " + NumberForMessage(d) + " does not fit a single");
      }
      return Variant(static_cast<float>(d));
    }
    if (kind == "double") {
      return Variant(Number(value, kind));
    }
    if (kind == "date") {
      Date d{Number(value, kind)};
      if (!IsDateInRange(d)) {
        Bad("date " + NumberForMessage(d.serial) + " is outside the years 100 to 9999");
      }
      return Variant(d);
    }
    if (kind == "bool") {
      if (!value.is_boolean()) {
        Bad("a value of kind bool is not true or false");
      }
      return Variant(value.get<bool>());
    }
    if (kind == "string") {
      return Variant(Text(value, kMaxPropertyTextBytes, "a value of kind string"));
    }
    if (kind == "font") {
      return Variant(DecodeFont(value));
    }
    Bad("unknown kind " + Quote(kind));
  }

 private:
  [[noreturn]] void Bad(const std::string& why) const {
    Fail(kErrInvalidPropertyValue, file_, control_, key_, why);
  }

  std::int64_t Integer(const Json& value, std::int64_t lo, std::int64_t hi,
                       const std::string& kind) const {
    if (!value.is_number_integer()) {
      Bad("a value of kind " + kind + " is not an integer");
    }
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(hi)) {
      Bad("the number " + value.dump() + " does not fit " + kind);
    }
    std::int64_t i = value.get<std::int64_t>();
    if (i < lo || i > hi) {
      Bad("the number " + value.dump() + " does not fit " + kind);
    }
    return i;
  }

  double Number(const Json& value, const std::string& kind) const {
    if (!value.is_number()) {
      Bad("a value of kind " + kind + " is not a number");
    }
    double d = value.get<double>();
    if (!std::isfinite(d)) {
      Bad("the number is not finite");
    }
    return d;
  }

  std::string Text(const Json& value, std::size_t limit, const std::string& what) const {
    if (!value.is_string()) {
      Bad(what + " is not a text");
    }
    const std::string& s = value.get_ref<const std::string&>();
    if (auto problem = TextProblem(s, limit)) {
      Bad(*problem);
    }
    return s;
  }

  FontRef DecodeFont(const Json& value) const {
    if (!value.is_object()) {
      Bad("a value of kind font is not an object");
    }
    auto font = std::make_shared<Font>();
    auto member = [&](const char* name) -> const Json& {
      auto it = value.find(name);
      if (it == value.end()) {
        Bad(std::string("the font has no ") + name);
      }
      return *it;
    };
    font->name = Text(member("name"), kMaxFontNameBytes, "the font's name");
    const Json& size = member("size");
    if (!size.is_number()) {
      Bad("the font's size is not a number");
    }
    double points = size.get<double>();
    if (!IsFontSizeWithinLimits(points)) {
      Bad("font size " + NumberForMessage(points) + " is out of range");
    }
    font->size = static_cast<float>(points);
    auto flag = [&](const char* name) {
      const Json& f = member(name);
      if (!f.is_boolean()) {
        Bad(std::string("the font's ") + name + " is not true or false");
      }
      return f.get<bool>();
    };
    font->bold = flag("bold");
    font->italic = flag("italic");
    font->underline = flag("underline");
    font->strikethru = flag("strikethru");
    return font;
  }

  std::string_view file_;
  std::string_view control_;
  std::string_view key_;
};

// Thrown by the parse callback when the text nests deeper than any property file does.
struct TooDeep {};

// A copy that does not share a font object with the original.
Variant Detached(const Variant& v) {
  if (v.is(VarKind::Font) && v.font()) {
    return Variant(std::make_shared<Font>(*v.font()));
  }
  return v;
}

}  // namespace

// ---- ControlProperties ------------------------------------------------------------------------

Variant ControlProperties::ReadProperty(std::string_view key, const Variant& default_value) {
  for (const auto& [k, v] : entries_) {
    if (k == key) {
      return Detached(v);
    }
  }
  return default_value;
}

void ControlProperties::WriteProperty(std::string_view key, const Variant& value,
                                      const Variant& default_value) {
  if (key.empty()) {
    Fail(kErrInvalidPropertyValue, file_, control_, key, "a key must not be empty");
  }
  if (auto problem = TextProblem(key, kMaxNameBytes)) {
    Fail(kErrInvalidPropertyValue, file_, control_, "", "key: " + *problem);
  }
  if (auto problem = ValueProblem(value)) {
    Fail(kErrInvalidPropertyValue, file_, control_, key, *problem);
  }
  if (AutomationEquals(value, default_value)) {
    return;
  }
  std::erase_if(entries_, [&](const auto& entry) { return entry.first == key; });
  entries_.emplace_back(std::string(key), Detached(value));
}

// ---- PropertyFile -----------------------------------------------------------------------------

struct PropertyFile::Impl {
  struct Slot {
    std::string name;
    Json raw;  // as read, until the control is read or written
    std::unique_ptr<ControlProperties> entries;
  };
  Json root = Json::object();
  std::vector<Slot> slots;

  Slot* Find(std::string_view name) {
    for (Slot& s : slots) {
      if (s.name == name) {
        return &s;
      }
    }
    return nullptr;
  }
};

PropertyFile::PropertyFile(std::filesystem::path path)
    : path_(std::move(path)), impl_(std::make_unique<Impl>()) {
  impl_->root["format"] = kFormatTag;
  impl_->root["version"] = kFormatVersion;
  impl_->root["controls"] = Json::object();
}

PropertyFile::~PropertyFile() = default;
PropertyFile::PropertyFile(PropertyFile&&) noexcept = default;
PropertyFile& PropertyFile::operator=(PropertyFile&&) noexcept = default;

PropertyFile PropertyFile::Parse(std::string_view text, const std::filesystem::path& path) {
  const std::string file = path.string();
  if (text.size() > kMaxPropertyFileBytes) {
    Fail(kErrInvalidFileFormat, file, "", "",
         "the file is larger than " + std::to_string(kMaxPropertyFileBytes >> 20) + " MiB");
  }
  Json root;
  try {
    root = Json::parse(text.begin(), text.end(), [](int depth, Json::parse_event_t event, Json&) {
      if ((event == Json::parse_event_t::object_start ||
           event == Json::parse_event_t::array_start) &&
          depth > kMaxDepth) {
        throw TooDeep{};
      }
      return true;
    });
  } catch (const Json::exception& e) {
    // Syntax errors and numbers beyond a double ("1e999") alike; the message without its tag:
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ...".
    std::string why = e.what();
    if (auto end = why.find("] "); end != std::string::npos) {
      why.erase(0, end + 2);
    }
    Fail(kErrInvalidFileFormat, file, "", "", why);
  } catch (const TooDeep&) {
    Fail(kErrInvalidFileFormat, file, "", "", "the text nests deeper than a property file does");
  }
  if (!root.is_object()) {
    Fail(kErrInvalidFileFormat, file, "", "", "the file is not a JSON object");
  }
  auto format = root.find("format");
  if (format == root.end() || !format->is_string() ||
      format->get_ref<const std::string&>() != kFormatTag) {
    Fail(kErrInvalidFileFormat, file, "", "",
         "the file is not marked \"format\": " + Quote(kFormatTag));
  }
  auto version = root.find("version");
  if (version == root.end() || !version->is_number_integer()) {
    Fail(kErrInvalidFileFormat, file, "", "", "the file has no version");
  }
  if (version->get<std::int64_t>() != kFormatVersion) {
    Fail(kErrInvalidFileFormat, file, "", "",
         "version " + version->dump() + " is not the version this program reads (1)");
  }
  auto controls = root.find("controls");
  if (controls == root.end() || !controls->is_object()) {
    Fail(kErrInvalidFileFormat, file, "", "", "the file has no \"controls\" object");
  }
  PropertyFile result(path);
  for (auto& [name, entries] : controls->items()) {
    if (auto problem = TextProblem(name, kMaxNameBytes); problem || name.empty()) {
      Fail(kErrInvalidFileFormat, file, "", "",
           "control name: " + problem.value_or("a name must not be empty"));
    }
    if (!entries.is_object()) {
      Fail(kErrInvalidFileFormat, file, name, "", "the control is not an object of entries");
    }
    result.impl_->slots.push_back({name, std::move(entries), nullptr});
  }
  root.erase("controls");
  result.impl_->root = std::move(root);
  return result;
}

PropertyFile PropertyFile::Open(const std::filesystem::path& path) {
  const std::string file = path.string();
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) {
    Fail(kErrFileNotFound, file, "", "", "no such file");
  }
  if (!std::filesystem::is_regular_file(status)) {
    Fail(kErrFileAccess, file, "", "", "not a regular file");
  }
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    Fail(kErrFileAccess, file, "", "", ec.message());
  }
  if (size > kMaxPropertyFileBytes) {
    Fail(kErrInvalidFileFormat, file, "", "",
         "the file is larger than " + std::to_string(kMaxPropertyFileBytes >> 20) + " MiB");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Fail(kErrFileAccess, file, "", "", std::strerror(errno));
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) {
    Fail(kErrFileAccess, file, "", "", "the file could not be read");
  }
  return Parse(text, path);
}

PropertyFile PropertyFile::OpenOrCreate(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    return PropertyFile(path);
  }
  return Open(path);
}

std::vector<std::string> PropertyFile::ControlNames() const {
  std::vector<std::string> names;
  for (const auto& s : impl_->slots) {
    names.push_back(s.name);
  }
  return names;
}

bool PropertyFile::HasControl(std::string_view name) const {
  return impl_->Find(name) != nullptr;
}

ControlProperties& PropertyFile::Read(std::string_view name) {
  const std::string file = path_.string();
  Impl::Slot* slot = impl_->Find(name);
  if (slot == nullptr) {
    Fail(kErrInvalidPropertyValue, file, name, "", "the file holds no such control");
  }
  if (!slot->entries) {
    // Every entry is checked before the caller sees any of them.
    auto entries = std::make_unique<ControlProperties>();
    entries->file_ = file;
    entries->control_ = slot->name;
    for (const auto& [key, entry] : slot->raw.items()) {
      if (key.empty() || TextProblem(key, kMaxNameBytes)) {
        Fail(kErrInvalidPropertyValue, file, name, "", "an entry has an empty or invalid key");
      }
      Variant v = EntryDecoder(file, slot->name, key).Decode(entry);
      entries->entries_.emplace_back(key, std::move(v));
    }
    slot->entries = std::move(entries);
    slot->raw = Json();
  }
  return *slot->entries;
}

ControlProperties& PropertyFile::Write(std::string_view name) {
  const std::string file = path_.string();
  if (name.empty() || TextProblem(name, kMaxNameBytes)) {
    Fail(kErrInvalidPropertyValue, file, name, "", "a control needs a valid, non-empty name");
  }
  Impl::Slot* slot = impl_->Find(name);
  if (slot == nullptr) {
    impl_->slots.push_back({std::string(name), Json(), nullptr});
    slot = &impl_->slots.back();
  }
  // The same object when the control was read before, so that a reference a caller still holds
  // stays valid (and sees the emptied entries).
  if (slot->entries) {
    slot->entries->Clear();
  } else {
    slot->entries = std::make_unique<ControlProperties>();
  }
  slot->entries->file_ = file;
  slot->entries->control_ = slot->name;
  slot->raw = Json();
  return *slot->entries;
}

bool PropertyFile::Remove(std::string_view name) {
  auto& slots = impl_->slots;
  for (auto it = slots.begin(); it != slots.end(); ++it) {
    if (it->name == name) {
      slots.erase(it);
      return true;
    }
  }
  return false;
}

std::string PropertyFile::Text() const {
  Json root = impl_->root;
  Json controls = Json::object();
  for (const auto& slot : impl_->slots) {
    if (slot.entries) {
      Json entries = Json::object();
      for (const auto& [key, value] : slot.entries->Entries()) {
        entries[key] = Encode(value);
      }
      controls[slot.name] = std::move(entries);
    } else {
      controls[slot.name] = slot.raw;
    }
  }
  root["controls"] = std::move(controls);
  return root.dump(2) + "\n";
}

void PropertyFile::Save() const {
  const std::string file = path_.string();
  const std::string text = Text();
  std::filesystem::path dir = path_.parent_path();
  if (dir.empty()) {
    dir = ".";
  }
  std::string temp = (dir / ("." + path_.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    Fail(kErrFileAccess, file, "", "",
         std::string("cannot create a temporary file: ") + std::strerror(errno));
  }
  auto fail = [&](const std::string& what) {
    const std::string reason = what + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(temp.c_str());
    Fail(kErrFileAccess, file, "", "", reason);
  };
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      fail("cannot write");
    }
    done += static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat old {};
  const mode_t mode = ::stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
    fail("cannot flush");
  }
  if (::close(fd) != 0) {
    ::unlink(temp.c_str());
    Fail(kErrFileAccess, file, "", "", std::string("cannot close: ") + std::strerror(errno));
  }
  if (::rename(temp.c_str(), path_.c_str()) != 0) {
    const std::string reason = std::string("cannot replace the file: ") + std::strerror(errno);
    ::unlink(temp.c_str());
    Fail(kErrFileAccess, file, "", "", reason);
  }
  // Make the rename itself durable; a failure here loses nothing already written.
  int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

}  // namespace datewell
