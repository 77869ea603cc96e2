#include "control/property_file.h"

#include <fcntl.h>
#include <sys/file.h>
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
#include <random>
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

// Adds a member whose name the caller knows to be new to a JSON object. The library's own
// insertion first looks the name up, which in an object that keeps its order is a linear
// search, so that filling an object of n members took time in proportion to n squared.
Json& AppendMember(Json& object, std::string name, Json value) {
  auto& members = static_cast<Json::object_t::Container&>(object.get_ref<Json::object_t&>());
  members.emplace_back(std::move(name), std::move(value));
  return members.back().second;
}

std::string WithoutTag(const std::exception& e) {
  // "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without its tag.
  std::string why = e.what();
  if (auto end = why.find("] "); end != std::string::npos) {
    why.erase(0, end + 2);
  }
  return why;
}

// Builds the document from the parser's events, as the library's own builder does but in time
// linear in the size of the text. It refuses what a property file never holds: text nested
// deeper than kMaxDepth, and a name that stands twice in one object (the last one would win
// silently, and the first would never be checked).
class DocumentBuilder {
 public:
  explicit DocumentBuilder(std::string_view file) : file_(file) {}

  Json Take() { return std::move(root_); }

  // The parser's events (the library's SAX interface).
  bool null() { return Add(Json(nullptr)) != nullptr; }
  bool boolean(bool b) { return Add(Json(b)) != nullptr; }
  bool number_integer(Json::number_integer_t i) { return Add(Json(i)) != nullptr; }
  bool number_unsigned(Json::number_unsigned_t u) { return Add(Json(u)) != nullptr; }
  bool number_float(Json::number_float_t d, const std::string&) { return Add(Json(d)) != nullptr; }
  bool string(std::string& s) { return Add(Json(std::move(s))) != nullptr; }
  bool binary(Json::binary_t&) { return false; }  // JSON text holds none
  bool start_object(std::size_t) { return Open(Json::object()); }
  bool start_array(std::size_t) { return Open(Json::array()); }
  bool end_object() {
    CheckNames(*levels_.back().value);
    return Close();
  }
  bool end_array() { return Close(); }
  bool key(std::string& name) {
    levels_.back().name = std::move(name);
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const Json::exception& e) {
    // Syntax errors and numbers beyond a double ("1e999") alike.
    Fail(kErrInvalidFileFormat, file_, "", "", WithoutTag(e));
  }

 private:
  // An object or array not yet closed.
  struct Level {
    Json* value;
    std::string name;  // of the member whose value comes next
  };
  // Up to this many members, comparing each pair is quicker than sorting.
  static constexpr std::size_t kComparedMembers = 16;

