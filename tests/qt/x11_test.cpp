// The control on a real X server (run by run_x11.sh under Xvfb, with no window manager and under
// openbox), driven with real pointer input: the pop-up takes the pointer grab, a press anywhere
// on the screen reaches it, the focus stays in the field, and the panel sits where the headless
// desktop computes it. Screenshots go into the build tree.
//
// The same stories run on Weston (run_x11.sh weston), whose output is a window at the top-left of
// the X screen, with the input made on the X server. A Wayland client cannot place its windows,
// so the form covers the screen, the compositor puts it below its panel, and the stories find
// where it is with the pointer and press the panel as a place outside the application.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "qt_support.h"
#include "x11_input.h"

namespace datewell::qttest {
namespace {

constexpr unsigned long kKeysymUp = 0xff52;

// The last mouse move a window of the application got from the window system, where it was in
// that window.
class MoveWatcher : public QObject {
 public:
  QPointer<QWindow> window;
  QPoint local;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* w = qobject_cast<QWindow*>(watched); w && event->type() == QEvent::MouseMove) {
      window = w;
      local = static_cast<QMouseEvent*>(event)->position().toPoint();
    }
    return false;
  }
};

class X11 : public QtFormsTest {
 protected:
  void SetUp() override {
    if (const char* weston = std::getenv("DATEWELL_TEST_WESTON");
        weston && std::string(weston) == "missing") {
      GTEST_SKIP() << "weston is not installed (scripts/install-deps.sh installs it)";
    }
    wayland_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !wayland_) {
      GTEST_SKIP() << "needs an X server (tests/qt/run_x11.sh)";
    }
    ASSERT_EQ(x_.Problem(), "");
    const char* wm = std::getenv("DATEWELL_TEST_WM");
    wm_ = wm ? wm : "none";
    qApp->installEventFilter(&moves_);
  }
  void TearDown() override {
    qApp->removeEventFilter(&moves_);
    QtFormsTest::TearDown();
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
  // Points are the application's screen pixels; the X server's are offset_ away from them.
  Point OnX(Point p) const { return {p.x + offset_.x, p.y + offset_.y}; }
  Point FromX(Point p) const { return {p.x - offset_.x, p.y - offset_.y}; }
  void MoveTo(Point at) { x_.MoveTo(OnX(at)); }
  void Press(Point at) {
    MoveTo(at);
    Settle(20);
    x_.Button(1, true);
    Settle();
  }
  void Release(Point at) {
    MoveTo(at);
    x_.Button(1, false);
    Settle();
  }
  void Click(Point at) {
    Press(at);
    Release(at);
  }
  ControlOnForm& Place(int x, int y, int width = 180) {
    ControlOnForm& f = QtFormsTest::Place(x, y, width);
    if (wayland_) {
      // The form covers the screen with the control at (x, y) of it; Qt puts a Wayland window's
      // client area at (0, 0), the compositor puts the form at the top-left of its work area.
      f.form->hide();
      f.form->setGeometry(QGuiApplication::primaryScreen()->geometry());
      f.control->move(x, y);
      f.form->show();
      EXPECT_TRUE(WaitFor([&] { return f.form->windowHandle()->isExposed(); }));
      // Weston's X11 backend follows the X pointer by its moves and takes its position only when
      // it enters the compositor's window: leave the window below and come back.
      x_.MoveTo({512, 790});
      Settle(30);
      offset_ = {};
      const Point on_form{512, 400};  // below the compositor's panel, on the form
      const Point local = PointerIn(f.form.get(), on_form);
      const Point origin = ToScreen(*f.form, QPoint(0, 0));
      offset_ = {on_form.x - local.x - origin.x, on_form.y - local.y - origin.y};
    }
    f.form->activateWindow();
    EXPECT_TRUE(WaitFor([&] { return f.form->isActiveWindow(); }));
    f.dw().Inspect().txtDate->SetFocus();
    Settle();
    return f;
  }
  // Puts the pointer at the application's point and returns where it is in the window that the
  // window system hands it to, which must be w's.
  Point PointerIn(QWidget* w, Point at) {
    // Moves made before the window is on the screen go elsewhere: move on while waiting.
    const Point beside{at.x + 5, at.y + 5};
    bool there = false;
    moves_.window = nullptr;
    EXPECT_TRUE(WaitFor([&] {
      x_.MoveTo(OnX((there = !there) ? at : beside));
      return moves_.window == w->windowHandle();
    }));
    x_.MoveTo(OnX(beside));
    Settle(30);
    moves_.window = nullptr;
    x_.MoveTo(OnX(at));
    EXPECT_TRUE(WaitFor([&] { return moves_.window == w->windowHandle(); }));
    return {moves_.local.x(), moves_.local.y()};
  }
  // Where the window system really shows the window's client area, in the application's screen
  // pixels: X11 tells; on Wayland the pointer put just inside where it should be must land in it
  // that far inside.
  Point ShownAt(QWidget* w, Point want) {
    if (!wayland_) {
      return x_.WindowOrigin(w->winId());
    }
    const Point at{want.x + 3, want.y + 3};
    const Point local = PointerIn(w, at);
    return {at.x - local.x, at.y - local.y};
  }
  QString Shot(const std::string& name) {
    const QString path = ArtifactPath(
        wayland_ ? QStringLiteral("weston-%1.png").arg(QString::fromStdString(name))
                 : QStringLiteral("x11-%1-%2.png")
                       .arg(QString::fromStdString(wm_), QString::fromStdString(name)));
    if (wayland_) {
      x_.Screen().save(path);  // what the compositor shows
    } else {
      QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    }
    return path;
  }
  bool OpenByTheDropButton(ControlOnForm& f) {
    Click(f.DropButton());
    return WaitFor([&] { return f.PanelOpen() && f.Panel()->isVisible(); });
  }

  X11Input x_;
  std::string wm_;
  bool wayland_ = false;
  Point offset_;
  MoveWatcher moves_;
};

