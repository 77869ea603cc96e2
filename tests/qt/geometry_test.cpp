// The Qt backend's arithmetic: units, edges, the scroll arrow, lines, keys and the work area.

#include <gtest/gtest.h>

#include <QPalette>
#include <Qt>
#include <string>
#include <vector>

#include "platform/qt/qt_colors.h"
#include "platform/qt/qt_geometry.h"
#include "platform/toolkit.h"
#include "platform/windowing.h"
#include "qt_support.h"

namespace datewell::qtgeom {
namespace {

TEST(QtGeometry, TwipsPerPixelFromLogicalDpi) {
  struct Row {
    std::string name;
    double dpi;
    float want;
  };
  const std::vector<Row> rows = {
      {"120 dpi", 120, 12.0f},
      {"no dpi falls back", 0, 15.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_FLOAT_EQ(TwipsPerPixel(row.dpi), row.want);
  }
}

TEST(QtGeometry, ToPixelsRoundsHalvesToEven) {
  struct Row {
    std::string name;
    float twips, tpp;
    std::int32_t want;
  };
  const std::vector<Row> rows = {
      {"half rounds down to even", 22.5f, 15, 2},  // 1.5 -> 2
      {"half rounds up to even", 37.5f, 15, 2},    // 2.5 -> 2
      {"12 twips per pixel", 2475, 12, 206},       // 206.25
      {"negative", -99800, 15, -6653},             // -6653.33
      {"negative half to even", -22.5f, 15, -2},   // -1.5
      {"a zero scale gives nothing", 100, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToPixels(row.twips, row.tpp), row.want);
  }
}

// A picture of an edge: each pixel's shade letter (L light, l midlight, m mid, D dark).
std::vector<std::string> Picture(const std::vector<Segment>& segments, int w, int h) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  for (const Segment& s : segments) {
    const char c = s.shade == Shade::Light      ? 'L'
                   : s.shade == Shade::Midlight ? 'l'
                   : s.shade == Shade::Mid      ? 'm'
                                                : 'D';
    for (int y = std::min(s.y1, s.y2); y <= std::max(s.y1, s.y2); ++y) {
      for (int x = std::min(s.x1, s.x2); x <= std::max(s.x1, s.x2); ++x) {
        rows.at(y).at(x) = c;
      }
    }
  }
  return rows;
}

TEST(QtGeometry, EdgesDrawTheClassicRaisedAndSunkenShades) {
  struct Row {
    std::string name;
    std::uint32_t edge, flags;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      {"raised: light outer top-left, dark outer bottom-right",
       EDGE_RAISED,
       BF_RECT,
       {"lllllD", "lLLLmD", "lL..mD", "lL..mD", "lmmmmD", "DDDDDD"}},
      {"sunken: mid outer top-left, light outer bottom-right",
       EDGE_SUNKEN,
       BF_RECT,
       {"mmmmmL", "mDDDlL", "mD..lL", "mD..lL", "mllllL", "LLLLLL"}},
      {"only the top and left sides",
       EDGE_SUNKEN,
       BF_TOP | BF_LEFT,
       {"mmmmm.", "mDDDD.", "mD....", "mD....", "mD....", "......"}},
      {"outer ring only",
       BDR_RAISEDOUTER,
       BF_RECT,
       {"lllllD", "l....D", "l....D", "l....D", "l....D", "DDDDDD"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Picture(EdgeSegments({0, 0, 6, 6}, row.edge, row.flags), 6, 6), row.want);
  }
  EXPECT_TRUE(EdgeSegments({5, 5, 5, 9}, EDGE_RAISED, BF_RECT).empty());
  EXPECT_TRUE(EdgeSegments({5, 9, 8, 2}, EDGE_RAISED, BF_RECT).empty());
}

// The face's 16 by 17 button (82, 2)-(98, 19): rows of 7, 5, 3 and 1 dark pixels from (87, 8),
// one pixel right and down while pushed.
TEST(QtGeometry, ScrollArrowIsCentredAndShiftsWhenPushed) {
  for (const int pushed : {0, 1}) {
    SCOPED_TRACE(pushed ? "pushed" : "raised");
    const int x = 87 + pushed, y = 8 + pushed;
    const std::vector<Segment> want = {{x, y, x + 6, y, Shade::Dark},
                                       {x + 1, y + 1, x + 5, y + 1, Shade::Dark},
                                       {x + 2, y + 2, x + 4, y + 2, Shade::Dark},
                                       {x + 3, y + 3, x + 3, y + 3, Shade::Dark}};
    EXPECT_EQ(ScrollDownArrow({82, 2, 98, 19}, pushed != 0), want);
  }
  EXPECT_TRUE(ScrollDownArrow({0, 0, 6, 6}, false).empty()) << "too small for an arrow";
}

TEST(QtGeometry, LinesLeaveTheirEndPointUndrawn) {
  struct Row {
    std::string name;
    int x1, y1, x2, y2;
    std::optional<PixelLine> want;
  };
  const std::vector<Row> rows = {
      {"down 9 pixels draws 9", 15, 8, 15, 17, PixelLine{15, 8, 15, 16}},
      {"up 7 pixels", 14, 15, 14, 8, PixelLine{14, 15, 14, 9}},
      {"one pixel long", 11, 12, 11, 13, PixelLine{11, 12, 11, 12}},
      {"horizontal", 16, 38, 148, 38, PixelLine{16, 38, 147, 38}},
      {"leftwards", 20, 5, 10, 5, PixelLine{20, 5, 11, 5}},
      {"a point draws nothing", 5, 5, 5, 5, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(LineWithoutEnd(row.x1, row.y1, row.x2, row.y2), row.want);
  }
}

// Keys, characters up to U+00FF and the shift masks of Shift, Ctrl and Alt, alone and together, go
// both ways in the keys and key-codes scenarios on this backend; these are the others.
TEST(QtGeometry, KeysAndCharactersTheScenariosDoNotSend) {
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Tab), kKeyTab);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter), kKeyReturn);  // the keypad's Enter
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_MediaPlay), 0);
  EXPECT_EQ(KeyAsciiFromCodePoint(U'\r'), 13);
  EXPECT_EQ(KeyAsciiFromCodePoint(U'年'), 0x5E74);
  EXPECT_EQ(KeyAsciiFromCodePoint(0x1F600), 0);  // beyond a 16-bit key value
}

