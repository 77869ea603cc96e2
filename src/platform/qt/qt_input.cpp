#include "platform/qt/qt_input.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "platform/qt/qt_desktop.h"

namespace datewell {

namespace {

// The character a key types without modifiers, for the keys scripts use.
QString TextOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    const QChar c(static_cast<char16_t>(key));
    return modifiers.testFlag(Qt::ShiftModifier) ? QString(c) : QString(c.toLower());
  }
  if ((key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)) {
    return QString(QChar(static_cast<char16_t>(key)));
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QStringLiteral("\r");
    case Qt::Key_Backspace:
      return QString(QChar(8));
    case Qt::Key_Escape:
      return QString(QChar(27));
    default:
      return {};
  }
}

// The topmost visible window of the application under a point: pop-ups that stay on top first,
// then modal dialogs, then the active window, then any other.
QWidget* TopLevelAt(QPoint global) {
  QWidget* best = nullptr;
  int best_rank = -1;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || !w->geometry().contains(global)) {
      continue;
    }
    int rank = 0;
    if (w->windowFlags() & Qt::WindowStaysOnTopHint) {
      rank = 3;
    } else if (w->isModal()) {
      rank = 2;
    } else if (w->isActiveWindow()) {
      rank = 1;
    }
    if (rank > best_rank) {
      best = w;
      best_rank = rank;
    }
  }
  return best;
}

bool IsModifier(Qt::Key key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt;
}

Qt::KeyboardModifier ModifierOf(Qt::Key key) {
  switch (key) {
    case Qt::Key_Shift:
      return Qt::ShiftModifier;
    case Qt::Key_Control:
      return Qt::ControlModifier;
    case Qt::Key_Alt:
      return Qt::AltModifier;
    default:
      return Qt::NoModifier;
  }
}

QWidget* FocusTarget() {
  if (QWidget* f = QApplication::focusWidget()) {
    return f;
  }
  return nullptr;
}

}  // namespace

QString QtInput::Mouse(Action action, Point screen, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers, int gap_ms) {
  const QPoint global(screen.x, screen.y);
  QWidget* target = QWidget::mouseGrabber();
  if (target) {
    target = target->window();
  } else {
    target = TopLevelAt(global);
  }
  if (!target || !target->windowHandle()) {
    return {};
  }
  QWindow* window = target->windowHandle();
  const QPoint local = global - window->geometry().topLeft();
  QWidget* receiver = QWidget::mouseGrabber();
  if (!receiver) {
    receiver = target->childAt(target->mapFromGlobal(global));
    if (!receiver) {
      receiver = target;
    }
  }
  const QString name = receiver->objectName();
  // Qt's own entry for window-system mouse events (the one its test events use), called
  // directly so that a point at a window's origin is not taken for "no point given".
  QEvent::Type type = QEvent::MouseMove;
  switch (action) {
    case Action::Press:
      held_ |= button;
      type = QEvent::MouseButtonPress;
      timestamp_ += gap_ms;  // by default far enough apart never to make a double click
      break;
    case Action::Release:
      held_ &= ~Qt::MouseButtons(button);
      type = QEvent::MouseButtonRelease;
      timestamp_ += 10;
      break;
    case Action::Move:
      button = Qt::NoButton;
      timestamp_ += 10;
      break;
  }
  qt_handleMouseEvent(window, QPointF(local), QPointF(global), held_, button, type, modifiers,
                      timestamp_);
  return name;
}

QString QtInput::MouseDown(Point screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  return Mouse(Action::Press, screen, button, modifiers);
}

QString QtInput::MouseUp(Point screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  return Mouse(Action::Release, screen, button, modifiers);
}

QString QtInput::MouseMove(Point screen, Qt::KeyboardModifiers modifiers) {
  return Mouse(Action::Move, screen, Qt::NoButton, modifiers);
}

QString QtInput::Click(Point screen, Qt::MouseButton button) {
  const QString name = MouseDown(screen, button);
  desktop_.DoEvents();
  MouseUp(screen, button);
  desktop_.DoEvents();
  return name;
}

QString QtInput::DoubleClick(Point screen) {
  const QString name = Click(screen);
  Mouse(Action::Press, screen, Qt::LeftButton, {}, 50);
  desktop_.DoEvents();
  Mouse(Action::Release, screen, Qt::LeftButton, {});
  desktop_.DoEvents();
  return name;
}

bool QtInput::KeyDown(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWidget* w = FocusTarget();
  if (!w) {
    return false;
  }
  // As the window system reports it: the state before the key, which Qt's key event then
  // corrects for a modifier key of its own.
  modifiers |= held_modifiers_;
  if (IsModifier(key)) {
    held_modifiers_ |= ModifierOf(key);
  }
  const QString typed = IsModifier(key) ? QString() : text.isNull() ? TextOf(key, modifiers) : text;
  QKeyEvent e(QEvent::KeyPress, key, modifiers, typed);
  QApplication::sendEvent(w, &e);
  return true;
}

bool QtInput::KeyUp(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWidget* w = FocusTarget();
  if (!w) {
    return false;
  }
  modifiers |= held_modifiers_;
  if (IsModifier(key)) {
    held_modifiers_ &= ~Qt::KeyboardModifiers(ModifierOf(key));
  }
  const QString typed = IsModifier(key) ? QString() : text.isNull() ? TextOf(key, modifiers) : text;
  QKeyEvent e(QEvent::KeyRelease, key, modifiers, typed);
  QApplication::sendEvent(w, &e);
  return true;
}

bool QtInput::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (!KeyDown(key, modifiers)) {
    return false;
  }
  KeyUp(key, modifiers);
  desktop_.DoEvents();
  return true;
}

bool QtInput::Type(const QString& text) {
  for (const QChar c : text) {
    QWidget* w = FocusTarget();
    if (!w) {
      return false;
    }
    const char16_t u = c.unicode();
    Qt::Key key = Qt::Key_unknown;
    if (u >= 'a' && u <= 'z') {
      key = static_cast<Qt::Key>(Qt::Key_A + (u - 'a'));
    } else if (u >= 0x20 && u < 0x7F) {
      key = static_cast<Qt::Key>(QChar(u).toUpper().unicode());
    } else if (u >= 0xA0 && u <= 0xFF) {
      key = static_cast<Qt::Key>(QChar(u).toUpper().unicode());  // Latin-1 keys carry a code
    }
    const Qt::KeyboardModifiers mods = (u >= 'A' && u <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
    KeyDown(key, mods, QString(c));
    KeyUp(key, mods, QString(c));
  }
  desktop_.DoEvents();
  return true;
}

}  // namespace datewell
