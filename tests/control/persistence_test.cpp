// Persistence: the property file store (every kind reads back as the same kind, entries keep the
// order of their last write, defaults store nothing, saving is atomic and keeps other controls,
// a malformed file too large or binary for a fixture gives a clear error and is left as it was);
// a control's settings read from an empty store, saved values too long to take refused before
// anything is applied; and every value a setter takes at its limit saving and loading. (The
// save-and-reload scenario shows what a control writes and a saved control loaded and saved
// again, the store-read scenario saved values of every kind and those the control refuses, the
// store-malformed scenario a malformed file of every other kind, the store2-written-back scenario
// a date the field wrote back saved as the date it names.)

#include "control/property_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "control/limits.h"
#include "support/harness.h"
#include "support/memory_bag.h"

namespace datewell {
namespace {

namespace fs = std::filesystem;
using testing::ErrorOf;
using testing::Harness;
using testing::MemoryPropertyBag;
using testing::Raised;
using Log = std::vector<std::string>;

const Date kJan5 = Harness::D(2004, 1, 5);

// A control created for restoring: ReadProperties instead of InitProperties, before it is shown.
testing::HarnessOptions Restoring() {
  testing::HarnessOptions o;
  o.init_properties = false;
  o.show = false;
  return o;
}

class PropertyFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "datewell-props-XXXXXX").string();
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    dir = templ;
    path = dir / "form.json";
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
  }
  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
      names.push_back(e.path().filename().string());
    }
    return names;
  }

  fs::path dir;
  fs::path path;
};

FontRef MakeFont(const char* name, float size, bool bold = false) {
  return std::make_shared<Font>(Font{name, size, bold, true, false, true});
}

TEST_F(PropertyFileTest, EveryKindReadsBackAsTheSameKindAndValue) {
  struct Row {
    const char* key;
    Variant value;
  };
  const Row rows[] = {
      {"Int16", Variant(std::int16_t{-32768})},
      {"Int32", Variant(std::int32_t{static_cast<std::int32_t>(0x80000008u)})},
      {"Single", Variant(8.25f)},
      {"SingleInexact", Variant(0.1f)},
      {"Double", Variant(0.1 + 0.2)},
      {"String", Variant(std::string("Montag, 5. J\xC3\xA4nner 2004 \"quoted\" \\ tab\t"))},
      {"EmptyString", Variant(std::string())},
      {"BoolTrue", Variant(true)},
      {"BoolFalse", Variant(false)},
      {"Date", Variant(Date{38356.5625})},
      {"Font", Variant(MakeFont("Courier New", 9.75f, true))},
      {"Empty", Variant()},
      {"Null", Variant::Null()},
      {"Nothing", Variant::Nothing()},
  };
  {
    PropertyFile file(path);
    ControlProperties& bag = file.Write("Datewell1");
    for (const Row& row : rows) {
      // A default of another kind, so that every row is stored.
      bag.WriteProperty(row.key, row.value, Variant(std::string("<default>")));
    }
    file.Save();
  }
  PropertyFile file = PropertyFile::Open(path);
  ControlProperties& bag = file.Read("Datewell1");
  ASSERT_EQ(bag.Entries().size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].key);
    EXPECT_EQ(bag.Entries()[i].first, rows[i].key) << "entries keep the order written";
    const Variant back = bag.ReadProperty(rows[i].key, Variant(std::int16_t{99}));
    EXPECT_EQ(back.kind(), rows[i].value.kind());
    EXPECT_EQ(back, rows[i].value);
  }
}

TEST_F(PropertyFileTest, WritesEqualToTheirDefaultStoreNothingAndRemoveNothing) {
  // Equal as an automation host compares (False equals the integer 0). A key stored twice keeps
  // its last value at the place of its last write; a write equal to the default leaves what is
  // stored where it is.
  PropertyFile file(path);
  ControlProperties& bag = file.Write("Datewell1");
  bag.WriteProperty("FontUnderline", Variant(false), Variant(std::int16_t{0}));
  bag.WriteProperty("Enabled", Variant(false), Variant(true));
  bag.WriteProperty("FontSize", Variant(8.0f), Variant(std::int16_t{0}));
  bag.WriteProperty("FontName", Variant("Arial"), Variant(""));
  bag.WriteProperty("FontSize", Variant(12.0f), Variant(std::int16_t{0}));
  bag.WriteProperty("Enabled", Variant(true), Variant(true));
  ASSERT_EQ(bag.Entries().size(), 3u);
  EXPECT_EQ(bag.Entries()[0].first, "Enabled");
  EXPECT_EQ(bag.Entries()[0].second, Variant(false));
  EXPECT_EQ(bag.Entries()[1].first, "FontName");
  EXPECT_EQ(bag.Entries()[2].first, "FontSize");
  EXPECT_EQ(bag.Entries()[2].second, Variant(12.0f));
}