  Json* Add(Json value) {
    if (levels_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Level& level = levels_.back();
    if (level.value->is_array()) {
      auto& items = level.value->get_ref<Json::array_t&>();
      items.push_back(std::move(value));
      return &items.back();
    }
    return &AppendMember(*level.value, std::move(level.name), std::move(value));
  }

  bool Open(Json value) {
    if (levels_.size() > static_cast<std::size_t>(kMaxDepth)) {
      Fail(kErrInvalidFileFormat, file_, "", "", "the text nests deeper than a property file does");
    }
    // Only the innermost open value grows, so the pointers to the outer ones stay valid.
    levels_.push_back({Add(std::move(value)), {}});
    return true;
  }

  bool Close() {
    levels_.pop_back();
    return true;
  }

  // Refuses a complete object with a name twice. Larger objects are checked by sorting their
  // names by hash (then by name), which brings equal names together in n log n steps at worst.
  void CheckNames(const Json& object) const {
    const auto& members = object.get_ref<const Json::object_t&>();
    if (members.size() <= kComparedMembers) {
      for (auto later = members.begin(); later != members.end(); ++later) {
        for (auto earlier = members.begin(); earlier != later; ++earlier) {
          if (earlier->first == later->first) {
            Duplicate(later->first);
          }
        }
      }
      return;
    }
    const std::hash<std::string> hash;
    std::vector<std::pair<std::size_t, const std::string*>> names;
    names.reserve(members.size());
    for (const auto& member : members) {
      names.emplace_back(hash(member.first), &member.first);
    }
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : *a.second < *b.second;
    });
    auto same = std::adjacent_find(names.begin(), names.end(), [](const auto& a, const auto& b) {
      return a.first == b.first && *a.second == *b.second;
    });
    if (same != names.end()) {
      Duplicate(*same->second);
    }
  }

  // The name of the member of levels_[i] being read, the one levels_[i + 1] belongs to.
  std::string OpenMember(std::size_t i) const {
    const Json& value = *levels_[i].value;
    if (!value.is_object() || value.empty()) {
      return "";
    }
    return value.get_ref<const Json::object_t&>().back().first;
  }

  // Names the duplicate by where it stands: among the controls, among a control's entries, or
  // elsewhere.
  [[noreturn]] void Duplicate(const std::string& name) const {
    const std::size_t depth = levels_.size();
    const bool in_controls =
        depth >= 2 && OpenMember(0) == "controls" && levels_[1].value->is_object();
    if (in_controls && depth == 2) {
      Fail(kErrInvalidFileFormat, file_, name, "", "the file holds this control twice");
    }
    if (in_controls && depth == 3) {
      Fail(kErrInvalidFileFormat, file_, OpenMember(1), name, "the control holds this key twice");
    }
    if (in_controls) {
      Fail(kErrInvalidFileFormat, file_, OpenMember(1), OpenMember(2),
           "the name " + Quote(name) + " appears twice in one object");
    }
    Fail(kErrInvalidFileFormat, file_, "", "", "the name " + Quote(name) + " appears twice");
  }

  std::string_view file_;
  Json root_;
  std::vector<Level> levels_;
};

// A copy that does not share a font object with the original.
Variant Detached(const Variant& v) {
  if (v.is(VarKind::Font) && v.font()) {
    return Variant(std::make_shared<Font>(*v.font()));
  }
  return v;
}

// ---- Saving ------------------------------------------------------------------------------------

constexpr int kMaxSymbolicLinks = 40;

// The file a save replaces: the path itself, or the file its symbolic links lead to, so that a
// link stays a link and the file behind it gets the new content.
std::filesystem::path SaveTarget(const std::filesystem::path& path, std::string_view file) {
  std::filesystem::path target = path;
  for (int links = 0;; ++links) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return target;
    }
    if (links == kMaxSymbolicLinks) {
      Fail(kErrFileAccess, file, "", "", "too many levels of symbolic links");
    }
    std::error_code ec;
    std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) {
      Fail(kErrFileAccess, file, "", "", "cannot read the symbolic link: " + ec.message());
    }
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
}

struct Owner {
  uid_t uid;
  gid_t gid;
};

// Temporary files are named ".<file name>.<8 letters or digits>" in the folder of the file.
constexpr std::size_t kTempSuffixLength = 8;
constexpr std::string_view kTempLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::filesystem::path TempName(const std::filesystem::path& dir, const std::string& base) {
  std::random_device device;
  std::string name = "." + base + ".";
  for (std::size_t i = 0; i < kTempSuffixLength; ++i) {
    name += kTempLetters[device() % kTempLetters.size()];
  }
  return dir / name;
}

bool IsTempName(std::string_view name, const std::string& base) {
  const std::size_t prefix = base.size() + 2;
  return name.size() == prefix + kTempSuffixLength && name[0] == '.' &&
         name.substr(1, base.size()) == base && name[prefix - 1] == '.' &&
         name.substr(prefix).find_first_not_of(kTempLetters) == std::string_view::npos;
}

