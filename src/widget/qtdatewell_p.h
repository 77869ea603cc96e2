#pragma once
// Behind the Qt widget: the services the controls of an application share, the widget's own
// state, and the way in for this project's programs that look inside a control (the demo's tour,
// the tests, the automation host). Not installed.

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "datewell/qtdatewell.h"
#include "platform/host.h"
#include "platform/toolkit.h"

namespace datewell {

class Datewell;
class QtDesktop;
class LocaleServices;
class Clock;

// The services every control of one application uses.
class QtPlatform : public QObject {
  Q_OBJECT
 public:
  // locale_name "" takes the locale from the environment.
  explicit QtPlatform(const std::string& locale_name = "", QObject* parent = nullptr);
  ~QtPlatform() override;
  // The application's shared platform, made on first use as a child of the QApplication.
  static QtPlatform& ForApplication();

  QtDesktop& desktop() { return *desktop_; }
  LocaleServices& locale() { return *locale_; }
  Platform platform();

 private:
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<QtDesktop> desktop_;
  std::unique_ptr<LocaleServices> locale_;
};

class QtDatewellPrivate {
 public:
  // A new control with its defaults on the given platform (tests give it a locale of its own).
  static QtDatewell* Create(QtPlatform& platform, QWidget* parent,
                            const QString& name = QStringLiteral("Datewell1"));
  // The control itself and the desktop it lives on.
  static Datewell& Control(QtDatewell& widget) { return *widget.d_->control; }
  static QtDesktop& Desktop(QtDatewell& widget) { return widget.d_->platform.desktop(); }

  class Host;
  QtDatewellPrivate(QtDatewell& widget, QtPlatform& platform, const QString& name);
  ~QtDatewellPrivate();

  void Create(PropertyBag* bag);
  void FitToSurface();
  // Takes over the height the control gave its surface.
  void AdoptHeight();

  QtDatewell& q;
  QtPlatform& platform;
  QString name;
  std::unique_ptr<Host> host;
  std::unique_ptr<Datewell> control;
  bool fitting = false;
};

}  // namespace datewell