TEST_F(PropertyFileTest, AFontReadIsAnObjectOfItsOwn) {
  PropertyFile file(path);
  ControlProperties& bag = file.Write("Datewell1");
  FontRef written = MakeFont("Arial", 10);
  bag.WriteProperty("Font", Variant(written), Variant());
  written->size = 20;  // the caller's object changes after the write
  Variant first = bag.ReadProperty("Font", Variant());
  first.font()->name = "Changed";
  Variant second = bag.ReadProperty("Font", Variant());
  EXPECT_EQ(second.font()->name, "Arial");
  EXPECT_EQ(second.font()->size, 10.0f);
  EXPECT_NE(first.font(), second.font());
}

TEST_F(PropertyFileTest, SavingOneControlKeepsTheOthersAsTheyWere) {
  {
    PropertyFile file(path);
    file.Write("First").WriteProperty("Value", Variant(Date{38356}), Variant(std::int16_t{0}));
    file.Write("Second").WriteProperty("FontName", Variant("Arial"), Variant(""));
    file.Save();
  }
  {
    PropertyFile file = PropertyFile::OpenOrCreate(path);
    ControlProperties& bag = file.Write("Second");
    bag.WriteProperty("FontName", Variant("Verdana"), Variant(""));
    file.Write("Third").WriteProperty("SelStart", Variant(std::int32_t{2}),
                                      Variant(std::int16_t{0}));
    file.Save();
  }
  PropertyFile file = PropertyFile::Open(path);
  EXPECT_EQ(file.ControlNames(), (std::vector<std::string>{"First", "Second", "Third"}));
  EXPECT_EQ(file.Read("First").ReadProperty("Value", Variant()), Variant(Date{38356}));
  EXPECT_EQ(file.Read("Second").ReadProperty("FontName", Variant()), Variant("Verdana"));
  EXPECT_TRUE(file.Remove("Third"));
  EXPECT_FALSE(file.HasControl("Third"));
}

TEST_F(PropertyFileTest, WritingAControlAgainReplacesItsOldEntries) {
  // A control saved with a date and saved again empty must not come back with the old date.
  PropertyFile file(path);
  file.Write("Datewell1").WriteProperty("Value", Variant(Date{38356}), Variant(std::int16_t{0}));
  file.Save();
  PropertyFile again = PropertyFile::Open(path);
  ControlProperties& read = again.Read("Datewell1");
  ControlProperties& written = again.Write("Datewell1");
  EXPECT_EQ(&read, &written) << "what Read handed out stays valid";
  EXPECT_TRUE(read.Entries().empty());
  written.WriteProperty("Value", Variant(std::int16_t{0}), Variant(std::int16_t{0}));
  again.Save();
  PropertyFile last = PropertyFile::Open(path);
  EXPECT_EQ(last.Read("Datewell1").ReadProperty("Value", Variant(std::int16_t{0})),
            Variant(std::int16_t{0}));
}

template <typename... T>
std::vector<std::string> Mentions(T... texts) {
  return {std::string(texts)...};
}

// A well-formed file with one control whose entries are given as JSON text.
std::string FileWith(const std::string& entries) {
  return "{\"format\": \"datewell-properties\", \"version\": 1, \"controls\": {\"Datewell1\": {" +
         entries + "}}}";
}

