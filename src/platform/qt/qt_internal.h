#pragma once
// Internals of the Qt backend shared by its source files: the desktop's window table, the base of
// every windowed constituent, the windowless items their containers paint, and the helpers that
// turn the contract's colours, fonts and units into Qt's. Not for use outside src/platform/qt/.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPainter>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QTextLayout>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_variant.h"
#include "platform/toolkit.h"
#include "platform/windowing.h"

class QAccessibleEvent;
class QMouseEvent;

namespace datewell::qt_detail {

inline constexpr Hwnd kDesktopHandle = 0x10;

enum class Kind { Container, Surface, TextBox, PictureBox, ListBox, Button, Form };

class WindowBase;

// One window of the desktop's table. A constituent's window may wait for its Qt widget until it
// first shows (see WindowBase::Realise): then widget is null and the entry alone holds its place
// in the tree.
struct Entry {
  QPointer<QWidget> widget;
  WindowBase* window = nullptr;  // nullptr for a host's container
  Kind kind = Kind::Container;
  std::string name;
  Hwnd parent = kNoWindow;  // kDesktopHandle for top-level windows
  Hwnd top = kNoWindow;     // the surface, form or container the window belongs to
  std::int32_t ex_style = 0;
  bool topmost = false;
  QPainter* painter = nullptr;  // set while the window's paint runs
  // Moved back under a window while hidden: it stays a hidden top-level window until it is shown
  // again (putting a top-level widget back into a form that is closing is not safe in Qt), and
  // counts as a child of parent in everything else.
  bool detached = false;
  std::vector<QtDrawCall> drawing;  // since the last paint began
  std::vector<Hwnd> children;       // the windows whose parent this is, oldest first
  std::vector<Hwnd> buttons;        // of a surface, form or container: the buttons it tops
};

// Asks the X server, from a connection of its own, whether the pointer is grabbed: the probe's
// own grab attempt must fail with "already grabbed". Inert on other platforms.
class GrabProbe {
 public:
  GrabProbe();
  ~GrabProbe();
  GrabProbe(const GrabProbe&) = delete;
  GrabProbe& operator=(const GrabProbe&) = delete;
  bool Available() const { return connection_ != nullptr; }
  bool PointerGrabbed();

 private:
  void* connection_ = nullptr;  // xcb_connection_t
  std::uint32_t root_ = 0;
};

// Drops any pointer grab this program holds on X11 (nothing elsewhere).
void UngrabOwnPointer();

class AppFilter;

// The screen's scale, read once for one paint: twips per pixel.
struct Scale {
  float tx = 15.0f;
  float ty = 15.0f;
  // A rectangle in twips as pixels: each edge rounded on its own (right and bottom from
  // the sums), right and bottom exclusive.
  QRect Rect(float left, float top, float width, float height) const;
};

// The captions of windowless labels laid out once and kept, for every container of the desktop:
// a panel shows the same few captions (weekday letters, day numbers) month after month and
// control after control, and laying text out is most of what painting a panel costs. The caption
// is laid out as QPainter::drawText lays out one line, so that drawing the kept layout puts the
// same glyphs in the same places.
class TextCache {
 public:
  TextCache();
  ~TextCache();
  TextCache(const TextCache&) = delete;
  TextCache& operator=(const TextCache&) = delete;

  struct Line {
    std::unique_ptr<QTextLayout> layout;  // one line at (0, 0)
    qreal advance = 0;                    // the line's horizontal advance
  };
  // QFontMetrics(font).horizontalAdvance(text) and QFontMetrics(font).height().
  int Advance(const QFont& font, const QString& text);
  int Height(const QFont& font);
  // Where a digit's ink lies in a line of font: its top below the line's top, and its height.
  struct Ink {
    int top = 0;
    int height = 0;
  };
  Ink DigitInk(const QFont& font);
  // The text laid out in font on device.
  const Line& Layout(const QFont& font, QPaintDevice* device, const QString& text);

 private:
  struct Texts;
  Texts& For(const QFont& font, int dpi);
  std::vector<std::unique_ptr<Texts>> fonts_;
  std::size_t entries_ = 0;
};

struct DesktopState {
  DesktopState();
  ~DesktopState();

