// The pass-through members, stored flags and methods: what each setter writes, what the getter
// then reads, and the order in which the host sees the report and the Resize of the layout.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using Log = std::vector<std::string>;

struct MemberRow {
  const char* name;
  std::function<void(Datewell&)> set;
  Log log;
  // What must hold afterwards, checked on the control and its widgets.
  std::function<void(Harness&)> check;
};

TEST(Members, SettersWriteTheirTargetAndReportInTheTablesOrder) {
  const Log no_layout;
  const MemberRow rows[] = {
      {"ForeColor",
       [](Datewell& c) { c.SetForeColor(0x0000C0u); },
       {"PropertyChanged(ForeColor)"},
       [](Harness& h) {
         EXPECT_EQ(h.control->ForeColor(), 0x0000C0u);
         EXPECT_EQ(h.field().ForeColor(), 0x0000C0u);
       }},
      {"BackColor lays out before it reports",
       [](Datewell& c) { c.SetBackColor(0xFFFFFFu); },
       {"Resize", "PropertyChanged(BackColor)"},
       [](Harness& h) {
         EXPECT_EQ(h.w.surface->BackColor(), 0xFFFFFFu);
         EXPECT_EQ(h.field().BackColor(), 0xFFFFFFu);
         EXPECT_EQ(h.control->BackColor(), 0xFFFFFFu);
       }},
      {"FontUnderline",
       [](Datewell& c) { c.SetFontUnderline(true); },
       {"PropertyChanged(FontUnderline)", "Resize"},
       [](Harness& h) {
         EXPECT_TRUE(h.field().FontUnderline());
         EXPECT_TRUE(h.control->FontUnderline());
       }},
      {"FontTransparent only stores its flag",
       [](Datewell& c) { c.SetFontTransparent(true); },
       {"PropertyChanged(FontTransparent)", "Resize"},
       [](Harness& h) {
         EXPECT_TRUE(h.control->FontTransparent());
         EXPECT_EQ(*h.field().Font(), (Font{"Tahoma", 8.0f, false, false, false, false}));
       }},
      {"FontStrikethru",
       [](Datewell& c) { c.SetFontStrikethru(true); },
       {"PropertyChanged(FontStrikethru)", "Resize"},
       [](Harness& h) {
         EXPECT_TRUE(h.field().FontStrikethru());
         EXPECT_TRUE(h.control->FontStrikethru());
       }},
      {"FontSize",
       [](Datewell& c) { c.SetFontSize(12.0f); },
       {"PropertyChanged(FontSize)", "Resize"},
       [](Harness& h) {
         EXPECT_EQ(h.field().FontSize(), 12.0f);
         EXPECT_EQ(h.control->FontSize(), 12.0f);
       }},
      {"FontName",
       [](Datewell& c) { c.SetFontName("Courier New"); },
       {"PropertyChanged(FontName)", "Resize"},
       [](Harness& h) {
         EXPECT_EQ(h.field().FontName(), "Courier New");
         EXPECT_EQ(h.control->FontName(), "Courier New");
       }},
      {"FontItalic",
       [](Datewell& c) { c.SetFontItalic(true); },
       {"PropertyChanged(FontItalic)", "Resize"},
       [](Harness& h) {
         EXPECT_TRUE(h.field().FontItalic());
         EXPECT_TRUE(h.control->FontItalic());
       }},
      {"FontBold stores its flag and emboldens the field",
       [](Datewell& c) { c.SetFontBold(true); },
       {"PropertyChanged(FontBold)", "Resize"},
       [](Harness& h) {
         EXPECT_TRUE(h.control->FontBold());
         EXPECT_TRUE(h.field().FontBold());
       }},
      {"Selected",
       [](Datewell& c) { c.SetSelected(true); },
       {"PropertyChanged(Selected)"},
       [](Harness& h) { EXPECT_TRUE(h.control->Selected()); }},
      {"SelStart",
       [](Datewell& c) { c.SetSelStart(3); },
       {"PropertyChanged(SelStart)"},
       [](Harness& h) {
         EXPECT_EQ(h.field().SelStart(), 3);
         EXPECT_EQ(h.control->SelStart(), 3);
       }},
      {"SelLength",
       [](Datewell& c) { c.SetSelLength(4); },
       {"PropertyChanged(SelLength)"},
       [](Harness& h) {
         EXPECT_EQ(h.field().SelLength(), 4);
         EXPECT_EQ(h.control->SelLength(), 4);
       }},
      {"SelText replaces the selection, and the text change is a Change",
       [](Datewell& c) {
         c.SetSelStart(0);
         c.SetSelLength(7);
         c.SetSelText("Wednesday");
       },
       {"PropertyChanged(SelStart)", "PropertyChanged(SelLength)", "Change",
        "PropertyChanged(SelText)"},
       [](Harness& h) { EXPECT_EQ(h.field().Text(), "Wednesday, June 15, 2010"); }},
      {"ToolTipText",
       [](Datewell& c) { c.SetToolTipText("Due date"); },
       {"PropertyChanged(ToolTipText)"},
       [](Harness& h) {
         EXPECT_EQ(h.field().ToolTipText(), "Due date");
         EXPECT_EQ(h.control->ToolTipText(), "Due date");
       }},
      {"WhatsThisHelpID",
       [](Datewell& c) { c.SetWhatsThisHelpID(4711); },
       {"PropertyChanged(WhatsThisHelpID)"},
       [](Harness& h) {
         EXPECT_EQ(h.field().WhatsThisHelpID(), 4711);
         EXPECT_EQ(h.control->WhatsThisHelpID(), 4711);
       }},
      {"Dropped only stores, the panel stays closed",
       [](Datewell& c) { c.SetDropped(true); },
       {"PropertyChanged(Dropped)"},
       [](Harness& h) {
         EXPECT_TRUE(h.control->Dropped());
         EXPECT_FALSE(h.PanelOpen());
       }},
      {"Enabled is the control's, not the field's",
       [](Datewell& c) { c.SetEnabled(false); },
       {"PropertyChanged(Enabled)"},
       [](Harness& h) {
         EXPECT_FALSE(h.control->Enabled());
         EXPECT_FALSE(h.w.surface->Enabled());
         EXPECT_TRUE(h.field().Enabled());
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.ClearLog();
    row.set(*h.control);
    EXPECT_EQ(h.host.Log(), row.log);
    row.check(h);
  }
}

TEST(Members, FontTakesTheGivenObjectItselfReportsThenLaysOut) {
  Harness h;
  auto font = std::make_shared<Font>(Font{"Verdana", 14.0f, false, true, false, false});
  h.ClearLog();
  h.control->SetFont(font);
  EXPECT_EQ(h.host.Log(), (Log{"PropertyChanged(Font)", "Resize"}));
  EXPECT_EQ(h.control->Font(), font);
  EXPECT_EQ(h.field().Font(), font);
  // Shared by reference: the attribute members now change the host's object.
  h.control->SetFontSize(9.0f);
  EXPECT_EQ(font->size, 9.0f);
}

TEST(Members, FontBoldFlagSurvivesAFontWithoutBold) {
  Harness h;
  h.control->SetFontBold(true);
  h.control->SetFont(std::make_shared<Font>(Font{"Verdana", 10.0f}));
  EXPECT_TRUE(h.control->FontBold());
  EXPECT_FALSE(h.field().FontBold());
}

TEST(Members, InvalidValuesFailWithoutChangingAnything) {
  const struct {
    const char* name;
    std::function<void(Datewell&)> set;
    int error;
  } rows[] = {
      {"no font object", [](Datewell& c) { c.SetFont(nullptr); }, kErrObjectRequired},
      {"font size NaN", [](Datewell& c) { c.SetFontSize(std::numeric_limits<float>::quiet_NaN()); },
       kErrInvalidPropertyValue},
      {"font size infinite",
       [](Datewell& c) { c.SetFontSize(std::numeric_limits<float>::infinity()); },
       kErrInvalidPropertyValue},
      {"font size zero", [](Datewell& c) { c.SetFontSize(0.0f); }, kErrInvalidPropertyValue},
      {"negative font size", [](Datewell& c) { c.SetFontSize(-8.0f); }, kErrInvalidPropertyValue},
      {"giant font size", [](Datewell& c) { c.SetFontSize(1e9f); }, kErrInvalidPropertyValue},
      {"negative selection start", [](Datewell& c) { c.SetSelStart(-1); },
       kErrInvalidPropertyValue},
      {"negative selection length", [](Datewell& c) { c.SetSelLength(-5); },
       kErrInvalidPropertyValue},
      {"size with a NaN width",
       [](Datewell& c) {
         float w = std::numeric_limits<float>::quiet_NaN();
         float h = 300.0f;
         c.Size(w, h);
       },
       kErrInvalidPropertyValue},
      {"size with an infinite height",
       [](Datewell& c) {
         float w = 1815.0f;
         float h = std::numeric_limits<float>::infinity();
         c.Size(w, h);
       },
       kErrInvalidPropertyValue},
      {"negative size",
       [](Datewell& c) {
         float w = -10.0f;
         float h = 300.0f;
         c.Size(w, h);
       },
       kErrInvalidPropertyValue},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    h.control->SetSelStart(2);
    h.control->SetSelLength(3);
    const Font font_before = *h.field().Font();
    const std::string text_before = h.field().Text();
    const float width_before = h.w.surface->Width();
    const float height_before = h.w.surface->Height();
    h.ClearLog();
    try {
      row.set(*h.control);
      ADD_FAILURE() << "no error raised";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), row.error);
    }
    EXPECT_EQ(*h.field().Font(), font_before);
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_EQ(h.field().SelStart(), 2);
    EXPECT_EQ(h.field().SelLength(), 3);
    EXPECT_EQ(h.w.surface->Width(), width_before);
    EXPECT_EQ(h.w.surface->Height(), height_before);
    EXPECT_TRUE(h.host.Log().empty());
  }
}

