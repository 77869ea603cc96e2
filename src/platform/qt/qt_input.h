#pragma once
// Scripted input for the Qt backend: mouse events at screen pixels and keys, injected through
// Qt's window-system event path so that they are routed as real input is: to the widget that
// holds the mouse grab first, else to the topmost window of the application under the point.
// A press where no window of the application lies (and nothing holds the grab) reaches nobody,
// as a press on the bare desktop. Used by the demo's tour and by hosts that run scripts.

#include <QString>
#include <Qt>

#include "platform/types.h"

class QWindow;

namespace datewell {

class QtDesktop;

class QtInput {
 public:
  explicit QtInput(QtDesktop& desktop) : desktop_(desktop) {}

  // Each returns the object name of the widget the event went to ("" when nobody got it).
  QString MouseDown(Point screen, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = {});
  QString MouseUp(Point screen, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = {});
  QString MouseMove(Point screen, Qt::KeyboardModifiers modifiers = {});
  QString Click(Point screen, Qt::MouseButton button = Qt::LeftButton);
  // Press, release, and a second press soon enough to be a double-click, then its release.
  QString DoubleClick(Point screen);

  // Keys go to the application's focus widget; false when there is none. A modifier key pressed
  // on its own stays held for the keys that follow until it is released.
  bool KeyDown(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {});
  bool KeyUp(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {});
  // Down and up; the key's text is its character where it has one.
  bool PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
  // One key press per character.
  bool Type(const QString& text);

 private:
  enum class Action { Press, Release, Move };
  QString Mouse(Action action, Point screen, Qt::MouseButton button,
                Qt::KeyboardModifiers modifiers, int gap_ms = 1000);
  QtDesktop& desktop_;
  Qt::MouseButtons held_;
  int timestamp_ = 1000;
  // Shift, Ctrl and Alt pressed as keys of their own and not yet released: they mark the keys
  // that follow.
  Qt::KeyboardModifiers held_modifiers_;
};

}  // namespace datewell
