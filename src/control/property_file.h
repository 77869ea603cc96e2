#pragma once
// The property file: where hosts keep controls' saved settings between sessions. One JSON file
// holds any number of controls by name; each control is an object whose entries stand in the
// order they were written, each value tagged with its variant kind so that it reads back as the
// same kind:
//
//   {
//     "format": "datewell-properties",
//     "version": 1,
//     "controls": {
//       "Datewell1": {
//         "Font": {"kind": "font", "value": {"name": "Tahoma", "size": 8.0, "bold": false,
//                                            "italic": false, "underline": false,
//                                            "strikethru": false}},
//         "FontSize": {"kind": "single", "value": 8.0},
//         "Value": {"kind": "date", "value": 38356.0}
//       }
//     },
//     "widgets": {
//       "Datewell1": {"localizedCaptions": {"kind": "bool", "value": true}}
//     }
//   }
//
// "widgets" holds what a host keeps for a control beside the control's own entries (the Qt
// widget's own properties); it is there only when some control has such a setting.
//
// Kinds: "empty", "null", "nothing", "int16", "int32", "single", "double", "string", "bool",
// "date" (the automation day number) and "font".
//
// Typical use by a host:
//   PropertyFile file = PropertyFile::OpenOrCreate(path);    // save
//   control.WriteProperties(file.Write("Datewell1"));
//   file.Save();
//
//   PropertyFile file = PropertyFile::Open(path);            // load
//   control.ReadProperties(file.Read("Datewell1"));
//
// A control's entries are checked in full when the control is read, before the control sees any
// of them. Reading and saving take time in proportion to the size of the file, however many
// controls or entries it holds.
//
// Save writes the new file in the folder of the old one, without a name where the file system
// allows, flushes it, names it only once it is complete and renames it over the old file: a
// failed or interrupted save leaves the old file as it was and no partial file behind (the rare
// temporary file of a save killed between naming and renaming is removed by the next save).
// Saving through a symbolic link writes the file the link leads to; a file replaced keeps its
// owner and permissions, and a read-only file is not replaced.
//
// Errors, raised as HostError; the description names the file, the control and the key:
//    53 "File not found"          Open of a file that does not exist
//    75 "Path/File access error"  the file cannot be read, the new file cannot be written, or
//                                 the file to replace is read-only
//   321 "Invalid file format"     not JSON, truncated, nested too deeply, larger than 32 MiB, a
//                                 name twice in one object (two controls, two entries of a
//                                 control, two "version" members), or not of the shape above
//                                 (a control that is not an object)
//   380 "Invalid property value"  a malformed entry (unknown kind, a value not of its kind, a
//                                 text longer than 64 KiB, a date outside the years 100 to 9999,
//                                 an infinite number), a control the file does not hold, or a
//                                 written value that could not be read back

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "control/limits.h"
#include "platform/host.h"
#include "platform/types.h"

namespace datewell {

inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrFileAccess = 75;
inline constexpr int kErrInvalidFileFormat = 321;

inline constexpr std::size_t kMaxPropertyFileBytes = 32u << 20;
// Texts as long as the control's own limit (control/limits.h), so that whatever the control
// accepts can be stored.
inline constexpr std::size_t kMaxPropertyTextBytes = kMaxTextBytes;

// The entries of one control: a property store in memory.
class ControlProperties : public PropertyBag {
 public:
  // The stored value (a font as a fresh object of its own), or default_value when absent.
  Variant ReadProperty(std::string_view key, const Variant& default_value) override;
  // Stores value unless it equals default_value as the host compares values (False equals 0, a
  // font equals a font of the same attributes); an equal write removes nothing. A key stored
  // again takes the new value and moves to the end, so entries stand in the order of their
  // last write and a save of a reloaded control gives the same file. A value that cannot be
  // stored (a text over the limit, a date outside the years 100 to 9999, NaN) fails with 380
  // and stores nothing.
  void WriteProperty(std::string_view key, const Variant& value,
                     const Variant& default_value) override;

  const std::vector<std::pair<std::string, Variant>>& Entries() const { return entries_; }
  void Clear() {
    entries_.clear();
    index_.clear();
  }

 private:
  friend class PropertyFile;
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
      return std::hash<std::string_view>{}(key);
    }
  };
  // Adds an entry whose key is not stored yet.
  void Append(std::string key, Variant value);

  std::string file_;     // for error texts
  std::string control_;  // for error texts
  std::vector<std::pair<std::string, Variant>> entries_;
  // Where each key stands in entries_, so that a bag of many entries is read and written in
  // constant time per key.
  std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
};

class PropertyFile {
 public:
  // A new, empty file at path; nothing is read or written until Save.
  explicit PropertyFile(std::filesystem::path path);
  ~PropertyFile();
  PropertyFile(PropertyFile&&) noexcept;
  PropertyFile& operator=(PropertyFile&&) noexcept;

  // Reads and parses the file (errors 53, 75, 321).
  static PropertyFile Open(const std::filesystem::path& path);
  // Open, or a new empty file when none exists yet.
  static PropertyFile OpenOrCreate(const std::filesystem::path& path);
  // Parses text as the content of the file at path, e.g. for tools that read standard input.
  static PropertyFile Parse(std::string_view text, const std::filesystem::path& path);

  const std::filesystem::path& Path() const { return path_; }
  // The controls the file holds, in file order.
  std::vector<std::string> ControlNames() const;
  bool HasControl(std::string_view name) const;

  // The control's entries, checked in full (380 for a malformed entry or an absent control).
  ControlProperties& Read(std::string_view name);
  // The control's entries emptied for a new save; an absent control is added at the end. The
  // references Read and Write hand out stay valid for the life of the file object.
  ControlProperties& Write(std::string_view name);
  // The settings a host keeps for the control beside the control's own entries (a widget's own
  // properties), in the file's "widgets" object under the control's name: read (checked in
  // full; empty when the file keeps none for the name) and emptied for a new save. A name whose
  // entries are empty is left out of the file, and the "widgets" object with it when it would
  // be empty.
  ControlProperties& ReadWidget(std::string_view name);
  ControlProperties& WriteWidget(std::string_view name);
  // Removes the control and its widget settings (references to their entries become invalid);
  // false when the control was not there.
  bool Remove(std::string_view name);

  // The whole file as it would be saved, ending with a newline.
  std::string Text() const;
  // Writes Text() atomically to Path() (75 on failure; the old file is then untouched).
  void Save() const;

 private:
  struct Impl;
  std::filesystem::path path_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace datewell