TEST_F(X11, APressOnTheBareDesktopClosesThePanelAndTheFocusStaysInTheField) {
  struct Row {
    std::string name;
    Point on_x;           // on the X screen
    bool outside = true;  // of every window of the application
  };
  ControlOnForm& f = Place(200, 150);
  std::vector<Row> rows = wayland_ ? std::vector<Row>{{"the compositor's panel", {300, 12}},
                                                      {"the panel's far end", {800, 12}}}
                                   : std::vector<Row>{{"far right of the screen", {1000, 700}},
                                                      {"top-left corner", {3, 3}},
                                                      {"below and left of the form", {100, 400}}};
  // On the control's own window the press closes the panel just the same, and opens nothing.
  rows.push_back({"the drop button", OnX(f.DropButton()), false});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Point where = FromX(row.on_x);
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
    if (row.outside) {
      ASSERT_EQ(QApplication::topLevelAt(QPoint(where.x, where.y)), nullptr);
    }
    Click(where);
    EXPECT_TRUE(WaitFor([&] { return !f.PanelOpen(); }));
    Settle();
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
    bool on_weston = true;  // below the compositor's panel the control would leave the screen
  };
  const std::vector<Row> rows = {
      {"below the control", 200, 150},
      {"near the bottom: above it", 200, 700},
      {"near the right edge: pulled left", 900, 150},
      {"in the bottom-right corner", 880, 740, false},
      {"partly off the left edge", -40, 150},
  };
  for (const Row& row : rows) {
    if (wayland_ && !row.on_weston) {
      continue;
    }
    SCOPED_TRACE(row.name);
    ControlOnForm& f = Place(row.x, row.y, 140);
    const Point origin = ToScreen(*f.control, QPoint(0, 0));
    ASSERT_EQ(origin, (Point{row.x, row.y}));
    ASSERT_TRUE(OpenByTheDropButton(f));
    const UserControlSurface& s = *f.dw().Inspect().surface;
    const Point want = HeadlessPanelPosition(platform_.desktop(), origin, s.Width(), s.Height());
    EXPECT_EQ(f.dw().PanelPosition(), want);
    // Where the server really shows the window.
    EXPECT_EQ(ShownAt(f.Panel(), want), want);
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

  // Up in the field opens the panel, as a key typed by the user: held down until the panel is
  // open (Weston grants a pop-up its grab only for the latest key event, the press).
  x_.Key(kKeysymUp, true);
  ASSERT_TRUE(WaitFor([&] { return f.PanelOpen(); }));
  x_.Key(kKeysymUp, false);
  EXPECT_TRUE(platform_.desktop().LastCaptureConfirmed());
  Settle(150);
  Shot("2-panel-open");

  // The month list: press on the caption, move down two bands, picture, release.
  const auto parts = f.dw().Inspect();
  const Point caption = f.CentreOf(*parts.lblMonthYear);
  Press(caption);
  ASSERT_TRUE(WaitFor([&] { return parts.lstSelectMonth->Visible(); }));
  MoveTo({caption.x, caption.y + 28});
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

  // While the panel is open the keys still reach the field: Up opens it and Up closes it.
  x_.Key(kKeysymUp, true);
  ASSERT_TRUE(WaitFor([&] { return f.PanelOpen(); }));
  x_.Key(kKeysymUp, false);
  Settle();
  x_.Key(kKeysymUp, true);
  x_.Key(kKeysymUp, false);
  EXPECT_TRUE(WaitFor([&] { return !f.PanelOpen(); }));
  EXPECT_TRUE(parts.txtDate->HasFocus());

  // Today acts on the press, as every press on the open panel does.
  x_.Key(kKeysymUp, true);
  ASSERT_TRUE(WaitFor([&] { return f.PanelOpen(); }));
  x_.Key(kKeysymUp, false);
  Press(f.CentreOf(*parts.cmdGotoToday));
  EXPECT_TRUE(WaitFor([&] { return !f.PanelOpen(); }));
  Release(f.CentreOf(*parts.cmdGotoToday));
  EXPECT_EQ(changes.back(), platform_.locale().FormatDate(platform_.locale().Today(), kLongDate));
}

}  // namespace
}  // namespace datewell::qttest
