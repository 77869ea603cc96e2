// Persistence of a control's settings: ReadProperties from an empty store and from saved values
// of every kind, the failure at a display format the control cannot show, saved values refused
// before anything is applied, and what WriteProperties leaves in a property file. (The entries'
// order, kinds and defaults show line by line in the save-and-reload scenario.)

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "control/property_file.h"
#include "support/harness.h"
#include "support/memory_bag.h"

namespace datewell {
namespace {

using testing::Harness;
using testing::HarnessOptions;
using testing::MemoryPropertyBag;
using Log = std::vector<std::string>;

const Date kJan5 = Harness::D(2004, 1, 5);

// A control created for restoring: ReadProperties instead of InitProperties, before it is shown.
HarnessOptions Restoring() {
  HarnessOptions o;
  o.init_properties = false;
  o.show = false;
  return o;
}

int ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const HostError& e) {
    return e.number();
  }
  return 0;
}

TEST(ReadProperties, AnEmptyStoreGivesTheDefaults) {
  Harness h(Restoring());
  const Font ambient_before = *h.host.ambient_font;
  MemoryPropertyBag bag;
  h.control->ReadProperties(bag);

  // The scenarios read the defaults back; here what no getter shows: the ambient font's boldness
  // kept under the table's name and size, the container's own font untouched, no date held.
  EXPECT_EQ(*h.field().Font(),
            (Font{"MS Sans Serif", 8.0f, ambient_before.bold, false, false, false}));
  EXPECT_EQ(*h.host.ambient_font, ambient_before) << "the container's font is not changed";
  EXPECT_EQ(h.control->StoredValue(), Variant(std::int16_t{0}));
  EXPECT_TRUE(h.field().Enabled());
  EXPECT_EQ(h.host.Reports(), (Log{"Font"})) << "only the Font setter reports";
  EXPECT_EQ(h.host.Count(EventId::Change), 1);
  // Every entry is read, in the order of the table, "Enabled" twice.
  const Log reads{"Font",           "ForeColor",       "BackColor",
                  "Enabled",        "FontUnderline",   "FontTransparent",
                  "FontStrikethru", "FontSize",        "FontName",
                  "FontItalic",     "FontBold",        "Selected",
                  "SelLength",      "SelStart",        "SelText",
                  "ToolTipText",    "WhatsThisHelpID", "Value",
                  "Dropped",        "DateFormat",      "Enabled",
                  "AllowEmptyDate"};
  EXPECT_EQ(bag.Reads(), reads);
}

TEST(ReadProperties, AContainerWithoutAnAmbientFontGivesTheStandardFont) {
  Harness h(Restoring());
  h.host.ambient_font = nullptr;
  MemoryPropertyBag bag;
  h.control->ReadProperties(bag);
  EXPECT_EQ(*h.field().Font(), (Font{"MS Sans Serif", 8.0f, false, false, false, false}));
}