TEST(Members, SizeResizesTheControlThroughTheHost) {
  Harness h;
  float width = 2400.0f;
  float height = 600.0f;
  h.ClearLog();
  h.control->Size(width, height);
  EXPECT_EQ(h.w.surface->Width(), 2400.0f);
  EXPECT_EQ(width, 2400.0f);  // read, passed on unchanged
  EXPECT_GE(h.host.Count(EventId::Resize), 1);
  EXPECT_EQ(h.host.Reports(), std::vector<std::string>{});
}

TEST(Members, RefreshRepaintsTheWholeControl) {
  Harness h;
  const Hwnd face = h.w.surface->hWnd();
  const auto painted = h.desktop.Repaint(face);
  ASSERT_FALSE(painted.empty());
  // A stray edge drawn outside any paint is gone once the control has repainted itself.
  Rect stray{1, 1, 3, 3};
  h.desktop.DrawEdge(face, stray, EDGE_RAISED, BF_RECT);
  ASSERT_EQ(h.desktop.Drawing(face).size(), painted.size() + 1);
  h.control->Refresh();
  EXPECT_EQ(h.desktop.Drawing(face), painted);
  EXPECT_TRUE(h.host.Reports().empty());
}

TEST(Members, DropDownOnlyOpensAndCloseUpOnlyCloses) {
  Harness h;
  h.control->CloseUp();
  EXPECT_FALSE(h.PanelOpen());
  h.control->DropDown();
  EXPECT_TRUE(h.PanelOpen());
  h.control->DropDown();
  EXPECT_TRUE(h.PanelOpen());
  h.control->CloseUp();
  EXPECT_FALSE(h.PanelOpen());
  h.control->CloseUp();
  EXPECT_FALSE(h.PanelOpen());
  // Neither touches the stored flag.
  EXPECT_FALSE(h.control->Dropped());
}

