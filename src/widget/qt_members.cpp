// The Qt-shaped members of the widget: the committed date and its signals, the notify signals
// of the properties, the commits of the field, and the widget's own enabled state and font as
// the control's.

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMetaProperty>
#include <set>

#include "control/datewell.h"
#include "control/str_conv.h"
#include "entry/parse_date_text.h"
#include "platform/qt/qt_variant.h"
#include "widget/qtdatewell_p.h"

namespace datewell {

QDate QtDatewell::date() const {
  return d_->date;
}

void QtDatewell::setDate(const QDate& date) {
  if (date.isValid()) {
    d_->control->SetDateValue(FromQVariant(QVariant(date)));
  } else if (d_->control->AllowEmptyDate()) {
    d_->control->SetDateValue(Variant());  // not a date: the control becomes empty
  }
  d_->SyncDate();
}

void QtDatewell::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    d_->WidgetEnabledChanged();
  } else if (event->type() == QEvent::FontChange) {
    d_->WidgetFontChanged();
  }
}

bool QtDatewell::eventFilter(QObject* watched, QEvent* event) {
  if (d_ && watched == d_->field && d_->FieldEvent(event)) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QDate QtDatewellPrivate::ControlDate() {
  return ToQVariant(control->DateValue()).toDate();  // the empty state's 0 is no date
}

void QtDatewellPrivate::SyncDate() {
  if (!control || creating) {
    return;
  }
  const QDate now = ControlDate();
  if (now != date) {
    date = now;
    emit q.dateChanged(date);
  }
}

void QtDatewellPrivate::TextChanged() {
  if (!creating && field && !field->isModified()) {
    SyncDate();
  }
}

void QtDatewellPrivate::NotifyChanges() {
  if (!control || creating) {
    return;
  }
  const QMetaObject& mo = QtDatewell::staticMetaObject;
  const bool first = seen.empty();
  seen.resize(static_cast<std::size_t>(mo.propertyCount()));
  const QMetaMethod change = QMetaMethod::fromSignal(&QtDatewell::Change);
  const QMetaMethod date_changed = QMetaMethod::fromSignal(&QtDatewell::dateChanged);
  std::set<int> emitted;  // several properties share a signal: it goes out once
  for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
    const QMetaProperty p = mo.property(i);
    const QMetaMethod signal = p.notifySignal();
    // Change comes from the control, dateChanged with the commits.
    if (!signal.isValid() || signal == change || signal == date_changed) {
      continue;
    }
    QVariant now = p.read(&q);
    QVariant& before = seen[static_cast<std::size_t>(i)];
    if (now == before) {
      continue;
    }
    before = now;
    if (first || !emitted.insert(signal.methodIndex()).second) {
      continue;
    }
    if (signal.parameterCount() == 0) {
      signal.invoke(&q, Qt::DirectConnection);
    } else {
      signal.invoke(&q, Qt::DirectConnection, QGenericArgument(now.typeName(), now.constData()));
    }
  }
}

void QtDatewellPrivate::WidgetEnabledChanged() {
  // The widget's own state, not one it takes over from a disabled form: that one is not saved.
  const bool own = !q.testAttribute(Qt::WA_ForceDisabled);
  if (control && !creating && own != control->Enabled()) {
    control->SetEnabled(own);
  }
}

void QtDatewellPrivate::WidgetFontChanged() {
  // Only a font set on the widget itself (as a form built by uic or Qt Designer sets it).
  if (!control || creating || !q.testAttribute(Qt::WA_SetFont)) {
    return;
  }
  const Font font = FromQFont(q.font());
  const FontRef current = control->Font();
  if (!current || ToQFont(*current) != ToQFont(font)) {
    control->SetFont(std::make_shared<Font>(font));
  }
}

bool QtDatewellPrivate::FieldEvent(QEvent* event) {
  const bool focus_out = event->type() == QEvent::FocusOut;
  bool enter = false;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  }
  if (!control || (!focus_out && !enter)) {
    return false;
  }
  TextBox& text_box = *control->Inspect().txtDate;
  const bool had_focus = text_box.HasFocus();
  const std::string text = text_box.Text();
  // Delivered here, so that the control has done its part when the widget reports.
  QPointer<QtDatewell> alive(&q);
  static_cast<QObject*>(field.data())->event(event);
  if (!alive || !control) {
    return true;
  }
  if (enter) {
    Committed(text);  // Enter reads the text as it stands
    return true;
  }
  if (!had_focus || text_box.HasFocus()) {
    return true;  // a pop-up of the control took the window's activation: the field keeps it
  }
  const std::string_view trimmed = TrimSpaces(text);
  if (trimmed.empty() && control->AllowEmptyDate()) {
    SyncDate();  // the control became empty
    emit q.editingFinished();
  } else {
    Committed(std::string(trimmed));
  }
  // Item delegates and QDataWidgetMapper watch the widget they were given for the loss of the
  // focus, which went to the field: the widget hears of it too.
  if (alive) {
    QFocusEvent lost(QEvent::FocusOut, static_cast<QFocusEvent*>(event)->reason());
    QCoreApplication::sendEvent(&q, &lost);
  }
  return true;
}

void QtDatewellPrivate::Committed(const std::string& text_read) {
  QPointer<QtDatewell> alive(&q);
  const bool rejected = !TrimSpaces(text_read).empty() &&
                        !RecogniseDateText(platform.locale(), text_read, platform.locale().Today());
  SyncDate();
  if (alive && rejected) {
    emit q.dateTextRejected(QString::fromStdString(text_read), date);
  }
  if (alive) {
    emit q.editingFinished();
  }
}

}  // namespace datewell
