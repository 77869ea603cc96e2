#pragma once
// The platform contract over Qt 6 Widgets: the constituent widgets are real Qt widgets, the panel
// and the month list become frameless, topmost, override-redirect tool windows when moved to the
// desktop, the capture is a pointer grab, and drawing goes through QPainter with the palette's
// three-dimensional shades. Works on X11 and on Qt's offscreen platform.
//
// On Wayland a client can neither place a top-level window nor learn where it is, nor grab the
// pointer: Qt puts every top-level window's client area at (0, 0), so screen pixels there are
// pixels of the window's own frame. The panel becomes a pop-up of the control's window, placed
// relative to it where the control puts it (Qt asks the compositor to flip or slide it where it
// would leave the screen), and the month list a pop-up of the panel; the capture is the panel's
// pop-up grab, keys go on to the field, and a press the compositor reports only by dismissing
// the pop-up reaches the panel as a press outside it.
//
// Pixels in this contract are Qt's device-independent pixels; twips per pixel are 1440 / logical
// DPI of the primary screen, and Qt paints each window with its screen's device pixels. A
// QApplication must exist before a QtDesktop is made, and everything runs on its thread.

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"
#include "platform/windowing.h"

class QAccessibleEvent;

namespace datewell {

// A window raised by SetWindowPos carries this dynamic property: a number that grows with each
// raise, so that a picture of the screen can stack windows where the platform keeps no order.
inline constexpr const char* kStackingProperty = "datewellStacking";

namespace qt_detail {
struct DesktopState;
}

// One drawing call made on a window, as the desktop records it for hosts that print what a
// paint drew.
struct QtDrawCall {
  enum class Kind { DrawEdge, DrawFrameControl, Line };
  Kind kind = Kind::DrawEdge;
  Rect rect;             // DrawEdge, DrawFrameControl: pixels
  std::uint32_t a = 0;   // DrawEdge: edge; DrawFrameControl: type
  std::uint32_t b = 0;   // DrawEdge: flags; DrawFrameControl: state
  float x1 = 0, y1 = 0;  // Line: twips, from
  float x2 = 0, y2 = 0;  // Line: twips, to
  OleColor color = 0;    // Line: the picture box's ForeColor
};

class QtDesktop : public Toolkit, public Windowing {
 public:
  QtDesktop();
  ~QtDesktop() override;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  // How screen readers are told a day cell's date: the locale's reading of the cell's text and
  // its long date.
  void SetDateTexts(std::function<std::optional<Date>(std::string_view)> read,
                    std::function<std::string(Date)> long_date);
  // Hands watch every accessibility event the control's windows send; Qt passes them on only
  // while an assistive technology listens.
  void WatchAccessibility(std::function<void(QAccessibleEvent*)> watch);

  // ---- Toolkit ----
  std::unique_ptr<UserControlSurface> CreateUserControl(Hwnd container,
                                                        std::string_view name) override;
  std::unique_ptr<TextBox> CreateTextBox(Widget& parent, std::string_view name) override;
  std::unique_ptr<PictureBox> CreatePictureBox(Widget& parent, std::string_view name) override;
  std::unique_ptr<Label> CreateLabel(Widget& parent, std::string_view name) override;
  std::unique_ptr<ListBox> CreateListBox(Widget& parent, std::string_view name) override;
  std::unique_ptr<CommandButton> CreateCommandButton(Widget& parent,
                                                     std::string_view name) override;
  std::unique_ptr<LineShape> CreateLine(Widget& parent, std::string_view name) override;
  std::unique_ptr<ImageBox> CreateImage(Widget& parent, std::string_view name) override;
  std::unique_ptr<Form> CreateForm(std::string_view name) override;
  float TwipsPerPixelX() override;
  float TwipsPerPixelY() override;
  // QCoreApplication::processEvents(), and the focus handed back to the host's window when a
  // pop-up was activated by a platform that activates every window it shows.
  void DoEvents() override;

  // ---- Windowing ----
  Hwnd GetDesktopWindow() override;
  Hwnd GetParent(Hwnd hwnd) override;
  Hwnd SetParent(Hwnd hwnd, Hwnd parent) override;
  std::int32_t GetWindowLongA(Hwnd hwnd, std::int32_t index) override;
  std::int32_t SetWindowLongA(Hwnd hwnd, std::int32_t index, std::int32_t value) override;
  bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  bool ClientToScreen(Hwnd hwnd, Point& point) override;
  // SM_CXFULLSCREEN / SM_CYFULLSCREEN: the right and bottom edges of the available area of the
  // screen that shows the window last given to ClientToScreen (the control, when it places its
  // panel), else of the screen under the cursor, else of the primary screen.
  std::int32_t GetSystemMetrics(std::int32_t index) override;
  // The global position of the last mouse event the application saw (the cursor itself when no
  // event has come yet).
  bool GetCursorPos(Point& point) override;
  Hwnd SetCapture(Hwnd hwnd) override;
  bool ReleaseCapture() override;
  Hwnd GetCapture() override;
  bool DrawEdge(Hdc hdc, Rect& rect, std::uint32_t edge, std::uint32_t flags) override;
  bool DrawFrameControl(Hdc hdc, Rect& rect, std::uint32_t type, std::uint32_t state) override;
  // The available area of the screen that shows hwnd (the screen under the window's middle),
  // in pixels, origin included: a control on a second screen opens its panel there.
  Rect GetWorkArea(Hwnd hwnd) override;
  // The bounding rectangle of every screen's geometry, in pixels; with a work area
  // imposed by OverrideWorkArea, the one screen those figures describe.
  Rect GetVirtualScreenRect() override;

  // ---- Host side ----
  // A shown top-level window at screen pixels (a host's form) that user control surfaces and
  // other widgets can be created in; its hWnd() is the container handle.
  std::unique_ptr<Form> CreateContainer(std::string_view name, std::int32_t x, std::int32_t y,
                                        std::int32_t width, std::int32_t height);
  // An existing widget of the host as a container for user control surfaces. The handle stays
  // valid while the widget lives.
  Hwnd RegisterContainer(QWidget* widget, std::string_view name);

  // ---- Fixed figures, for hosts that replay scripts written for them ----
  // In place of the screen's own; 0 (or an empty rectangle) returns to the screen's.
  void OverrideTwipsPerPixel(float x, float y);
  void OverrideWorkArea(const Rect& area);
  void OverrideSystemMetric(std::int32_t index, std::int32_t value);

  // ---- Drawing ----
  // The drawing calls of the window's last paint, and those made since outside a paint.
  std::vector<QtDrawCall> Drawing(Hwnd hwnd) const;
  // Paints the window now and returns what the paint drew.
  std::vector<QtDrawCall> Repaint(Hwnd hwnd);

  // ---- Inspection ----
  QWidget* WidgetOf(Hwnd hwnd) const;  // nullptr for no window
  Hwnd HandleOf(const QWidget* widget) const;
  std::string WindowName(Hwnd hwnd) const;
  bool IsTopmost(Hwnd hwnd) const;
  // Whether the last SetCapture was confirmed. On X11: with this program's grabs dropped, a
  // second connection finds the pointer free, then after the grab finds it grabbed (so the grab
  // is ours, not another program's); on Wayland, that the panel is the open pop-up; on other
  // platforms Qt's own grabber is checked.
  bool LastCaptureConfirmed() const;
  // The number of grab attempts the last SetCapture needed (1 when the first one took).
  int LastCaptureAttempts() const;

  std::shared_ptr<qt_detail::DesktopState> State() const { return state_; }

 private:
  std::shared_ptr<qt_detail::DesktopState> state_;
};

}  // namespace datewell
