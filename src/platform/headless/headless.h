#pragma once
// The headless desktop: a deterministic, in-memory window system that implements the widget
// toolkit, the window operations and the clock. Tests and the automation host drive it by
// injecting mouse and keys at screen pixels and read back windows, capture, focus, the log of
// window calls and the drawing recorded per window. Nothing here touches a real display.
//
// Model
// - Every window has a handle (never reused), a parent (another window or the desktop), an
//   extended style, a z-order band (topmost or not) and a place within it, a visibility flag
//   and a position and size in pixels relative to its parent's client area (the desktop's client
//   area is the screen). A window's client area is its whole rectangle (no borders).
// - Text boxes, picture boxes, list boxes, command buttons, user control surfaces and forms are
//   windows. Labels, lines and images are windowless: hWnd() is 0, the container paints them and
//   routes input to them.
// - Widget geometry is twips (the source of truth). A window's pixel rectangle is
//   nearbyint(twips / twips-per-pixel); a position set in pixels (SetWindowPos, SetParent) is
//   stored as pixels x twips-per-pixel.
// - A device context is the number of its window's handle (hDC() == hWnd()).
// - Showing a window queues a paint of it and of its shown descendants that paint (picture
//   boxes, surfaces); DoEvents delivers it, as a window system delivers paints when the queue
//   runs. Refresh() and Repaint() paint at once. A backend paint clears the window's drawing log
//   before the Paint handler runs; drawing outside a backend paint is appended.
// - Widgets that outlive the desktop become inert: their setters store, their window operations
//   do nothing.
//
// Behaviour choices
// - New widgets are visible, except forms and user control surfaces: the host shows those
//   (a surface's SetVisible runs its Show and Hide handlers when the flag changes).
// - Text box: assigning a different text puts the caret at the start with nothing selected and
//   raises Change; assigning the text it shows changes nothing. Positions count Unicode
//   characters of the UTF-8 text; SelStart and SelLength are clamped to the text. Only text
//   boxes take the keyboard focus; a hidden or disabled text box loses it (LostFocus).
// - A press gives the focus to a text box (before its MouseDown), never to other widgets; a
//   press while a window holds the capture moves no focus.
// - Click follows a release on the widget that was pressed; the second press of DoubleClick
//   raises DblClick on a text box (no Click after it) and is an ordinary press elsewhere.
// - Keys: KeyDown (the surface's preview first, then the text box), the edit of navigation keys
//   and Delete unless a handler set KeyCode to 0, KeyPress for a key with a character (KeyAscii
//   0 swallows it; Enter with a default button clicks the button instead), the edit, Change,
//   KeyUp. Control characters insert nothing; a character beyond 16 bits is inserted without a
//   KeyPress. Keys that no key code gives (non-ASCII) arrive with the key code 231.
// - List box: ListIndex -1 means none; setting an index outside -1 .. ListCount - 1 is refused
//   and keeps the index; Clear resets it to -1.
// - Surface: Size, SetWidth and SetHeight run Resize at once (nested when the handler sets the
//   size again) when the value differs; a size that is not a finite number is refused.
// - Activation only records the active window (ActiveWindow()); it never moves the focus.
// - Picture boxes never receive the focus, so their GotFocus handler is not raised here.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"
#include "platform/toolkit.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace datewell::headless {

// One call of SetWindowPos, SetParent, SetCapture or ReleaseCapture, as it was made.
struct WindowCall {
  enum class Kind { SetWindowPos, SetParent, SetCapture, ReleaseCapture };
  Kind kind = Kind::SetWindowPos;
  Hwnd hwnd = kNoWindow;         // the window acted on (0 for ReleaseCapture)
  Hwnd insert_after = HWND_TOP;  // SetWindowPos
  std::int32_t x = 0, y = 0;     // SetWindowPos
  std::int32_t cx = 0, cy = 0;   // SetWindowPos
  std::uint32_t flags = 0;       // SetWindowPos
  Hwnd parent = kNoWindow;       // SetParent: the new parent
  friend bool operator==(const WindowCall&, const WindowCall&) = default;
};

