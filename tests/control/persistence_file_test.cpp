// Saving a control to a property file and loading it again, end to end: a save, load and save
// gives the same bytes, and a damaged file fails the load with the control and the file as they
// were.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "control/property_file.h"
#include "support/harness.h"

namespace datewell {
namespace {

namespace fs = std::filesystem;
using testing::Harness;
using testing::HarnessOptions;

HarnessOptions Restoring() {
  HarnessOptions o;
  o.init_properties = false;
  o.show = false;
  return o;
}

class PersistenceFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "datewell-persist-XXXXXX").string();
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

  // A control with settings away from their defaults, saved under "Datewell1".
  void SaveConfiguredControl() {
    Harness h;
    h.control->SetDateFormat(ShortDate);
    h.control->SetDateValue(Variant(Harness::D(2004, 1, 5)));
    h.control->SetForeColor(192);
    h.control->SetBackColor(0x80000010u);
    h.control->SetFontItalic(true);
    h.control->SetToolTipText("Pick a date \xE2\x80\x94 any date");
    h.control->SetWhatsThisHelpID(42);
    h.control->SetSelected(true);
    h.control->SetAllowEmptyDate(true);
    h.control->SetEnabled(false);
    PropertyFile file = PropertyFile::OpenOrCreate(path);
    h.control->WriteProperties(file.Write("Datewell1"));
    file.Save();
  }

  // Loads "Datewell1" from the file into a control made for restoring.
  static void Load(Harness& h, const fs::path& from) {
    PropertyFile file = PropertyFile::Open(from);
    h.control->ReadProperties(file.Read("Datewell1"));
  }

  fs::path dir;
  fs::path path;
};

TEST_F(PersistenceFile, SaveLoadAndSaveAgainGivesTheSameBytes) {
  SaveConfiguredControl();
  const std::string first = ReadAll(path);

  Harness h(Restoring());
  Load(h, path);
  EXPECT_EQ(h.field().Text(), "1/5/2004");
  EXPECT_EQ(h.field().ForeColor(), 192u);
  EXPECT_TRUE(h.control->AllowEmptyDate());
  EXPECT_FALSE(h.w.surface->Enabled());
  EXPECT_FALSE(h.field().Enabled()) << "the field reads the same Enabled key";

  PropertyFile file = PropertyFile::Open(path);
  h.control->WriteProperties(file.Write("Datewell1"));
  file.Save();
  EXPECT_EQ(ReadAll(path), first);
}

TEST_F(PersistenceFile, ADamagedFileFailsTheLoadAndLeavesControlAndFileAsTheyWere) {
  SaveConfiguredControl();
  const std::string good = ReadAll(path);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  struct Row {
    const char* name;
    std::string text;
    int error;
  };
  const Row rows[] = {
      {"truncated", good.substr(0, good.size() * 2 / 3), kErrInvalidFileFormat},
      {"a value of an unknown kind", replaced("\"kind\": \"date\"", "\"kind\": \"when\""),
       kErrInvalidPropertyValue},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << row.text;
    Harness h(Restoring());
    const std::string text_before = h.field().Text();
    const Font font_before = *h.field().Font();
    int error = 0;
    std::string description;
    try {
      Load(h, path);
    } catch (const HostError& e) {
      error = e.number();
      description = e.what();
    }
    EXPECT_EQ(error, row.error);
    EXPECT_NE(description.find("form.json"), std::string::npos) << description.substr(0, 200);
    EXPECT_TRUE(h.host.Log().empty());
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_EQ(*h.field().Font(), font_before);
    EXPECT_TRUE(h.control->StoredValue().is(VarKind::Empty));
    EXPECT_EQ(ReadAll(path), row.text) << "the file is untouched";
  }
}

}  // namespace
}  // namespace datewell