TEST(ReadProperties, StoredValuesOfEveryKindShowTheirDate) {
  struct Row {
    const char* name;
    Variant value;
    Date shown;          // the field shows this date in the long format
    bool empty_for_get;  // DateValue returns 0
  };
  const Row rows[] = {
      {"a date", Variant(kJan5), kJan5, false},
      {"a date with a time of day", Variant(Date{kJan5.serial + 0.75}), kJan5, false},
      {"a saved short date text", Variant("1/5/2004"), kJan5, false},
      {"a saved long date text", Variant("Monday, January 5, 2004"), kJan5, false},
      {"a text that is no date gives today", Variant("no date here"), Harness::D(2010, 6, 15),
       false},
      {"the empty value gives today", Variant(std::int16_t{0}), Harness::D(2010, 6, 15), true},
      {"the empty text is empty", Variant(""), Harness::D(2010, 6, 15), true},
      {"null gives today", Variant::Null(), Harness::D(2010, 6, 15), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h(Restoring());
    MemoryPropertyBag bag;
    bag.Set("Value", row.value);
    h.control->ReadProperties(bag);
    EXPECT_EQ(h.field().Text(), h.Format(row.shown, kLongDate));
    EXPECT_EQ(h.control->StoredValue(), row.value) << "the value is kept as read";
    if (row.empty_for_get) {
      EXPECT_EQ(h.control->DateValue(), Variant(std::int16_t{0}));
    } else {
      EXPECT_EQ(h.control->DateValue(), Variant(row.shown));
    }
  }
}

TEST(ReadProperties, RestoresTheFieldsSettingsWithoutReportingThem) {
  Harness h(Restoring());
  MemoryPropertyBag bag;
  bag.Set("Font", Variant(std::make_shared<Font>(Font{"Arial", 12.0f, true, true, true, true})));
  bag.Set("FontUnderline", Variant(false));
  bag.Set("FontSize", Variant(10.0f));
  bag.Set("FontName", Variant("Verdana"));
  bag.Set("FontTransparent", Variant(true));
  bag.Set("FontBold", Variant(std::int16_t{-1}));
  bag.Set("Selected", Variant("True"));
  bag.Set("Dropped", Variant(true));
  bag.Set("AllowEmptyDate", Variant(true));
  h.control->ReadProperties(bag);

  // The font object first, then the single attributes over it, absent ones with their read
  // defaults (italic and strikethrough off); boldness comes from the object alone.
  EXPECT_EQ(*h.field().Font(), (Font{"Verdana", 10.0f, true, false, false, false}));
  EXPECT_TRUE(h.control->FontTransparent());
  EXPECT_TRUE(h.control->FontBold());
  EXPECT_TRUE(h.control->Selected());
  EXPECT_TRUE(h.control->Dropped());
  EXPECT_FALSE(h.PanelOpen()) << "Dropped is a stored flag only";
  EXPECT_TRUE(h.control->AllowEmptyDate());
  EXPECT_EQ(h.host.Reports(), (Log{"Font"}));
}

TEST(ReadProperties, AStoredDisplayFormatOf7FailsAtItsEntryAndKeepsTheFormat) {
  Harness h(Restoring());
  const std::string text_before = h.field().Text();
  MemoryPropertyBag bag;
  bag.Set("FontName", Variant("Arial"));  // entry 9: applied
  bag.Set("Value", Variant(kJan5));       // entry 18: applied
  bag.Set("DateFormat", Variant(std::int32_t{7}));
  bag.Set("Enabled", Variant(false));        // entries 4 and 21
  bag.Set("AllowEmptyDate", Variant(true));  // entry 22: not reached
  EXPECT_EQ(ErrorOf([&] { h.control->ReadProperties(bag); }), kErrInvalidUseOfNull);

  EXPECT_EQ(h.field().FontName(), "Arial");
  EXPECT_EQ(h.control->StoredValue(), Variant(kJan5));
  EXPECT_FALSE(h.field().Enabled()) << "entry 4 comes before the failure";
  EXPECT_TRUE(h.w.surface->Enabled()) << "entry 21 comes after it";
  EXPECT_FALSE(h.control->AllowEmptyDate());
  EXPECT_EQ(h.control->DateFormat(), LongDate) << "the format the control had";
  EXPECT_EQ(h.field().Text(), text_before) << "the text is not restored";
}

TEST(ReadProperties, ValuesTheControlCannotTakeFailBeforeAnythingIsApplied) {
  struct Row {
    const char* name;
    const char* key;
    Variant value;
    int error;
  };
  const Row rows[] = {
      {"a Font that is no font", "Font", Variant("Arial"), kErrTypeMismatch},
      {"a colour that is no number", "ForeColor", Variant("red"), kErrTypeMismatch},
      {"a Boolean that is null", "FontItalic", Variant::Null(), kErrInvalidUseOfNull},
      {"a font size of 0", "FontSize", Variant(0.0f), kErrInvalidPropertyValue},
      {"a negative selection start", "SelStart", Variant(std::int32_t{-1}),
       kErrInvalidPropertyValue},
      {"a date of 1e308", "Value", Variant(Date{1e308}), kErrInvalidProcedureCall},
      {"a display format that is no number", "DateFormat", Variant("long"), kErrTypeMismatch},
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
    EXPECT_EQ(ErrorOf([&] { h.control->ReadProperties(bag); }), row.error);
    EXPECT_TRUE(h.host.Log().empty());
    EXPECT_EQ(*h.field().Font(), font_before);
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_TRUE(h.control->StoredValue().is(VarKind::Empty));
  }
}

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
