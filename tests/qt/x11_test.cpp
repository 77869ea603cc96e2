// The control on a real X server (run by run_x11.sh under Xvfb, with no window manager and under
// openbox), driven with real pointer input: the pop-up takes the pointer grab, a press anywhere
// on the screen reaches it, the focus stays in the field, and the panel sits where the headless
// desktop computes it. Screenshots go into the build tree.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "qt_support.h"
#include "x11_input.h"

namespace datewell::qttest {
namespace {

constexpr unsigned long kKeysymUp = 0xff52;

class X11 : public QtFormsTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      GTEST_SKIP() << "needs an X server (tests/qt/run_x11.sh)";
    }
    ASSERT_EQ(x_.Problem(), "");
    const char* wm = std::getenv("DATEWELL_TEST_WM");
    wm_ = wm ? wm : "none";
  }

  // Lets the server and Qt catch up until the condition holds (at most two seconds).
  bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > 2000) {
        return false;
      }
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(5);
    }
    return true;
  }
  void Settle(int ms = 60) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(5);
    }
  }
  void Press(Point at) {
    x_.MoveTo(at);
    Settle(20);
    x_.Button(1, true);
    Settle();
  }
  void Release(Point at) {
    x_.MoveTo(at);
    x_.Button(1, false);
    Settle();
  }
  void Click(Point at) {
    Press(at);
    Release(at);
  }
  ControlOnForm& Place(int x, int y, int width = 180) {
    ControlOnForm& f = QtFormsTest::Place(x, y, width);
    f.form->activateWindow();
    EXPECT_TRUE(WaitFor([&] { return f.form->isActiveWindow(); }));
    f.dw().Inspect().txtDate->SetFocus();
    Settle();
    return f;
  }
  QString Shot(const std::string& name) {
    const QString path =
        ArtifactPath(QStringLiteral("x11-%1-%2.png")
                         .arg(QString::fromStdString(wm_), QString::fromStdString(name)));
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    return path;
  }
  bool OpenByTheDropButton(ControlOnForm& f) {
    Click(f.DropButton());
    return WaitFor([&] { return f.PanelOpen() && f.Panel()->isVisible(); });
  }

  X11Input x_;
  std::string wm_;
};

TEST_F(X11, APressOnTheBareDesktopClosesThePanelAndTheFocusStaysInTheField) {
  struct Row {
    std::string name;
    Point where;  // outside every window of the application
  };
  const std::vector<Row> rows = {
      {"far right of the screen", {1000, 700}},
      {"top-left corner", {3, 3}},
      {"below and left of the form", {100, 400}},
  };
  ControlOnForm& f = Place(200, 150);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    int changes = 0;
    auto connection = QObject::connect(f.control, &QtDatewell::Change, [&] { ++changes; });
    ASSERT_TRUE(OpenByTheDropButton(f));
    // The grab was confirmed by the server: a second connection found the pointer grabbed.
    EXPECT_TRUE(platform_.desktop().LastCaptureConfirmed());
    EXPECT_EQ(platform_.desktop().GetCapture(), f.dw().Inspect().picCalendar->hWnd());
    // The pop-up never takes the focus: the form stays active with the field focused.
    EXPECT_EQ(QApplication::activeWindow(), f.form.get());
    EXPECT_EQ(QApplication::focusWidget(), f.Field());
    EXPECT_TRUE(f.dw().Inspect().txtDate->HasFocus());
    ASSERT_EQ(QApplication::topLevelAt(QPoint(row.where.x, row.where.y)), nullptr);
    Click(row.where);
    EXPECT_TRUE(WaitFor([&] { return !f.PanelOpen(); }));
    EXPECT_EQ(platform_.desktop().GetCapture(), kNoWindow);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(f.dw().Inspect().txtDate->HasFocus());
    QObject::disconnect(connection);
  }
}