  std::unordered_map<Hwnd, Entry> windows;
  // The window of each Qt widget the table holds; checked against the entry on every look-up, so
  // that a widget gone and another made at its address are never confused.
  std::unordered_map<const QWidget*, Hwnd> by_widget;
  Hwnd next_handle = 0x100;
  int stacking = 0;  // the last stacking stamp given to a raised window
  Hwnd capture = kNoWindow;
  bool capture_confirmed = false;
  int capture_attempts = 0;
  std::optional<QPoint> last_cursor;
  QPointer<QWidget> last_converted;  // the window last given to ClientToScreen
  QPointer<QWidget> host_active;     // the last active window that is not a pop-up
  bool restore_pending = false;
  // On Wayland a client can neither place a window on the screen nor grab the pointer: the panel
  // and the list become pop-ups of the control's window, and the capture is the pop-up's grab.
  bool wayland = false;
  std::unique_ptr<AppFilter> filter;
  std::unique_ptr<GrabProbe> probe;
  TextCache texts;

  Entry* Find(Hwnd hwnd);
  const Entry* Find(Hwnd hwnd) const;
  Hwnd HandleOf(const QWidget* widget) const;
  Hwnd Register(Entry entry);
  void Unregister(Hwnd hwnd);
  // The window's Qt widget came (a window realised) or went.
  void Bind(Hwnd hwnd, QWidget* widget);
  // Moves hwnd into parent's list of children.
  void Reparent(Hwnd hwnd, Hwnd parent);
  // The window's widget, made now for a window that is still waiting for it; nullptr for no
  // window, or one whose widget is gone.
  QWidget* RealisedWidget(Hwnd hwnd);
  // A top-level window of ours that was moved to the desktop (the panel, the list).
  bool IsPopup(const QWidget* window) const;
  // Whether the window's widget receives the mouse as the capture holder: on X11 it holds the
  // pointer grab; on Wayland it is the open pop-up that Qt hands every mouse event of the
  // application to, and the capture was given to it.
  bool HoldsMouse(Hwnd hwnd, const QWidget* widget) const;
  // On Wayland, the widget a window moved to the desktop belongs to: the pop-up of ours that is
  // open (a window shown over the panel), else the control's own; nullptr elsewhere.
  QWidget* PopupOwner(Hwnd hwnd);
  // The surface or form a widget created on parent belongs to.
  Hwnd TopOf(Hwnd parent) const;

  std::optional<float> tpp_x, tpp_y;
  std::optional<Rect> work_area;
  std::map<std::int32_t, std::int32_t> metrics;
  // The locale's reading of a day cell's date text and its long date, for what screen readers
  // say of a cell; unset, a cell is named by its text.
  std::function<std::optional<Date>(std::string_view)> read_date;
  std::function<std::string(Date)> long_date;
  std::function<void(QAccessibleEvent*)> accessibility_watch;

  float TppX() const;
  float TppY() const;
  Scale CurrentScale() const;
  // Hands the activation back to the host's window when a pop-up took it.
  void RestoreActivation();
};

// Watches every mouse event of the application for the cursor position, and window activation
// for pop-ups that a platform activated although they never take the focus.
class AppFilter : public QObject {
 public:
  explicit AppFilter(DesktopState& state) : state_(state) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  DesktopState& state_;
};

// Colours and mouse arguments (fonts: qt_variant.h).
QColor ToQColor(OleColor color);
MouseArgs MouseArgsOf(const DesktopState& state, const QMouseEvent& event, QPoint local_logical);
std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers);
QString ToQString(std::string_view text);
std::string ToStd(const QString& text);

class ItemBase;

