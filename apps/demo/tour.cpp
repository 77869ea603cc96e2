#include "tour.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cmath>

#include "control/datewell.h"
#include "demo_form.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_input.h"
#include "widget/qtdatewell_p.h"

namespace datewell::demo {

namespace {

// A point of the panel given in its client twips, on the screen in pixels.
Point OnPanel(QtDatewell& c, float x_twips, float y_twips) {
  QtDesktop& desk = QtDatewellPrivate::Desktop(c);
  Point p{static_cast<std::int32_t>(std::nearbyint(x_twips / desk.TwipsPerPixelX())),
          static_cast<std::int32_t>(std::nearbyint(y_twips / desk.TwipsPerPixelY()))};
  desk.ClientToScreen(QtDatewellPrivate::Control(c).Inspect().picCalendar->hWnd(), p);
  return p;
}

// The middle of a widget of the panel.
Point CentreOn(QtDatewell& c, const Widget& w) {
  return OnPanel(c, w.Left() + w.Width() / 2, w.Top() + w.Height() / 2);
}

// The drop button: a few pixels in from the control's right edge, halfway down.
Point DropButton(QtDatewell& c) {
  const QPoint g = c.mapToGlobal(QPoint(c.width() - 9, c.height() / 2));
  const double dpr = c.devicePixelRatioF();
  return {static_cast<std::int32_t>(std::lround(g.x() * dpr)),
          static_cast<std::int32_t>(std::lround(g.y() * dpr))};
}

Point TextField(QtDatewell& c) {
  const QPoint g = c.mapToGlobal(QPoint(20, c.height() / 2));
  const double dpr = c.devicePixelRatioF();
  return {static_cast<std::int32_t>(std::lround(g.x() * dpr)),
          static_cast<std::int32_t>(std::lround(g.y() * dpr))};
}

// The middle of a widget of the form.
Point CentreOfWidget(const QWidget& w) {
  const QPoint g = w.mapToGlobal(w.rect().center());
  const double dpr = w.devicePixelRatioF();
  return {static_cast<std::int32_t>(std::lround(g.x() * dpr)),
          static_cast<std::int32_t>(std::lround(g.y() * dpr))};
}

bool PanelOpen(QtDatewell& c) {
  return QtDatewellPrivate::Control(c).Inspect().picCalendar->Visible();
}

}  // namespace

bool SaveScreenshot(const QString& path) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    return false;
  }
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    return screen->grabWindow(0).save(path);  // the real screen, as the server shows it
  }
  const QRect area = screen->virtualGeometry();
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(QColor(0x3a, 0x6e, 0xa5));  // the bare desktop
  QPainter painter(&image);
  QList<QWidget*> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->windowHandle()) {
      windows.append(w);
    }
  }
  // Ordinary windows first, then tool windows and dialogs above them.
  std::stable_sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
    auto rank = [](QWidget* w) {
      if (qobject_cast<QDialog*>(w) && w->isModal()) {
        return 2;
      }
      return (w->windowFlags() & Qt::WindowStaysOnTopHint) ? 1 : 0;
    };
    if (rank(a) != rank(b)) {
      return rank(a) < rank(b);
    }
    return a->property(kStackingProperty).toInt() < b->property(kStackingProperty).toInt();
  });
  for (QWidget* w : windows) {
    painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
  }
  painter.end();
  return image.save(path);
}