// "SetWindowPos <hwnd> <after> <x>,<y>,<cx>,<cy> 0x<flags>", "SetParent <hwnd> <parent>",
// "SetCapture <hwnd>", "ReleaseCapture"; handles as numbers, the insert-after constants by name
// (HWND_TOP, HWND_TOPMOST, HWND_NOTOPMOST). HeadlessDesktop::FormattedCalls prints window names
// instead of numbers ("desktop" for the desktop).
std::string FormatWindowCall(const WindowCall& call);

// One drawing call recorded on a window.
struct DrawCall {
  enum class Kind { DrawEdge, DrawFrameControl, Line };
  Kind kind = Kind::DrawEdge;
  Rect rect;             // DrawEdge, DrawFrameControl: pixels
  std::uint32_t a = 0;   // DrawEdge: edge; DrawFrameControl: type
  std::uint32_t b = 0;   // DrawEdge: flags; DrawFrameControl: state
  float x1 = 0, y1 = 0;  // Line: twips, from
  float x2 = 0, y2 = 0;  // Line: twips, to
  OleColor color = 0;    // Line: the picture box's ForeColor
  friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

// "DrawEdge 0,0,165,165 5 15", "DrawFrameControl 5,5,161,22 5 8", "Line 225,130 225,265"
// (line coordinates are printed in twips, shortest form).
std::string FormatDrawCall(const DrawCall& call);
std::vector<std::string> FormatDrawCalls(const std::vector<DrawCall>& calls);

// What a modal driver does with a form shown modally.
enum class ModalAction {
  Ok,     // the form's default button is clicked (its Click handler runs)
  Close,  // the window's close command: the form unloads itself
};
// Called once the modal form is shown; the form's children exist and can be inspected. If the
// form is still loaded after the action, the desktop closes it.
using ModalDriver = std::function<ModalAction(Form& form)>;
// Told "shown" / "closed" with the form's name.
enum class ModalEvent { Shown, Closed };
using ModalListener = std::function<void(std::string_view form_name, ModalEvent event)>;

// A window as the inspection calls see it.
struct WindowInfo {
  Hwnd hwnd = kNoWindow;
  Hwnd parent = kNoWindow;  // the desktop's handle for top-level windows
  std::string name;         // the widget's name
  std::int32_t ex_style = 0;
  bool topmost = false;
  bool visible = false;  // its own flag
  bool shown = false;    // it and every ancestor visible
  Rect rect;             // pixels, relative to the parent's client area
  Rect screen_rect;      // pixels, on the screen
  // A form's window icon: the XPM header line of each image, "32 32 7 1" (empty otherwise).
  std::vector<std::string> icon;
};

class HeadlessDesktop : public Toolkit, public Windowing, public Clock {
 public:
  HeadlessDesktop();
  ~HeadlessDesktop() override;
  HeadlessDesktop(const HeadlessDesktop&) = delete;
  HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

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
  // Runs every queued message, including those queued while running, then returns.
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
  std::int32_t GetSystemMetrics(std::int32_t index) override;
  bool GetCursorPos(Point& point) override;
  Hwnd SetCapture(Hwnd hwnd) override;
  bool ReleaseCapture() override;
  Hwnd GetCapture() override;
  bool DrawEdge(Hdc hdc, Rect& rect, std::uint32_t edge, std::uint32_t flags) override;
  bool DrawFrameControl(Hdc hdc, Rect& rect, std::uint32_t type, std::uint32_t state) override;

  // ---- Clock ----
  // The set date and time, else the real local time.
  Date Now() override;

  // ---- Configuration ----
  void SetTwipsPerPixel(float x, float y);                    // default 15, 15
  void SetWorkArea(std::int32_t width, std::int32_t height);  // default 1024 x 738
  void SetSystemMetric(std::int32_t index, std::int32_t value);
  void SetNow(Date now);  // fixes the clock
  void UseSystemClock();  // back to the real local time

