// A desktop of three screens (the offscreen platform configured by three_screens.json, run as
// the qt_three_screens test): the primary one at the origin, one right of it and one left of and
// above it, at negative coordinates (the third). The panel is placed and clamped in the screen that
// shows the control, and a press outside it closes it on whichever screen the press lands.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <string>
#include <vector>

#include "qt_support.h"

namespace datewell::qttest {
namespace {

class ThreeScreens : public QtFormsTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::screens().size() != 3) {
      GTEST_SKIP() << "needs the three-screen offscreen desktop (DATEWELL_TEST_SCREENS)";
    }
  }
};

TEST_F(ThreeScreens, ThePanelOpensOnTheControlsScreenAndAPressOnAnyScreenClosesIt) {
  struct Row {
    std::string name;
    int x, y;     // the control's top-left corner
    bool above;   // the panel flips above the control
    Point press;  // screen pixels, outside the panel
  };
  const std::vector<Row> rows = {
      {"second screen, room below; press on the first", 1500, 300, false, {500, 400}},
      {"second screen, near its bottom; press on the third", 1500, 990, true, {-600, 100}},
      {"second screen, near its right edge; press there", 2200, 300, false, {1100, 900}},
      {"first screen, near its bottom; press on the third", 300, 740, true, {-600, 100}},
      {"first screen, at the seam; press on the second", 900, 300, false, {2000, 100}},
      {"third screen; press there", -900, 300, false, {-300, -100}},
      {"third screen; press on the first", -900, 300, false, {500, 400}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ControlOnForm& f = Place(row.x, row.y, 140);
    QScreen* screen = QGuiApplication::screenAt(QPoint(row.x + 70, row.y + 10));
    ASSERT_NE(screen, nullptr);
    input_.Click(f.DropButton());
    ASSERT_TRUE(f.PanelOpen());
    const QRect panel(f.Panel()->mapToGlobal(QPoint(0, 0)), f.Panel()->size());
    // Wholly on the control's screen, pulled left where it would pass the screen's right edge.
    EXPECT_TRUE(screen->availableGeometry().contains(panel)) << panel.x() << "," << panel.y();
    const Point origin = ToScreen(*f.control, QPoint(0, 0));
    if (row.above) {
      EXPECT_LE(panel.bottom(), origin.y);
    } else {
      EXPECT_GT(panel.top(), origin.y);
    }
    input_.Click(row.press);
    EXPECT_FALSE(f.PanelOpen());
    EXPECT_NE(platform_.desktop().GetCapture(), f.dw().Inspect().picCalendar->hWnd())
        << "the capture is released";
    f.dw().CloseUp();
    forms_.pop_back();
  }
}

}  // namespace
}  // namespace datewell::qttest