// The store-malformed scenario loads a malformed file of every other kind from files/; these
// three are made here, being binary or large.
TEST_F(PropertyFileTest, MalformedFilesGiveAClearErrorAndStayUntouched) {
  struct Row {
    const char* name;
    std::string text;
    int error;
    std::vector<std::string> mentions;  // the description names these
  };
  const std::string ten_mb(10u << 20, 'x');
  std::string deep = "{\"format\": \"datewell-properties\", \"version\": 1, \"controls\": ";
  for (int i = 0; i < 100000; ++i) {
    deep += "[";
  }
  const Row rows[] = {
      {"garbled bytes", "{\"format\": \"datewell-properties\"\xFF\xFE}", kErrInvalidFileFormat,
       Mentions("form.json")},
      {"nested too deeply", deep, kErrInvalidFileFormat, Mentions("nests deeper")},
      {"a 10 MB string",
       FileWith(R"("ToolTipText": {"kind": "string", "value": ")" + ten_mb + "\"}"),
       kErrInvalidPropertyValue, Mentions("key \"ToolTipText\"", "longer than the limit")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WriteAll(path, row.text);
    const Raised raised = ErrorOf([&] {
      PropertyFile file = PropertyFile::Open(path);
      file.Read("Datewell1");
    });
    EXPECT_EQ(raised.number, row.error);
    for (const std::string& m : row.mentions) {
      EXPECT_NE(raised.text.find(m), std::string::npos) << raised.text.substr(0, 300);
    }
    EXPECT_LT(raised.text.size(), 1000u) << "the description stays readable";
    EXPECT_EQ(ReadAll(path), row.text) << "the file is left as it was";
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"form.json"}));
  }
}

TEST_F(PropertyFileTest, ValuesThatCannotBeStoredAreRefusedAtTheWrite) {
  struct Row {
    const char* name;
    Variant value;
  };
  const Row rows[] = {
      {"a text over the limit", Variant(std::string(kMaxPropertyTextBytes + 1, 'x'))},
      {"a text that is not UTF-8", Variant(std::string("\xC3\x28"))},
      {"a date beyond the year 9999", Variant(Date{1e308})},
      {"an infinite double", Variant(std::numeric_limits<double>::infinity())},
      {"a font larger than the control shows", Variant(MakeFont("Arial", 3000))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PropertyFile file(path);
    ControlProperties& bag = file.Write("Datewell1");
    const Raised raised = ErrorOf([&] { bag.WriteProperty("Value", row.value, Variant()); });
    EXPECT_EQ(raised.number, kErrInvalidPropertyValue);
    EXPECT_NE(raised.text.find("key \"Value\""), std::string::npos) << raised.text;
    EXPECT_TRUE(bag.Entries().empty());
  }
}

TEST_F(PropertyFileTest, AFailedSaveLeavesTheOldFileAndNoLeftovers) {
  PropertyFile file(path);
  file.Write("Datewell1").WriteProperty("FontName", Variant("Arial"), Variant(""));
  file.Save();
  const std::string before = ReadAll(path);

  // The target is now a directory: the rename cannot replace it.
  PropertyFile blocked(dir / "blocked");
  fs::create_directory(dir / "blocked");
  blocked.Write("Datewell1").WriteProperty("FontName", Variant("Verdana"), Variant(""));
  EXPECT_EQ(ErrorOf([&] { blocked.Save(); }).number, kErrFileAccess);
  // A folder that does not exist: no temporary file can be made.
  PropertyFile nowhere(dir / "missing" / "form.json");
  const Raised raised = ErrorOf([&] { nowhere.Save(); });
  EXPECT_EQ(raised.number, kErrFileAccess);
  EXPECT_NE(raised.text.find("missing"), std::string::npos);
  // A read-only file in a writable folder: not replaced, whoever saves.
  const fs::path locked = dir / "locked.json";
  const auto read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  WriteAll(locked, before);
  fs::permissions(locked, read_only);
  PropertyFile over(locked);
  over.Write("Datewell1").WriteProperty("FontName", Variant("Verdana"), Variant(""));
  const Raised refused = ErrorOf([&] { over.Save(); });
  EXPECT_EQ(refused.number, kErrFileAccess);
  EXPECT_NE(refused.text.find("locked.json"), std::string::npos) << refused.text;
  EXPECT_NE(refused.text.find("read-only"), std::string::npos) << refused.text;
  EXPECT_EQ(ReadAll(locked), before);
  EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all, read_only);

  EXPECT_EQ(ReadAll(path), before);
  auto files = FilesInDir();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"blocked", "form.json", "locked.json"}))
      << "no temporary left";
}

