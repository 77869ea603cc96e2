// The members whose effect the host cannot see by reading them back: the font object shared by
// reference (set through the dispatch interface), the back colour of the control's own surface,
// the bold flag kept apart from the font, refused values that change nothing, Refresh and what a
// new control starts with.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "control/dispatch.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;
using Log = std::vector<std::string>;

TEST(Members, FontTakesTheGivenObjectItself) {
  Harness h;
  auto font = std::make_shared<Font>(Font{"Verdana", 14.0f, false, true, false, false});
  std::vector<Variant> args{Variant(font)};
  Invoke(*h.control, h.locale, -512, InvokeKind::PutRef, args);  // Font
  EXPECT_EQ(h.field().Font(), font);
  // Shared by reference: the attribute members now change the host's object.
  h.control->SetFontSize(9.0f);
  EXPECT_EQ(font->size, 9.0f);
}

TEST(Members, BackColorColoursTheControlsOwnSurfaceToo) {
  Harness h;
  h.control->SetBackColor(0xFFFFFF);
  EXPECT_EQ(h.w.surface->BackColor(), 0xFFFFFFu);
}

TEST(Members, FontBoldFlagSurvivesAFontWithoutBold) {
  Harness h;
  h.control->SetFontBold(true);
  h.control->SetFont(std::make_shared<Font>(Font{"Verdana", 10.0f}));
  EXPECT_TRUE(h.control->FontBold());
  EXPECT_FALSE(h.field().FontBold());
}

TEST(Members, InvalidValuesFailWithoutChangingAnything) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  auto size = [](float width, float height) {
    return [=](Datewell& c) {
      float w = width;
      float h = height;
      c.Size(w, h);
    };
  };
  const struct {
    const char* name;
    std::function<void(Datewell&)> set;
    int error;
  } rows[] = {
      {"font size NaN", [=](Datewell& c) { c.SetFontSize(kNaN); }, kErrInvalidPropertyValue},
      {"font size infinite", [=](Datewell& c) { c.SetFontSize(kInf); }, kErrInvalidPropertyValue},
      {"font size zero", [](Datewell& c) { c.SetFontSize(0.0f); }, kErrInvalidPropertyValue},
      {"negative selection start", [](Datewell& c) { c.SetSelStart(-1); },
       kErrInvalidPropertyValue},
      {"negative selection length", [](Datewell& c) { c.SetSelLength(-5); },
       kErrInvalidPropertyValue},
      {"size with a NaN width", size(kNaN, 300.0f), kErrInvalidPropertyValue},
      {"size with an infinite height", size(1815.0f, kInf), kErrInvalidPropertyValue},
      {"negative size", size(-10.0f, 300.0f), kErrInvalidPropertyValue},
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
    EXPECT_EQ(testing::ErrorOf([&] { row.set(*h.control); }).number, row.error);
    EXPECT_EQ(*h.field().Font(), font_before);
    EXPECT_EQ(h.field().Text(), text_before);
    EXPECT_EQ(h.field().SelStart(), 2);
    EXPECT_EQ(h.field().SelLength(), 3);
    EXPECT_EQ(h.w.surface->Width(), width_before);
    EXPECT_EQ(h.w.surface->Height(), height_before);
    EXPECT_TRUE(h.host.Log().empty());
  }
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

TEST(Members, NewControlTakesACopyOfTheAmbientFontAndStoresTodayWithoutTheTime) {
  testing::HarnessOptions options;
  options.show = false;
  Harness h(options);
  EXPECT_NE(h.field().Font(), h.host.ambient_font);
  EXPECT_EQ(h.host.ambient_font->size, 11.0f) << "the container's font is left alone";
  EXPECT_EQ(h.control->StoredValue(), Variant(h.Today()));
}

}  // namespace
}  // namespace datewell
