#pragma once
// Helpers for the Qt end-to-end tests: a form with one Datewell at a screen position, screen
// points of the control's parts, the placement the headless desktop computes for the same
// geometry, and screenshots written as test artifacts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
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
  // A point of the panel given in its client twips.
  Point OnPanel(float x_twips, float y_twips) {
    QtDesktop& d = Desktop();
    Point p{static_cast<std::int32_t>(std::nearbyint(x_twips / d.TwipsPerPixelX())),
            static_cast<std::int32_t>(std::nearbyint(y_twips / d.TwipsPerPixelY()))};
    d.ClientToScreen(dw().Inspect().picCalendar->hWnd(), p);
    return p;
  }
  Point CentreOf(const Widget& w) {
    return OnPanel(w.Left() + w.Width() / 2, w.Top() + w.Height() / 2);
  }
  // Where the panel's window really is, in screen pixels.
  Point PanelWindowPosition() {
    QWidget* p = Panel();
    return ToScreen(*p, QPoint(0, 0));
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

// Writes a picture of the screen into the build tree's artifact folder; returns its path.
inline QString ArtifactPath(const QString& name) {
  const QString dir = QStringLiteral(DATEWELL_TEST_ARTIFACTS);
  QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name;
}

}  // namespace datewell::qttest
