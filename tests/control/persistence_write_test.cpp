// WriteProperties: the 22 entries in order with their keys, values and defaults, and what a store
// that skips values equal to their defaults ends up holding.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/property_file.h"
#include "support/harness.h"
#include "support/memory_bag.h"

namespace datewell {
namespace {

using testing::Harness;
using testing::MemoryPropertyBag;

const Date kJan5 = Harness::D(2004, 1, 5);

Variant I16(int v) {
  return Variant(static_cast<std::int16_t>(v));
}
Variant Colour(std::uint32_t c) {
  return Variant(static_cast<std::int32_t>(c));
}

TEST(WriteProperties, WritesTheEntriesInOrderWithTheirDefaults) {
  Harness h;
  MemoryPropertyBag bag;
  h.control->WriteProperties(bag);

  // Key, the kind of the value written, and the default given (the table of saved settings).
  struct Row {
    const char* key;
    VarKind kind;
    Variant default_value;
  };
  const Row rows[] = {
      {"Font", VarKind::Font, Variant(h.host.ambient_font)},
      {"ForeColor", VarKind::Long, Colour(0x80000008u)},
      {"BackColor", VarKind::Long, Colour(0x80000005u)},
      {"Enabled", VarKind::Boolean, Variant(true)},
      {"FontUnderline", VarKind::Boolean, I16(0)},
      {"FontTransparent", VarKind::Boolean, I16(0)},
      {"FontStrikethru", VarKind::Boolean, I16(0)},
      {"FontSize", VarKind::Single, I16(0)},
      {"FontName", VarKind::String, Variant("")},
      {"FontItalic", VarKind::Boolean, I16(0)},
      {"FontBold", VarKind::Boolean, I16(0)},
      {"Selected", VarKind::Boolean, I16(0)},
      {"SelLength", VarKind::Long, I16(0)},
      {"SelStart", VarKind::Long, I16(0)},
      {"SelText", VarKind::String, Variant("")},
      {"ToolTipText", VarKind::String, Variant("")},
      {"WhatsThisHelpID", VarKind::Long, I16(0)},
      {"Value", VarKind::Date, I16(0)},
      {"Dropped", VarKind::Boolean, I16(0)},
      {"DateFormat", VarKind::Long, Variant(std::int32_t{0})},
      {"Enabled", VarKind::Boolean, Variant(true)},
      {"AllowEmptyDate", VarKind::Boolean, Variant(false)},
  };
  const auto& writes = bag.Writes();
  ASSERT_EQ(writes.size(), std::size(rows));
  for (std::size_t i = 0; i < writes.size(); ++i) {
    SCOPED_TRACE(std::to_string(i + 1) + " " + rows[i].key);
    EXPECT_EQ(writes[i].key, rows[i].key);
    EXPECT_EQ(writes[i].value.kind(), rows[i].kind);
    EXPECT_EQ(writes[i].default_value, rows[i].default_value);
  }
  EXPECT_EQ(writes[0].value.font(), h.field().Font()) << "the field's own font object";
  EXPECT_EQ(writes[17].value, Variant(h.Today()));
  EXPECT_TRUE(h.host.Log().empty()) << "saving changes nothing in the control";
}

// What the property file holds after a save, for controls in different states.
struct StoredRow {
  const char* name;
  std::function<void(Harness&)> arrange;
  std::vector<std::pair<std::string, Variant>> present;  // entries that must be stored so
  std::vector<std::string> absent;                       // keys that must not be stored
};

TEST(WriteProperties, WhatTheFileStoreKeeps) {
  const StoredRow rows[] = {
      {"a control holding 5 January 2004 saves the date",
       [](Harness& h) { h.control->SetDateValue(Variant(kJan5)); },
       {{"Value", Variant(kJan5)}},
       {}},
      {"an empty control writes no Value",
       [](Harness& h) {
         h.control->SetAllowEmptyDate(true);
         h.control->SetDateValue(Variant::Null());
       },
       {{"AllowEmptyDate", Variant(true)}},
       {"Value"}},
      {"FontSize and FontName are written even for 8-point MS Sans Serif",
       [](Harness& h) { h.control->SetFontName("MS Sans Serif"); },
       {{"FontSize", Variant(8.0f)}, {"FontName", Variant("MS Sans Serif")}},
       {}},
      {"DateFormat 0 writes nothing", [](Harness&) {}, {}, {"DateFormat"}},
      {"DateFormat 1 writes 1",
       [](Harness& h) { h.control->SetDateFormat(ShortDate); },
       {{"DateFormat", Variant(std::int32_t{1})}},
       {}},
      {"a control disabled as a whole writes Enabled False",
       [](Harness& h) { h.control->SetEnabled(false); },
       {{"Enabled", Variant(false)}},
       {}},
      {"defaults store nothing",
       [](Harness&) {},
       {},
       {"ForeColor", "BackColor", "Enabled", "FontUnderline", "FontTransparent", "FontStrikethru",
        "FontItalic", "FontBold", "Selected", "SelLength", "SelStart", "SelText", "ToolTipText",
        "WhatsThisHelpID", "Dropped", "AllowEmptyDate"}},
      {"colours are stored as 32-bit integers",
       [](Harness& h) { h.control->SetBackColor(0x80000010u); },
       {{"BackColor", Colour(0x80000010u)}},
       {"ForeColor"}},
  };
  for (const StoredRow& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    row.arrange(h);
    PropertyFile file("unsaved.json");
    ControlProperties& bag = file.Write("Datewell1");
    h.control->WriteProperties(bag);
    for (const auto& [key, value] : row.present) {
      EXPECT_EQ(bag.ReadProperty(key, Variant::Null()), value) << key;
    }
    for (const std::string& key : row.absent) {
      EXPECT_TRUE(bag.ReadProperty(key, Variant::Null()).is(VarKind::Null)) << key;
    }
  }
}

}  // namespace
}  // namespace datewell