TEST_F(PropertyFileTest, AnInterruptedSaveLeavesTheOldFileAndNothingBehind) {
  WriteAll(path, FileWith(""));
  PropertyFile file = PropertyFile::Open(path);
  file.Write("Datewell1")
      .WriteProperty("ToolTipText", Variant(std::string(60000, 'x')), Variant(""));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The system kills the process at its first write beyond 4 KiB, as a crash would.
    const rlimit no_core{0, 0};
    const rlimit small{4096, 4096};
    ::setrlimit(RLIMIT_CORE, &no_core);
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_DFL);
    file.Save();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
  EXPECT_EQ(ReadAll(path), FileWith(""));
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"form.json"})) << "no partial file left";

  // The file of a save that died between naming it and renaming it goes with the next save;
  // the file of a save still running (it holds its lock) stays.
  WriteAll(dir / ".form.json.Aa0Bb1Cc", "partial");
  const fs::path running = dir / ".form.json.Dd2Ee3Ff";
  WriteAll(running, "partial");
  const int fd = ::open(running.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  file.Save();
  ::close(fd);
  auto files = FilesInDir();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{".form.json.Dd2Ee3Ff", "form.json"}));
}

TEST_F(PropertyFileTest, SaveReplacesTheFileBehindALinkAndKeepsItsOwnerAndPermissions) {
  const fs::path real = dir / "real.json";
  WriteAll(real, FileWith(""));
  fs::create_symlink("real.json", path);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // Only the superuser can give a file to another owner; others check the permissions alone.
  const bool other_owner = ::geteuid() == 0;
  if (other_owner) {
    ASSERT_EQ(::chown(real.c_str(), 4321, 4321), 0);
  }
  PropertyFile file = PropertyFile::Open(path);
  file.Write("Datewell1").WriteProperty("FontName", Variant("Arial"), Variant(""));
  file.Save();
  EXPECT_TRUE(fs::is_symlink(path)) << "the link stays a link";
  EXPECT_EQ(ReadAll(real), file.Text());
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  if (other_owner) {
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4321u);
  }
  EXPECT_EQ(PropertyFile::Open(path).Text(), file.Text()) << "reading and saving is stable";
}

// ---- A control's settings read from and written to a store ----------------------------------

TEST(ReadProperties, AnEmptyStoreGivesTheDefaults) {
  Harness h(Restoring());
  const Font ambient_before = *h.host.ambient_font;
  MemoryPropertyBag bag;
  h.control->ReadProperties(bag);

  // The save-and-reload scenario reads the defaults back, with the one report and the one Change;
  // here what no transcript shows: the ambient font's boldness kept under the table's name and
  // size, the container's own font untouched, every entry read in the order of the table.
  EXPECT_EQ(*h.field().Font(),
            (Font{"MS Sans Serif", 8.0f, ambient_before.bold, false, false, false}));
  EXPECT_EQ(*h.host.ambient_font, ambient_before) << "the container's font is not changed";
  const Log reads{"Font",           "ForeColor",       "BackColor",
                  "Enabled",        "FontUnderline",   "FontTransparent",
                  "FontStrikethru", "FontSize",        "FontName",
                  "FontItalic",     "FontBold",        "Selected",
                  "SelLength",      "SelStart",        "SelText",
                  "ToolTipText",    "WhatsThisHelpID", "Value",
                  "Dropped",        "DateFormat",      "Enabled",
                  "AllowEmptyDate"};
  EXPECT_EQ(bag.Reads(), reads);

  // A container without an ambient font gives the standard font.
  Harness bare(Restoring());
  bare.host.ambient_font = nullptr;
  bare.control->ReadProperties(bag);
  EXPECT_EQ(*bare.field().Font(), (Font{"MS Sans Serif", 8.0f, false, false, false, false}));
}

TEST(ReadProperties, ValuesTheControlCannotTakeFailBeforeAnythingIsApplied) {
  struct Row {
    const char* name;
    const char* key;
    Variant value;
    int error;
  };
  // The store-read scenario refuses a value of every other kind; these are too long for it.
  const Row rows[] = {
      {"a font name past the limit", "FontName", Variant(std::string(kMaxFontNameBytes + 1, 'N')),
       kErrInvalidPropertyValue},
      {"a tool tip past the limit", "ToolTipText", Variant(std::string(kMaxTextBytes + 1, 'T')),
       kErrInvalidPropertyValue},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h(Restoring());
    const Font font_before = *h.field().Font();
    const std::string text_before = h.field().Text();
    MemoryPropertyBag bag;
    bag.Set("FontName", Variant("Verdana"));
    bag.Set("Value", Variant(kJan5));
    bag.Set(row.key, row.value);
    const Raised raised = ErrorOf([&] { h.control->ReadProperties(bag); });
    EXPECT_EQ(raised.number, row.error);
    EXPECT_NE(raised.text.find("key \"" + std::string(row.key) + "\""), std::string::npos)
        << raised.text;
    EXPECT_TRUE(h.host.Log().empty());
    EXPECT_EQ(*h.field().Font(), font_before);
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_TRUE(h.control->StoredValue().is(VarKind::Empty));
  }
}