// The base of every windowed constituent: the widget, its table entry, its geometry in twips
// (the source of truth: a value set reads back exactly) and its windowless children.
//
// A window made without a widget (the panel, the month list, buttons) is a record until it would
// first show: shown while its parent has a widget and inside its parent's area, or shown as a
// top-level window. Then Realise makes its Qt widget from the record (and those of its children
// that would show). Whoever asks for the widget (inspection, the capture) realises it too. Until
// then every member reads and writes the record, and the window's place in the tree, its order
// and its state are what they would be with the widget.
class WindowBase {
 public:
  WindowBase(std::shared_ptr<DesktopState> state, Kind kind, std::string_view name, QWidget* widget,
             Hwnd parent);
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // The widget, or nullptr while the window waits for it or after it is gone.
  QWidget* widget() const { return widget_.data(); }
  bool realised() const { return realised_; }
  // The widget, made now if the window was waiting for it; nullptr if it is gone (or its parent
  // is).
  QWidget* Realise();
  // Whatever the window holds back from its widget goes in now: someone is about to use the
  // widget itself.
  virtual void Settle() {}
  Hwnd handle() const { return hwnd_; }
  DesktopState& state() const { return *state_; }
  const std::shared_ptr<DesktopState>& shared_state() const { return state_; }

  // Geometry in twips of the container; the widget follows in pixels.
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  int tab_index_ = 0;
  std::string name_;
  // False for a form nobody has placed yet: the window system places it (over its owner).
  bool positioned_ = true;

  void ApplyGeometry();
  void ApplyVisible();
  // A waiting window that would now show is realised.
  void RealiseIfShown();
  // The window's position in pixels of its parent, as its widget would have it.
  QPoint DevicePosition() const;
  // The window was moved or sized in pixels by a window operation.
  void MovedTo(std::int32_t x, std::int32_t y);
  void SizedTo(std::int32_t cx, std::int32_t cy);

  // Canvases (surface, picture box, form): background, the Paint handler, windowless children.
  virtual OleColor CanvasBackColor() const { return kColorWindowBackground; }
  virtual void RunPaintHandler() {}
  // Paints the part of the canvas in region (pixels): the background, the Paint
  // handler (which always runs whole, so that what it draws is recorded whole), and the
  // windowless children that lie in the region.
  void PaintCanvas(QWidget* self, const QRegion& region);
  // Mouse on a canvas: the own handlers, or the windowless item under the point.
  enum class MouseKind { Down, Move, Up, DoubleClick };
  virtual void CanvasMouse(MouseKind, const QMouseEvent&, QPoint) {}
  // The canvas was shown or hidden (not by the window system on its own).
  virtual void CanvasShown(bool) {}
  ItemBase* ItemAt(QPoint local_logical) const;
  // The window system closed the pop-up because the user pressed outside the application (on
  // Wayland nothing else tells of that press): the canvas gets that press, at the last cursor
  // position the application saw if it lies outside the window, else just outside the edge
  // nearest to it.
  void PressOutside(QWidget* self);

  void AddItem(ItemBase* item) { items_.push_back(item); }
  // The windowless children, bottom first.
  const std::vector<ItemBase*>& Items() const { return items_; }
  void RemoveItem(ItemBase* item);
  void UpdateCanvas();
  // Repaints the part of the canvas in rect (pixels).
  void UpdateCanvas(const QRect& rect);

 protected:
  // Makes the widget of a waiting window under parent (nullptr: a top-level window), with what
  // only this kind of widget holds; the base applies geometry and visibility afterwards.
  virtual QWidget* MakeWidget(QWidget* /*parent*/) { return nullptr; }
  // The widget was made and placed (a list fills in its items here).
  virtual void Realised() {}

  std::shared_ptr<DesktopState> state_;
  Hwnd hwnd_ = kNoWindow;
  QPointer<QWidget> widget_;
  bool realised_ = false;
  std::vector<ItemBase*> items_;
  ItemBase* pressed_item_ = nullptr;
};

// Makes widget a frameless, topmost, non-activating window of the desktop (a tool window when
// ex_style asks for one), as the panel and the list are once moved there. With an owner (on
// Wayland) it becomes a pop-up of the owner's window instead, placed relative to it: one that
// holds the grab, or, over an open pop-up, one that leaves the grab and the mouse with that one.
void MakeTopLevel(QWidget* widget, std::int32_t ex_style, QWidget* owner);

