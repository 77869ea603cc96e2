#pragma once
// What the automation host needs of a desktop: the platform for one control, a container at a
// screen position, input at screen pixels, and a few inspection calls. Each backend (the
// in-memory desktop; later a real window system) implements it in a file of its own.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"
#include "platform/types.h"

namespace datewell::host {

// A window as `dump panel` and `dump list` show it.
struct WindowView {
  bool visible = false;  // the window's own visible flag
  bool topmost = false;
  std::int32_t x = 0;  // screen pixels of its top-left corner
  std::int32_t y = 0;
  bool on_desktop = false;  // a top-level window (its parent is the desktop)
};

// How a form shown modally is ended.
enum class ModalEnd { Ok, Close };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // ---- Environment ----
  virtual void SetToday(Date today) = 0;
  virtual void SetTwipsPerPixel(float x, float y) = 0;
  virtual void SetWorkArea(std::int32_t width, std::int32_t height) = 0;
  virtual void SetMetrics(std::int32_t cy_hscroll, std::int32_t cx_border) = 0;

  // ---- The control's surroundings ----
  // The toolkit, window operations and locale services for a control (the locale is made for
  // the name given; the platform stays valid as long as the desktop).
  virtual Platform MakePlatform(std::string_view locale) = 0;
  // A fresh container with its client origin at screen pixels (x, y), replacing the previous one,
  // and the control's surface inside it.
  virtual std::unique_ptr<UserControlSurface> CreateSurface(std::int32_t x, std::int32_t y) = 0;
  // Moves the container's client origin.
  virtual void MoveContainer(std::int32_t x, std::int32_t y) = 0;
  // Lets the window system deliver what is pending (paints, posted messages).
  virtual void Pump() = 0;

  // ---- Input ----
  virtual void MouseDown(std::int32_t x, std::int32_t y, std::int16_t button) = 0;
  virtual void MouseUp(std::int32_t x, std::int32_t y, std::int16_t button) = 0;
  virtual void MouseMove(std::int32_t x, std::int32_t y, std::int16_t button) = 0;
  // Press, release, a second press that the window system reports as a double-click, release.
  virtual void DoubleClick(std::int32_t x, std::int32_t y) = 0;
  virtual void Blur() = 0;
  virtual void KeyDown(std::int16_t key_code) = 0;
  virtual void KeyUp(std::int16_t key_code) = 0;
  // Down, the key's character if it has one, up.
  virtual void PressKey(std::int16_t key_code) = 0;
  virtual void Type(std::string_view utf8) = 0;
  // Called when a form is shown modally: returns how it is to end. The listener hears
  // "shown"/"closed" with the form's name.
  virtual void SetModal(std::function<ModalEnd()> driver,
                        std::function<void(std::string_view form, bool shown)> listener) = 0;

  // ---- Inspection ----
  virtual WindowView Window(Hwnd hwnd) = 0;
  virtual std::string CaptureName() = 0;  // "" when no window holds the capture
  virtual std::string FocusName() = 0;    // "" when the focus is nowhere
  // The drawing calls of the window's last paint, one text line each.
  virtual std::vector<std::string> LastPaint(Hwnd hwnd) = 0;
};

// The in-memory desktop.
std::unique_ptr<Desktop> MakeHeadlessDesktop();

// The desktop of a platform by its name ("headless"; "qt" when the host is built with the Qt
// backend, whose files here are named qt_*.cpp and define MakeQtDesktop), or nullptr.
std::unique_ptr<Desktop> MakeDesktop(std::string_view platform);
// The names MakeDesktop knows, for messages.
std::string_view KnownPlatforms();

}  // namespace datewell::host
