// WriteProperties through the property file: what the file ends up holding for controls in
// different states. (The entries' order, kinds and defaults show line by line in the
// save-and-reload scenario.)

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/property_file.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;

TEST(WriteProperties, WhatTheFileStoreKeeps) {
  using Entries = std::vector<std::pair<std::string, Variant>>;
  using Keys = std::vector<std::string>;
  const struct {
    const char* name;
    std::function<void(Harness&)> arrange;
    Entries present;  // entries that must be stored so
    Keys absent;      // keys that must not be stored
  } rows[] = {
      {"a control holding 5 January 2004 saves the date",
       [](Harness& h) { h.control->SetDateValue(Variant(Harness::D(2004, 1, 5))); },
       Entries{{"Value", Variant(Harness::D(2004, 1, 5))}}, Keys{}},
      {"an empty control writes no Value",
       [](Harness& h) {
         h.control->SetAllowEmptyDate(true);
         h.control->SetDateValue(Variant::Null());
       },
       Entries{{"AllowEmptyDate", Variant(true)}}, Keys{"Value"}},
      {"FontSize and FontName are written even for 8-point MS Sans Serif",
       [](Harness& h) { h.control->SetFontName("MS Sans Serif"); },
       Entries{{"FontSize", Variant(8.0f)}, {"FontName", Variant("MS Sans Serif")}}, Keys{}},
      {"DateFormat 0 and other defaults store nothing", [](Harness&) {}, Entries{},
       Keys{"DateFormat", "ForeColor", "Enabled", "FontBold", "SelStart", "Dropped"}},
      {"DateFormat 1 writes 1", [](Harness& h) { h.control->SetDateFormat(ShortDate); },
       Entries{{"DateFormat", Variant(std::int32_t{1})}}, Keys{}},
      {"a control disabled as a whole writes Enabled False",
       [](Harness& h) { h.control->SetEnabled(false); }, Entries{{"Enabled", Variant(false)}},
       Keys{}},
  };
  for (const auto& row : rows) {
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