// A windowless constituent: geometry in twips of its container, painted by the container. A
// form has dozens of them (the panel's 49 labels), so an item is kept small: it reaches the
// desktop through its container, and once the container is gone it is a record that paints
// nowhere.
class ItemBase {
 public:
  ItemBase(WindowBase& container, std::string_view name);
  virtual ~ItemBase();
  ItemBase(const ItemBase&) = delete;
  ItemBase& operator=(const ItemBase&) = delete;

  virtual void Paint(QPainter& painter, const Scale& scale) = 0;
  virtual void Mouse(WindowBase::MouseKind, MouseArgs&) {}
  virtual void ItemClick() {}
  // Pixels in the container.
  QRect PixelRect() const { return PixelRect(container_ ? CurrentScale() : Scale{}); }
  QRect PixelRect(const Scale& scale) const { return scale.Rect(left_, top_, width_, height_); }
  // Where the item paints (pixels in the container).
  virtual QRect PaintRect(const Scale& scale) const { return PixelRect(scale); }
  void Changed();  // the container repaints where the item lies
  void ContainerGone() { container_ = nullptr; }
  WindowBase* container() const { return container_; }

  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int tab_index_ = 0;
  bool visible_ = true;
  std::string name_;

 protected:
  Scale CurrentScale() const;
  WindowBase* container_;
};

// The widget classes' constructors, for the desktop's factory.
std::unique_ptr<UserControlSurface> MakeSurface(std::shared_ptr<DesktopState> state,
                                                QWidget* container, Hwnd container_handle,
                                                std::string_view name);
std::unique_ptr<TextBox> MakeTextBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                     std::string_view name);
std::unique_ptr<PictureBox> MakePictureBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                           std::string_view name);
std::unique_ptr<ListBox> MakeListBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                     std::string_view name);
std::unique_ptr<CommandButton> MakeButton(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                          std::string_view name);
std::unique_ptr<Label> MakeLabel(WindowBase& parent, std::string_view name);
std::unique_ptr<LineShape> MakeLine(WindowBase& parent, std::string_view name);
std::unique_ptr<ImageBox> MakeImage(WindowBase& parent, std::string_view name);
std::unique_ptr<Form> MakeForm(std::shared_ptr<DesktopState> state, std::string_view name,
                               bool container);

// The window base behind a contract widget made by this backend, or nullptr.
WindowBase* WindowOf(Widget& widget);

// The constituent behind a Qt widget of this backend, or nullptr.
WindowBase* OwnerOf(const QObject* object);

// Accessibility (qt_accessible.cpp): the interfaces of the surface and the panel, installed once
// per application, and the events of what changes on them.
void InstallAccessibility();
// The look a day cell takes when it is the selected one.
bool HighlightLook(OleColor back, int border);
// The field takes the control's accessible name, or its buddy label's text.
void AccessibleFieldName(QWidget* field);
void AccessiblePanelShown(WindowBase& panel, bool shown);
void AccessibleCaptionChanged(ItemBase& label);
void AccessibleCellSelected(ItemBase& label, bool selected);

// Clicks the enabled default button of the surface or form top, if it has one.
bool ClickDefaultButton(DesktopState& state, Hwnd top);

// Draws the pixels from one point to the other, both included, in whole pixels.
void DrawPixelLine(QPainter& p, QPoint from, QPoint to, const QColor& color);

// Draws with the painter of hdc's window when its paint is running; otherwise asks a shown window
// to repaint where the drawing lies (where() gives it in pixels; the Paint handler then
// draws everything again, and what lies in that part shows). A window not on the screen repaints
// whole when it shows. Returns false for an unknown hdc.
template <typename Where, typename Draw>
bool WithPainter(DesktopState& state, Hdc hdc, Where&& where, Draw&& draw) {
  Entry* e = state.Find(hdc);
  if (!e || (!e->widget && !(e->window && !e->window->realised()))) {
    return false;
  }
  if (e->painter) {
    draw(*e->painter);
  } else if (QWidget* w = e->widget.data(); w && w->isVisible()) {
    w->update(where());
  }
  return true;
}  // Records a drawing call on hdc's window.
void Record(DesktopState& state, Hdc hdc, const QtDrawCall& call);

}  // namespace datewell::qt_detail