  // ---- Host side ----
  // A visible top-level container window (a host's form) at screen pixels; user control
  // surfaces and other widgets can be created in it.
  std::unique_ptr<Form> CreateContainer(std::string_view name, std::int32_t x, std::int32_t y,
                                        std::int32_t width, std::int32_t height);
  // Queues a message; DoEvents runs it.
  void Post(std::function<void()> message);
  std::size_t PendingMessages() const;
  // Moves the keyboard focus nowhere (LostFocus on the holder).
  void Blur();
  void SetModalDriver(ModalDriver driver);
  void SetModalListener(ModalListener listener);

  // ---- Input, at screen pixels ----
  // Each returns the name of the widget that received the event ("" when none did).
  std::string MouseDown(std::int32_t x, std::int32_t y, std::int16_t button = kLeftButton,
                        std::int16_t shift = 0);
  std::string MouseUp(std::int32_t x, std::int32_t y, std::int16_t button = kLeftButton,
                      std::int16_t shift = 0);
  std::string MouseMove(std::int32_t x, std::int32_t y, std::int16_t button = 0,
                        std::int16_t shift = 0);
  // Down and up at one point.
  std::string Click(std::int32_t x, std::int32_t y, std::int16_t button = kLeftButton);
  // Down, up, then a second press that raises DblClick where the widget has one, and its up.
  std::string DoubleClick(std::int32_t x, std::int32_t y);

  // Keys go to the focused text box; each returns false when no text box has the focus. The
  // shift mask given is combined with the modifiers currently held down.
  bool KeyDown(std::int16_t key_code, std::int16_t shift = 0);
  bool KeyUp(std::int16_t key_code, std::int16_t shift = 0);
  // Down, the character of the key (if it has one), up.
  bool PressKey(std::int16_t key_code, std::int16_t shift = 0);
  // Types UTF-8 text, one key press per character.
  bool Type(std::string_view utf8);
  std::int16_t HeldModifiers() const;  // 1 Shift, 2 Ctrl, 4 Alt

  // ---- Inspection ----
  bool IsWindow(Hwnd hwnd) const;
  std::optional<WindowInfo> Inspect(Hwnd hwnd) const;
  bool IsTopmost(Hwnd hwnd) const;
  bool IsVisible(Hwnd hwnd) const;  // it and every ancestor visible
  Rect ScreenRect(Hwnd hwnd) const;
  std::string WindowName(Hwnd hwnd) const;  // "" for no window
  // The top-level windows, top of the z-order first.
  std::vector<Hwnd> TopLevelWindows() const;
  // The deepest window under a screen point, as the mouse would find it (kNoWindow: none).
  Hwnd WindowFromPoint(Point screen) const;
  // The widget a press at a screen point would reach without a capture (a window or a windowless
  // label), or nullptr.
  const Widget* WidgetAt(Point screen) const;
  // A widget's children, windows and windowless, back to front (creation order unless moved).
  std::vector<const Widget*> ChildWidgets(const Widget& parent) const;
  // The focused text box, or nullptr.
  const TextBox* Focused() const;
  std::string FocusedName() const;  // "" when the focus is nowhere
  std::string CaptureName() const;  // "" when no window holds the capture
  // The active top-level window: the last one shown, moved or placed by SetWindowPos without
  // SWP_NOACTIVATE, or a form shown modally (kNoWindow: none). Activation never moves the focus.
  Hwnd ActiveWindow() const;

  // The log of window calls since construction or the last ClearCalls.
  const std::vector<WindowCall>& Calls() const;
  std::vector<std::string> FormattedCalls() const;
  void ClearCalls();

  // The drawing recorded on a window (empty for an unknown handle).
  std::vector<DrawCall> Drawing(Hwnd hwnd) const;
  // Paints the window now (clearing its log first) and returns what was drawn.
  std::vector<DrawCall> Repaint(Hwnd hwnd);

  struct State;  // the model; defined in the implementation

 private:
  std::shared_ptr<State> state_;
};

}  // namespace datewell::headless
