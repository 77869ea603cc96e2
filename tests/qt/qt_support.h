#pragma once
// Helpers for the Qt end-to-end tests: a form with one Datewell at a screen position, screen
// points of the control's parts, the placement the headless desktop computes for the same
// geometry, and screenshots written as test artifacts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "control/datewell.h"
#include "platform/headless/headless.h"
#include "platform/icu/icu_locale.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_input.h"
#include "support/harness.h"
#include "widget/qtdatewell_p.h"

namespace datewell::qttest {

inline Point ToScreen(const QWidget& w, QPoint local) {
  const QPoint g = w.mapToGlobal(local);
  return {g.x(), g.y()};
}

// A host form holding one control whose top-left corner is at screen pixel (x, y).
struct ControlOnForm {
  ControlOnForm(QtPlatform& platform, int x, int y, int width = 180) {
    form = std::make_unique<QWidget>();
    form->setWindowTitle(QStringLiteral("Datewell test form"));
    form->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    form->setGeometry(x - 20, y - 20, width + 40, 80);
    control = QtDatewellPrivate::Create(platform, form.get());
    control->move(20, 20);
    control->resize(width, control->height());
    form->show();
    // Some platforms place a window with a frame: put the control where it was asked for.
    const QPoint at = control->mapToGlobal(QPoint(0, 0));
    form->move(form->pos() + QPoint(x, y) - at);
    platform.desktop().DoEvents();
  }
  Datewell& dw() { return QtDatewellPrivate::Control(*control); }
  QWidget* Panel() { return Desktop().WidgetOf(dw().Inspect().picCalendar->hWnd()); }
  QWidget* Field() { return Desktop().WidgetOf(dw().Inspect().txtDate->hWnd()); }
  QtDesktop& Desktop() { return QtDatewellPrivate::Desktop(*control); }
  bool PanelOpen() { return dw().Inspect().picCalendar->Visible(); }
  Point DropButton() {
    return ToScreen(*control, QPoint(control->width() - 9, control->height() / 2));
  }
  // The centre of a constituent of the panel, in screen pixels.
  Point CentreOf(const Widget& w) {
    const QPoint c = PixelsOf(w).center();
    Point p{c.x(), c.y()};
    Desktop().ClientToScreen(dw().Inspect().picCalendar->hWnd(), p);
    return p;
  }
  // The panel pixels a constituent of the panel covers.
  QRect PixelsOf(const Widget& w) {
    const auto x = [&](float t) { return int(std::nearbyint(t / Desktop().TwipsPerPixelX())); };
    const auto y = [&](float t) { return int(std::nearbyint(t / Desktop().TwipsPerPixelY())); };
    return QRect(QPoint(x(w.Left()), y(w.Top())),
                 QPoint(x(w.Left() + w.Width()) - 1, y(w.Top() + w.Height()) - 1));
  }

  std::unique_ptr<QWidget> form;
  QtDatewell* control = nullptr;  // owned by the form
};

// A test that places controls on forms. The forms go after the test's own slots: their
// controls report Hide as they go.
class QtFormsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& f : forms_) {
      QObject::disconnect(f->control, nullptr, nullptr, nullptr);
    }
  }
  ControlOnForm& Place(int x, int y, int width = 180) {
    forms_.push_back(std::make_unique<ControlOnForm>(platform_, x, y, width));
    return *forms_.back();
  }

  QtPlatform platform_{"en_US"};
  QtInput input_{platform_.desktop()};
  std::vector<std::unique_ptr<ControlOnForm>> forms_;
};

// A test of the default run, on the offscreen platform.
class QtOffscreenTest : public QtFormsTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
      GTEST_SKIP() << "runs on the offscreen platform";
    }
  }
};

// The panel position the headless desktop computes for a control with the same size at the same
// screen position, with the Qt desktop's scale, work area and metrics.
inline Point HeadlessPanelPosition(QtDesktop& qt, Point control_origin, float width_twips,
                                   float height_twips) {
  testing::HarnessOptions o;
  o.twips_per_pixel = qt.TwipsPerPixelX();
  o.twips_per_pixel_y = qt.TwipsPerPixelY();
  o.container_x = control_origin.x;
  o.container_y = control_origin.y;
  o.control_width = width_twips;
  o.control_height = height_twips;
  testing::Harness h(o);
  h.desktop.SetWorkArea(qt.GetSystemMetrics(SM_CXFULLSCREEN), qt.GetSystemMetrics(SM_CYFULLSCREEN));
  h.desktop.SetSystemMetric(SM_CYHSCROLL, qt.GetSystemMetrics(SM_CYHSCROLL));
  h.desktop.SetSystemMetric(SM_CXBORDER, qt.GetSystemMetrics(SM_CXBORDER));
  h.control->DropDown();
  return h.control->PanelPosition();
}

// A dark palette with the Fusion style, light text on dark greys.
inline QPalette DarkPalette() {
  const QColor text(0xe8, 0xe8, 0xe8);
  QPalette p(QColor(0x3c, 0x3c, 0x3c), QColor(0x2d, 0x2d, 0x2d));
  p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(role, text);
  }
  p.setColor(QPalette::Highlight, QColor(0x3a, 0x7b, 0xd5));  // 4.2:1 under white
  p.setColor(QPalette::HighlightedText, Qt::white);
  return p;
}

// Writes a picture of the screen into the build tree's artifact folder; returns its path.
inline QString ArtifactPath(const QString& name) {
  const QString dir = QStringLiteral(DATEWELL_TEST_ARTIFACTS);
  QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name;
}

}  // namespace datewell::qttest