TEST(Members, NewControlSettings) {
  testing::HarnessOptions options;
  options.clear_after_start = false;
  options.show = false;
  Harness h(options);
  // The ambient font gives only its name; the setters run in their order, each reporting and
  // laying out.
  const Font expected{"Tahoma", 8.0f, false, false, false, false};
  EXPECT_EQ(*h.field().Font(), expected);
  EXPECT_NE(h.field().Font(), h.host.ambient_font);
  EXPECT_EQ(h.host.ambient_font->size, 11.0f);  // the container's font is left alone
  const Log init_log{
      "Change", "PropertyChanged(FontUnderline)",  "Resize", "PropertyChanged(FontTransparent)",
      "Resize", "PropertyChanged(FontStrikethru)", "Resize", "PropertyChanged(FontSize)",
      "Resize", "PropertyChanged(FontItalic)",     "Resize", "PropertyChanged(FontBold)",
      "Resize"};
  // The first layout of a control at its tall design size fixes the height, which lays out
  // once more; only the order of reports and layouts matters here.
  Log log;
  for (const auto& entry : h.host.Log()) {
    if (!(entry == "Resize" && !log.empty() && log.back() == "Resize")) {
      log.push_back(entry);
    }
  }
  ASSERT_GE(log.size(), init_log.size());
  EXPECT_EQ(Log(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(init_log.size())), init_log);
  EXPECT_FALSE(h.control->Selected());
  EXPECT_FALSE(h.control->Dropped());
  EXPECT_FALSE(h.control->FontBold());
  EXPECT_FALSE(h.control->FontTransparent());
  EXPECT_FALSE(h.control->AllowEmptyDate());
  EXPECT_EQ(h.control->StoredValue(), Variant(h.Today()));
  // Colours and enabled states keep their design values.
  EXPECT_EQ(h.field().ForeColor(), kColorWindowText);
  EXPECT_EQ(h.field().BackColor(), kColorWindowBackground);
  EXPECT_TRUE(h.field().Enabled());
  EXPECT_TRUE(h.control->Enabled());
}

}  // namespace
}  // namespace datewell