// ---- A control saved and loaded end to end ------------------------------------------------

TEST_F(PropertyFileTest, WhatASetterTakesAtItsLimitSavesAndLoadsAndOnePastItIsRefused) {
  const std::string name_at(kMaxFontNameBytes, 'N');
  const std::string text_at(kMaxTextBytes, 'T');
  const float points_past = std::nextafter(kMaxFontPoints, 3000.0f);
  auto font = [](const std::string& name, float points) {
    return std::make_shared<Font>(Font{name, points, false, false, false, false});
  };
  auto select_all = [](Datewell& d) {
    d.SetSelStart(0);
    d.SetSelLength(std::numeric_limits<std::int32_t>::max());
  };
  struct Row {
    const char* name;
    std::function<void(Datewell&)> past_limit;  // refused with 380
    std::function<void(Datewell&)> at_limit;    // taken
    const char* key;                            // saved as this value
    Variant saved;
    std::function<Variant(Datewell&)> get;  // after loading, when the member shows it
  };
  const Row rows[] = {
      {"FontSize", [&](Datewell& d) { d.SetFontSize(points_past); },
       [&](Datewell& d) { d.SetFontSize(kMaxFontPoints); }, "FontSize", Variant(kMaxFontPoints),
       [](Datewell& d) { return Variant(d.FontSize()); }},
      {"Font of the largest size", [&](Datewell& d) { d.SetFont(font("Arial", points_past)); },
       [&](Datewell& d) { d.SetFont(font("Arial", kMaxFontPoints)); }, "Font",
       Variant(font("Arial", kMaxFontPoints)), [](Datewell& d) { return Variant(d.Font()); }},
      {"Font of the longest name", [&](Datewell& d) { d.SetFont(font(name_at + "N", 8)); },
       [&](Datewell& d) { d.SetFont(font(name_at, 8)); }, "Font", Variant(font(name_at, 8)),
       [](Datewell& d) { return Variant(d.Font()); }},
      {"FontName", [&](Datewell& d) { d.SetFontName(name_at + "N"); },
       [&](Datewell& d) { d.SetFontName(name_at); }, "FontName", Variant(name_at),
       [](Datewell& d) { return Variant(d.FontName()); }},
      {"ToolTipText", [&](Datewell& d) { d.SetToolTipText(text_at + "T"); },
       [&](Datewell& d) { d.SetToolTipText(text_at); }, "ToolTipText", Variant(text_at),
       [](Datewell& d) { return Variant(d.ToolTipText()); }},
      // The selected text is saved, so the field's whole text keeps within the limit: a text
      // added at the end of the field's date may not take it past.
      {"SelText",
       [&](Datewell& d) {
         d.SetSelStart(std::numeric_limits<std::int32_t>::max());
         d.SetSelText(std::string(kMaxTextBytes - d.StringValue().size() + 1, 'T'));
       },
       [&](Datewell& d) {
         select_all(d);
         d.SetSelText(text_at);
         select_all(d);
       },
       "SelText", Variant(text_at), nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    {
      Harness h;
      const std::string text_before = h.field().Text();
      EXPECT_EQ(ErrorOf([&] { row.past_limit(*h.control); }).number, kErrInvalidPropertyValue);
      EXPECT_EQ(h.field().Text(), text_before);
      const Log reports = h.host.Reports();
      EXPECT_EQ(std::count(reports.begin(), reports.end(), row.key), 0) << "nothing changed";
      EXPECT_EQ(ErrorOf([&] { row.at_limit(*h.control); }).number, 0);
      PropertyFile file(path);
      h.control->WriteProperties(file.Write("Datewell1"));
      file.Save();
    }
    Harness h(Restoring());
    PropertyFile file = PropertyFile::Open(path);
    ControlProperties& saved = file.Read("Datewell1");
    EXPECT_EQ(saved.ReadProperty(row.key, Variant::Null()), row.saved);
    EXPECT_EQ(ErrorOf([&] { h.control->ReadProperties(saved); }).number, 0);
    if (row.get) {
      EXPECT_EQ(row.get(*h.control), row.saved);
    }
  }
}

}  // namespace
}  // namespace datewell