// Removes the temporary files of saves that died between naming their file and renaming it
// (or, where files cannot start unnamed, while writing it). A save holds a lock on its
// temporary file from creation until after the rename, so a file nobody holds is a leftover.
void RemoveLeftovers(const std::filesystem::path& dir, const std::string& base) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& name = it->path();
    if (!IsTempName(name.filename().string(), base)) {
      continue;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      continue;
    }
    struct stat held {};
    struct stat named {};
    // Still the same file under that name once the lock is taken: its save did not finish.
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(name.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino) {
      ::unlink(name.c_str());
    }
    ::close(fd);
  }
}

// The new content of a file being saved, in the file's folder. Where the system allows, it has
// no name while it is written, so that a save interrupted even by a crash leaves nothing behind;
// it is named only once complete, just before the rename over the old file. Elsewhere it is a
// named file from the start. Either way it is locked until renamed (see RemoveLeftovers), and
// whatever is still named when the object goes is removed.
class TempFile {
 public:
  TempFile(const std::filesystem::path& dir, std::string base, std::string_view file)
      : dir_(dir), base_(std::move(base)), file_(file) {
    // The unnamed file is named through its descriptor's entry under /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
      fd_ = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
      // Anything but "this file system or kernel has no unnamed files" is a real failure.
      if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        Failed("cannot create a temporary file");
      }
    }
    for (int attempt = 0; fd_ < 0 && attempt < kAttempts; ++attempt) {
      std::string name = TempName(dir_, base_).string();
      fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
      if (fd_ >= 0) {
        name_ = std::move(name);
      } else if (errno != EEXIST) {
        break;
      }
    }
    if (fd_ < 0) {
      Failed("cannot create a temporary file");
    }
    if (::flock(fd_, LOCK_EX) != 0) {
      Failed("cannot lock the temporary file");
    }
  }

  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (!name_.empty()) {
      ::unlink(name_.c_str());
    }
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }

  // Writes and flushes the text, with the owner and permissions given.
  void Write(const std::string& text, const std::optional<Owner>& owner, mode_t mode) {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
      if (n < 0) {
        if (errno == EINTR) {
          continue;
        }
        Failed("cannot write");
      }
      done += static_cast<std::size_t>(n);
    }
    struct stat now {};
    if (::fstat(fd_, &now) != 0) {
      Failed("cannot write");
    }
    // The owner first: changing it may clear the set-user-ID bits of the mode.
    if (owner && (now.st_uid != owner->uid || now.st_gid != owner->gid) &&
        ::fchown(fd_, owner->uid, owner->gid) != 0) {
      Failed("cannot keep the owner of the file");
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) {
      Failed("cannot flush");
    }
  }

  // Renames the complete file over target, naming it first when it has no name yet.
  void Replace(const std::filesystem::path& target) {
    if (name_.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd_);
      for (int attempt = 0; attempt < kAttempts && name_.empty(); ++attempt) {
        std::string name = TempName(dir_, base_).string();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          name_ = std::move(name);
        } else if (errno != EEXIST) {
          break;
        }
      }
      if (name_.empty()) {
        Failed("cannot name the new file");
      }
    }
    if (::rename(name_.c_str(), target.c_str()) != 0) {
      Failed("cannot replace the file");
    }
    name_.clear();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
      Failed("cannot close");
    }
  }

 private:
  static constexpr int kAttempts = 100;

  [[noreturn]] void Failed(const std::string& what) const {
    Fail(kErrFileAccess, file_, "", "", what + ": " + std::strerror(errno));
  }

  int fd_ = -1;
  std::filesystem::path dir_;
  std::string base_;
  std::string file_;  // for error texts
  std::string name_;  // empty while the file has no name
};

}  // namespace

// ---- ControlProperties ------------------------------------------------------------------------

Variant ControlProperties::ReadProperty(std::string_view key, const Variant& default_value) {
  auto it = index_.find(key);
  return it == index_.end() ? default_value : Detached(entries_[it->second].second);
}

void ControlProperties::Append(std::string key, Variant value) {
  index_.emplace(key, entries_.size());
  entries_.emplace_back(std::move(key), std::move(value));
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
  if (auto it = index_.find(key); it != index_.end()) {
    // The key moves to the end: the entries after it move up one place.
    const std::size_t at = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    for (std::size_t i = at; i < entries_.size(); ++i) {
      index_[entries_[i].first] = i;
    }
  }
  Append(std::string(key), Detached(value));
}