int PlayTour(DemoForm& form, const QString& out_dir) {
  QtDatewell& first = *form.controls()[0];
  QtDatewell& second = *form.controls()[1];
  QtDatewell& corner = *form.corner();
  QtDesktop& desk = QtDatewellPrivate::Desktop(first);
  QtInput input(desk);
  int failures = 0;
  int step = 0;
  auto shot = [&](const char* name) {
    desk.DoEvents();
    const QString file =
        QStringLiteral("%1/%2-%3.png").arg(out_dir).arg(++step, 2, 10, QChar('0')).arg(name);
    if (!SaveScreenshot(file)) {
      form.Log(QStringLiteral("tour: could not write %1").arg(file));
      ++failures;
    }
  };
  auto expect = [&](bool ok, const QString& what) {
    form.Log(QStringLiteral("tour: %1 %2")
                 .arg(ok ? QStringLiteral("ok") : QStringLiteral("FAILED"), what));
    failures += ok ? 0 : 1;
  };

  expect(QtDatewellPrivate::Control(first).Inspect().txtDate->HasFocus(),
         QStringLiteral("the first field has the focus"));
  first.setStringValue(QStringLiteral("January 5, 2004"));
  shot("form");

  input.Click(DropButton(first));
  expect(PanelOpen(first), QStringLiteral("the drop button opens the panel"));
  shot("panel-open");

  const auto parts = QtDatewellPrivate::Control(first).Inspect();
  const QString before = QString::fromStdString(parts.lblMonthYear->Caption());
  input.Click(OnPanel(first, parts.picCalendar->Width() - 255 + 30, 200));
  expect(QString::fromStdString(parts.lblMonthYear->Caption()) != before,
         QStringLiteral("the next-month arrow steps to %1")
             .arg(QString::fromStdString(parts.lblMonthYear->Caption())));
  shot("next-month");

  const Point caption = CentreOn(first, *parts.lblMonthYear);
  input.MouseDown(caption);
  desk.DoEvents();
  expect(parts.lstSelectMonth->Visible(),
         QStringLiteral("a press on the caption shows the month list"));
  input.MouseMove({caption.x, caption.y + 30});
  desk.DoEvents();
  shot("month-list");
  input.MouseUp({caption.x, caption.y + 30});
  desk.DoEvents();
  expect(!parts.lstSelectMonth->Visible(),
         QStringLiteral("the release chooses %1")
             .arg(QString::fromStdString(parts.lblMonthYear->Caption())));
  shot("month-chosen");

  input.Click(CentreOn(first, *parts.lblDate[24]));
  expect(!PanelOpen(first),
         QStringLiteral("picking a day closes the panel: %1").arg(first.stringValue()));
  shot("day-picked");

  input.Click(DropButton(first));
  input.Click(CentreOn(first, *parts.cmdGotoToday));
  expect(!PanelOpen(first), QStringLiteral("Today writes %1").arg(first.stringValue()));
  shot("today");

  input.Click(TextField(second));
  input.Type(QStringLiteral("3/14/2025"));
  input.Click(TextField(first));  // leaving the field validates it
  expect(!second.stringValue().isEmpty(),
         QStringLiteral("the typed date reads %1").arg(second.stringValue()));
  shot("typed-date");

  input.Click(DropButton(corner));
  const Point panel = OnPanel(corner, 0, 0);
  const QPoint control = corner.mapToGlobal(QPoint(0, 0));
  expect(PanelOpen(corner) && panel.y < control.y(),
         QStringLiteral("the corner control's panel opens above it at %1,%2")
             .arg(panel.x)
             .arg(panel.y));
  shot("corner-panel");
  input.Click({2, 2});
  expect(!PanelOpen(corner), QStringLiteral("a press elsewhere closes the panel"));

  // The user's language, then a dark palette, switched on the form.
  input.Click(CentreOfWidget(*form.localizedCaptionsBox()));
  input.Click(DropButton(first));
  QStringList headers;
  for (int i = 0; i < 7; ++i) {
    headers << QString::fromStdString(parts.lblDate[static_cast<std::size_t>(i)]->Caption());
  }
  expect(PanelOpen(first) && first.localizedCaptions() && corner.localizedCaptions(),
         QStringLiteral("captions in the user's language: %1, %2")
             .arg(headers.join(QLatin1Char(' ')),
                  QString::fromStdString(parts.cmdGotoToday->Caption())));
  shot("localized-captions");
  input.Click({2, 2});
  input.Click(CentreOfWidget(*form.darkPaletteBox()));
  input.Click(DropButton(first));
  expect(PanelOpen(first) && QApplication::palette().color(QPalette::Window).lightness() < 128 &&
             QApplication::style()->name() == QLatin1String("fusion"),
         QStringLiteral("a dark palette with the Fusion style"));
  shot("dark-palette");
  input.Click({2, 2});
  input.Click(CentreOfWidget(*form.darkPaletteBox()));
  input.Click(CentreOfWidget(*form.localizedCaptionsBox()));
  expect(!first.localizedCaptions() &&
             QApplication::palette().color(QPalette::Window).lightness() >= 128,
         QStringLiteral("both switched off again"));

  QTimer::singleShot(0, &form, [&] {
    // Give a real window system time to map and paint the dialog.
    for (int i = 0; i < 20; ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(10);
    }
    shot("about-box");
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  first.ShowAboutBox();
  expect(QApplication::activeModalWidget() == nullptr, QStringLiteral("the About box closes"));

  form.Save();

  QFile log(out_dir + QStringLiteral("/event-log.txt"));
  if (log.open(QIODevice::WriteOnly | QIODevice::Text)) {
    QTextStream out(&log);
    for (const QString& line : form.LogLines()) {
      out << line << '\n';
    }
  } else {
    ++failures;
  }
  return failures;
}

}  // namespace datewell::demo
