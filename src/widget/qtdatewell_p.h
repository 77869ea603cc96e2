#pragma once
// Behind the Qt widget: the services the controls of an application share, the widget's own
// state, and the way in for this project's programs that look inside a control (the demo's tour,
// the tests, the automation host). Not installed.

#include <QDate>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>
#include <string>
#include <vector>

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
  // Lets go of the field before the control that owns it goes.
  void ReleaseField();
  void FitToSurface();
  // Takes over the height the control gave its surface.
  void AdoptHeight();

  // ---- The Qt-shaped members ----
  // The control's date now: null when it is empty.
  QDate ControlDate();
  // Takes over the control's date as the committed one; dateChanged when it differs.
  void SyncDate();
  // The field's text changed: a change the control wrote is committed at once, one the user
  // typed waits for Enter or the loss of the focus.
  void TextChanged();
  // Emits the notify signal of every property whose value changed since the last call.
  void NotifyChanges();
  // The widget's own enabled state and font were set: the control takes them over.
  void WidgetEnabledChanged();
  void WidgetFontChanged();
  // Enter and the loss of the focus in the field; true when the event has been delivered.
  bool FieldEvent(QEvent* event);
  // What typed text comes to when it is committed, after the control has rewritten it.
  void Committed(const std::string& text_read);

  // ---- The widget's own settings, kept apart from the control's entries ----
  struct WidgetSettings {
    bool localized_captions = false;
  };
  // Writes those that differ from their defaults.
  void WriteWidgetSettings(PropertyBag& bag) const;
  // Reads them, absent ones as their defaults; a value that is no Boolean throws SettingError.
  static WidgetSettings ReadWidgetSettings(PropertyBag& bag);
  void ApplyWidgetSettings(const WidgetSettings& settings);

  QtDatewell& q;
  QtPlatform& platform;
  QString name;
  std::unique_ptr<Host> host;
  std::unique_ptr<Datewell> control;
  QPointer<QLineEdit> field;   // the text field's Qt widget, the focus proxy
  QDate date;                  // the committed date
  std::vector<QVariant> seen;  // the properties' values as last notified, by property index
  WidgetSettings own;
  bool fitting = false;
  bool creating = false;
};

}  // namespace datewell