// ---- PropertyFile -----------------------------------------------------------------------------

struct PropertyFile::Impl {
  struct Slot {
    std::string name;
    Json raw;  // as read, until the entries are read or written
    std::unique_ptr<ControlProperties> entries;
  };
  // Named objects of entries, in file order.
  struct Section {
    std::vector<Slot> slots;
    // Where each name stands in slots.
    std::unordered_map<std::string, std::size_t, ControlProperties::KeyHash, std::equal_to<>> index;

    Slot* Find(std::string_view name) {
      auto it = index.find(name);
      return it == index.end() ? nullptr : &slots[it->second];
    }
    Slot& Add(std::string name, Json raw) {
      index.emplace(name, slots.size());
      slots.push_back({std::move(name), std::move(raw), nullptr});
      return slots.back();
    }
    bool Remove(std::string_view name) {
      auto it = index.find(name);
      if (it == index.end()) {
        return false;
      }
      const std::size_t at = it->second;
      index.erase(it);
      slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(at));
      for (std::size_t i = at; i < slots.size(); ++i) {
        index[slots[i].name] = i;
      }
      return true;
    }
    // The entries of a slot, decoded and checked in full on first use.
    static ControlProperties& Entries(Slot& slot, const std::string& file) {
      if (!slot.entries) {
        auto entries = std::make_unique<ControlProperties>();
        entries->file_ = file;
        entries->control_ = slot.name;
        entries->entries_.reserve(slot.raw.size());
        entries->index_.reserve(slot.raw.size());
        for (const auto& [key, entry] : slot.raw.items()) {
          if (key.empty() || TextProblem(key, kMaxNameBytes)) {
            Fail(kErrInvalidPropertyValue, file, slot.name, "",
                 "an entry has an empty or invalid key");
          }
          // Keys are unique: the parser refused a name twice in one object.
          entries->Append(key, EntryDecoder(file, slot.name, key).Decode(entry));
        }
        slot.entries = std::move(entries);
        slot.raw = Json();
      }
      return *slot.entries;
    }
    // The slot's entries emptied for a new save; an absent name is added at the end.
    ControlProperties& Rewrite(std::string_view name, const std::string& file) {
      Slot* slot = Find(name);
      if (slot == nullptr) {
        slot = &Add(std::string(name), Json());
      }
      // The same object when it was read before, so that a reference a caller still holds
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
    // Takes over the named objects of entries of a section of a parsed file.
    void Take(Json& section, const std::string& file, std::string_view what) {
      for (auto& [name, entries] : section.items()) {
        if (auto problem = TextProblem(name, kMaxNameBytes); problem || name.empty()) {
          Fail(kErrInvalidFileFormat, file, "", "",
               std::string(what) + " name: " + problem.value_or("a name must not be empty"));
        }
        if (!entries.is_object()) {
          Fail(kErrInvalidFileFormat, file, name, "",
               "the " + std::string(what) + " is not an object of entries");
        }
        Add(name, std::move(entries));
      }
    }
    // The section as the file writes it; slots without entries are left out when skip_empty.
    Json ToJson(bool skip_empty) const {
      // Names and keys are unique, so members are appended without a search.
      Json object = Json::object();
      for (const auto& slot : slots) {
        if (slot.entries) {
          if (skip_empty && slot.entries->Entries().empty()) {
            continue;
          }
          Json entries = Json::object();
          for (const auto& [key, value] : slot.entries->Entries()) {
            AppendMember(entries, key, Encode(value));
          }
          AppendMember(object, slot.name, std::move(entries));
        } else if (!skip_empty || !slot.raw.empty()) {
          AppendMember(object, slot.name, slot.raw);
        }
      }
      return object;
    }
  };