TEST_F(X11, TheGrabCheckTellsATakenGrabFromAFailedOne) {
  struct Row {
    std::string name;
    bool other_program_holds_the_pointer;
    bool want_confirmed;
  };
  const std::vector<Row> rows = {
      {"the pointer is free", false, true},
      {"another program holds the pointer", true, false},
      {"free again", false, true},
  };
  ControlOnForm& f = Place(200, 150);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.other_program_holds_the_pointer) {
      ASSERT_TRUE(x_.GrabPointer());
    }
    f.dw().DropDown();
    ASSERT_TRUE(f.PanelOpen());
    EXPECT_EQ(platform_.desktop().LastCaptureConfirmed(), row.want_confirmed);
    ::testing::Test::RecordProperty(row.name + " attempts",
                                    platform_.desktop().LastCaptureAttempts());
    if (row.other_program_holds_the_pointer) {
      x_.UngrabPointer();
    }
    f.dw().CloseUp();
    Settle();
  }
}

TEST_F(X11, ThePanelAppearsWhereTheHeadlessDesktopPlacesIt) {
  struct Row {
    std::string name;
    int x, y;
  };
  const std::vector<Row> rows = {
      {"below the control", 200, 150},
      {"near the bottom: above it", 200, 700},
      {"near the right edge: pulled left", 900, 150},
      {"in the bottom-right corner", 880, 740},
      {"partly off the left edge", -40, 150},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ControlOnForm& f = Place(row.x, row.y, 140);
    const Point origin = ToScreen(*f.control, QPoint(0, 0));
    ASSERT_EQ(origin, (Point{row.x, row.y}));
    ASSERT_TRUE(OpenByTheDropButton(f));
    const UserControlSurface& s = *f.dw().Inspect().surface;
    const Point want = HeadlessPanelPosition(platform_.desktop(), origin, s.Width(), s.Height());
    EXPECT_EQ(f.dw().PanelPosition(), want);
    // Where the server really shows the window.
    EXPECT_EQ(x_.WindowOrigin(f.Panel()->winId()), want);
    Shot("placed-" + std::to_string(row.x) + "-" + std::to_string(row.y));
    f.dw().CloseUp();
    Settle();
    forms_.pop_back();
  }
}

TEST_F(X11, PickingADayRaisesChangeWithTheNewText) {
  ControlOnForm& f = Place(200, 150);
  f.control->setStringValue(QStringLiteral("January 5, 2004"));
  Settle();
  Shot("1-closed");
  std::vector<std::string> changes;
  QObject::connect(f.control, &QtDatewell::Change,
                   [&] { changes.push_back(f.control->stringValue().toStdString()); });

  // Up in the field opens the panel, as a key typed by the user.
  x_.Key(kKeysymUp, true);
  x_.Key(kKeysymUp, false);
  ASSERT_TRUE(WaitFor([&] { return f.PanelOpen(); }));
  EXPECT_TRUE(platform_.desktop().LastCaptureConfirmed());
  Settle(150);
  Shot("2-panel-open");

  // The month list: press on the caption, move down two bands, picture, release.
  const auto parts = f.dw().Inspect();
  const Point caption = f.CentreOf(*parts.lblMonthYear);
  Press(caption);
  ASSERT_TRUE(WaitFor([&] { return parts.lstSelectMonth->Visible(); }));
  x_.MoveTo({caption.x, caption.y + 28});
  Settle(150);
  Shot("3-month-list");
  const int chosen = parts.lstSelectMonth->ListIndex();
  const std::string chosen_text = parts.lstSelectMonth->List(chosen);
  Release({caption.x, caption.y + 28});
  ASSERT_TRUE(WaitFor([&] { return !parts.lstSelectMonth->Visible(); }));
  EXPECT_EQ(parts.lblMonthYear->Caption(), chosen_text);
  EXPECT_EQ(chosen, 5);  // two bands below the shown month
  EXPECT_TRUE(f.PanelOpen());

  // A day of the chosen month.
  const std::string tag = parts.lblDate[25]->Tag();
  const auto date = platform_.locale().RecogniseDate(tag);
  ASSERT_TRUE(date.has_value());
  Click(f.CentreOf(*parts.lblDate[25]));
  ASSERT_TRUE(WaitFor([&] { return !f.PanelOpen(); }));
  EXPECT_EQ(changes, std::vector<std::string>{platform_.locale().FormatDate(*date, kLongDate)});
  Settle(100);
  Shot("4-day-picked");
}

}  // namespace
}  // namespace datewell::qttest