TEST(QtGeometry, WorkAreaIsMeasuredFromTheDesktopOrigin) {
  struct Row {
    std::string name;
    Rect available;
    WorkArea want;
  };
  const std::vector<Row> rows = {
      {"a panel reserved at the top", {0, 30, 1280, 1024}, {1280, 1024}},
      {"a second screen to the right", {1024, 0, 2944, 1080}, {2944, 1080}},
      {"a screen left of the origin", {-1280, 0, 0, 1024}, {0, 1024}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WorkAreaMetrics(row.available), row.want);
  }
}

TEST(QtGeometry, APressOutsideTheApplicationLiesOutsideTheWindow) {
  struct Row {
    std::string name;
    Point last_cursor;
    Point want;
  };
  const Rect panel{100, 200, 265, 365};
  const std::vector<Row> rows = {
      {"last seen outside: there", {50, 60}, {50, 60}},
      {"last seen on the right edge's pixel", {264, 300}, {265, 300}},
      {"last seen near the top", {180, 205}, {180, 199}},
      {"last seen on the left edge", {100, 300}, {99, 300}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PointOutside(panel, row.last_cursor), row.want);
  }
  // At the screen's origin the edges left and above are not taken.
  EXPECT_EQ(PointOutside({0, 0, 165, 165}, {1, 2}), (Point{1, 165}));
}

TEST(QtGeometry, SevenItemsFillTheList) {
  EXPECT_EQ(ItemHeightFor(91, 7), 13);
  EXPECT_EQ(ItemHeightFor(5, 7), 1);
}

// A light palette draws the control's colours as they are. A dark one draws each fixed colour
// with the palette colour it stands for, readable (4.5:1) over what lies behind it; the
// palette's selection colour is darkened where its text would not be readable on it.
TEST(QtGeometry, FixedColoursFollowADarkPalette) {
  using qtcolor::Ink;
  QPalette light(QColor(0xef, 0xef, 0xef), QColor(0xef, 0xef, 0xef));
  light.setColor(QPalette::Base, Qt::white);
  QPalette dark = qttest::DarkPalette();
  dark.setColor(QPalette::WindowText, QColor(0xd0, 0xd0, 0xd0));  // the arrows apart from text
  const QColor dark_base(0x1e, 0x1e, 0x1e);
  struct Row {
    std::string name;
    const QPalette& palette;
    OleColor color;
    Ink ink;
    QColor behind;
    std::string want;  // the exact colour, or "" where only readability and hue are fixed
    int hue;           // the hue kept (HSV, give or take rounding), or -1 for a grey
  };
  const std::vector<Row> rows = {
      {"light: black text", light, 0x000000, Ink::Text, Qt::white, "#000000", -1},
      {"light: the highlight", light, 0x800000, Ink::Fill, {}, "#000080", 240},
      {"light: today's dark red", light, 0x0000C0, Ink::Text, Qt::white, "#c00000", 0},
      {"light: the background", light, kColorWindowBackground, Ink::Fill, {}, "#ffffff", -1},
      {"dark: black text is the text colour", dark, 0x000000, Ink::Text, dark_base, "#e8e8e8", -1},
      {"dark: the arrows are the window text", dark, 0x000000, Ink::Stroke, dark_base, "#d0d0d0",
       -1},
      {"dark: the background stays the palette's",
       dark,
       kColorWindowBackground,
       Ink::Fill,
       {},
       "#1e1e1e",
       -1},
      {"dark: the highlight, darkened under its text", dark, 0x800000, Ink::Fill, {}, "", 215},
      {"dark: white on the highlight", dark, 0xFFFFFF, Ink::Text, QColor(0x2e, 0x6a, 0xc0),
       "#ffffff", -1},
      {"dark: today's red, lightened", dark, 0x0000C0, Ink::Text, dark_base, "", 0},
      {"dark: the adjacent months' shadow grey", dark, kColorButtonShadow, Ink::Text, dark_base, "",
       -1},
      {"dark: any other text on a light fill, darkened", dark, 0x00C0C0, Ink::Text, Qt::white, "",
       60},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QColor got = qtcolor::Drawn(row.color, row.ink, row.palette, row.behind);
    if (!row.want.empty()) {
      EXPECT_EQ(got.name().toStdString(), row.want);
    }
    if (row.hue < 0) {
      EXPECT_EQ(got.hsvHue(), -1) << got.name().toStdString();
    } else {
      EXPECT_NEAR(got.hsvHue(), row.hue, 2) << got.name().toStdString();
    }
    const QColor against =
        row.ink == Ink::Fill ? row.palette.color(QPalette::HighlightedText) : row.behind;
    if (row.ink != Ink::Fill || row.color == 0x800000) {
      EXPECT_GE(qtcolor::Contrast(got, against), 4.5) << got.name().toStdString();
    }
  }
  EXPECT_FALSE(qtcolor::IsDark(light));
  EXPECT_TRUE(qtcolor::IsDark(dark));
}

}  // namespace
}  // namespace datewell::qtgeom