  Json root = Json::object();
  Section controls;
  Section widgets;  // a host's own settings for its controls
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
  DocumentBuilder builder(file);
  if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
    Fail(kErrInvalidFileFormat, file, "", "", "the file is not JSON text");
  }
  Json root = builder.Take();
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
  auto widgets = root.find("widgets");
  if (widgets != root.end() && !widgets->is_object()) {
    Fail(kErrInvalidFileFormat, file, "", "", "the \"widgets\" member is not an object");
  }
  PropertyFile result(path);
  result.impl_->controls.Take(*controls, file, "control");
  if (widgets != root.end()) {
    result.impl_->widgets.Take(*widgets, file, "widget");
  }
  root.erase("controls");
  root.erase("widgets");
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
  for (const auto& s : impl_->controls.slots) {
    names.push_back(s.name);
  }
  return names;
}

bool PropertyFile::HasControl(std::string_view name) const {
  return impl_->controls.Find(name) != nullptr;
}

ControlProperties& PropertyFile::Read(std::string_view name) {
  const std::string file = path_.string();
  Impl::Slot* slot = impl_->controls.Find(name);
  if (slot == nullptr) {
    Fail(kErrInvalidPropertyValue, file, name, "", "the file holds no such control");
  }
  // Every entry is checked before the caller sees any of them.
  return Impl::Section::Entries(*slot, file);
}

namespace {

// A control's name as a file may store it; anything else fails naming the file.
void CheckControlName(std::string_view file, std::string_view name) {
  if (name.empty() || TextProblem(name, kMaxNameBytes)) {
    Fail(kErrInvalidPropertyValue, file, name, "", "a control needs a valid, non-empty name");
  }
}

}  // namespace

ControlProperties& PropertyFile::Write(std::string_view name) {
  const std::string file = path_.string();
  CheckControlName(file, name);
  return impl_->controls.Rewrite(name, file);
}

ControlProperties& PropertyFile::ReadWidget(std::string_view name) {
  const std::string file = path_.string();
  Impl::Slot* slot = impl_->widgets.Find(name);
  if (slot == nullptr) {
    slot = &impl_->widgets.Add(std::string(name), Json::object());
  }
  return Impl::Section::Entries(*slot, file);
}

ControlProperties& PropertyFile::WriteWidget(std::string_view name) {
  const std::string file = path_.string();
  CheckControlName(file, name);
  return impl_->widgets.Rewrite(name, file);
}

bool PropertyFile::Remove(std::string_view name) {
  impl_->widgets.Remove(name);
  return impl_->controls.Remove(name);
}

std::string PropertyFile::Text() const {
  Json root = impl_->root;
  root["controls"] = impl_->controls.ToJson(false);
  // Only the widgets that keep a setting: a file without any is the file it always was.
  if (Json widgets = impl_->widgets.ToJson(true); !widgets.empty()) {
    root["widgets"] = std::move(widgets);
  }
  return root.dump(2) + "\n";
}

void PropertyFile::Save() const {
  const std::string file = path_.string();
  const std::string text = Text();
  const std::filesystem::path target = SaveTarget(path_, file);
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) {
    dir = ".";
  }

  // Keep the owner and permissions of the file being replaced; a new file gets the usual ones.
  struct stat old {};
  std::optional<Owner> owner;
  mode_t mode = 0644;
  if (::stat(target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) {
      Fail(kErrFileAccess, file, "", "", "not a regular file");
    }
    // Checked by its permissions too: the superuser may write any file, but a file nobody may
    // write is not to be replaced.
    if ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
      Fail(kErrFileAccess, file, "", "", "the file is read-only");
    }
    owner = Owner{old.st_uid, old.st_gid};
    mode = old.st_mode & 07777;
  }

  const std::string base = target.filename().string();
  TempFile temp(dir, base, file);
  temp.Write(text, owner, mode);
  temp.Replace(target);
  RemoveLeftovers(dir, base);
  // Make the rename itself durable; a failure here loses nothing already written.
  int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

}  // namespace datewell
