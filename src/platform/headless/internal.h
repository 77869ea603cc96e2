#pragma once
// The model behind the headless desktop: one Node per widget (window or windowless) and the
// desktop's state. Private to src/platform/headless/.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless.h"

namespace datewell::headless {

enum class NodeKind {
  Surface,
  TextBox,
  PictureBox,
  Label,
  ListBox,
  CommandButton,
  Line,
  Image,
  Form
};

using State = HeadlessDesktop::State;

// What every widget of the desktop carries. The desktop routes events to the virtual hooks; the
// widget classes turn them into calls of the handlers the control registered.
class Node {
 public:
  Node(State* state, NodeKind kind, std::string_view name, std::int64_t parent);
  virtual ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  virtual Widget& AsWidget() = 0;

  // Input hooks; the default ignores the event.
  virtual void OnMouseDown(MouseArgs&) {}
  virtual void OnMouseUp(MouseArgs&) {}
  virtual void OnMouseMove(MouseArgs&) {}
  virtual void OnClick() {}
  // A second press of a double click; false when the widget has no double-click event (the
  // press then counts as an ordinary one).
  virtual bool OnDblClick() { return false; }
  virtual void OnGotFocus() {}
  virtual void OnLostFocus() {}
  virtual bool HasPaint() const { return false; }
  virtual void OnPaint() {}
  virtual bool AcceptsInput() const { return true; }  // false while disabled
  // A form's window icon: the XPM header line of each of its images.
  virtual std::vector<std::string> IconImages() const { return {}; }

  bool Windowed() const {
    return kind != NodeKind::Label && kind != NodeKind::Line && kind != NodeKind::Image;
  }
  Hwnd Handle() const { return Windowed() ? id : kNoWindow; }

  State* state;  // null once the desktop is gone
  const std::int64_t id;
  const NodeKind kind;
  std::string name;
  std::int64_t parent = 0;  // for windows 0 means the desktop (or an orphan, see orphan)
  bool orphan = false;      // its parent was destroyed first: unreachable until re-parented
  std::vector<std::int64_t> children;  // back to front
  float left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  int tab_index = 0;
  std::int32_t ex_style = 0;
  bool topmost = false;
  std::vector<DrawCall> drawing;
};

struct HeadlessDesktop::State {
  static constexpr Hwnd kDesktop = 0x10;

  std::int64_t next_id = 0x100;
  std::map<std::int64_t, Node*> nodes;
  std::vector<std::int64_t> top_level;  // back to front; the topmost band last
  float tpp_x = 15.0f, tpp_y = 15.0f;
  std::map<std::int32_t, std::int32_t> metrics;
  std::int32_t work_width = 1024, work_height = 738;
  std::optional<Date> now;
  std::deque<std::function<void()>> queue;
  std::set<std::int64_t> pending_paint;
  Hwnd capture = kNoWindow;
  std::int64_t focus = 0;
  Hwnd active = kNoWindow;
  Point cursor;
  std::int16_t held_modifiers = 0;
  std::int16_t held_buttons = 0;
  std::int64_t press_target = 0;
  std::vector<WindowCall> calls;
  ModalDriver modal_driver;
  ModalListener modal_listener;

  ~State();

  // ---- Registry ----
  std::int64_t Register(Node* node);
  void Unregister(Node* node);
  Node* Find(std::int64_t id) const;
  Node* FindWindow(Hwnd hwnd) const;  // windows only

  // ---- Tree and z-order ----
  bool IsTopLevel(const Node& n) const { return n.Windowed() && n.parent == 0 && !n.orphan; }
  std::vector<std::int64_t>* SiblingList(const Node& n);
  // Puts a window at the top of its band (or of its parent's children).
  void BringToTop(Node& n);
  void PlaceAfter(Node& n, Hwnd after);
  void PlaceAtBottom(Node& n);
  bool IsAncestor(std::int64_t maybe_ancestor, std::int64_t id) const;
  // The window that holds a node: itself for windows, its nearest windowed ancestor otherwise.
  Node* WindowOf(Node& n) const;

  // ---- Geometry ----
  Rect ParentRelativeRect(const Node& n) const;
  // The screen position of a node's client origin; nothing for orphans.
  std::optional<Point> ScreenOrigin(const Node& n) const;
  std::optional<Rect> ScreenRectOf(const Node& n) const;
  bool Shown(const Node& n) const;         // it and every ancestor visible, and reachable
  bool InputEnabled(const Node& n) const;  // it and every ancestor accept input

  // ---- Visibility, paint, focus ----
  // Records a change of a node's own visibility flag and its consequences.
  void SetVisibleFlag(Node& n, bool visible, bool raise_when_shown);
  void QueuePaintTree(const Node& n);
  void QueuePaint(std::int64_t id);
  void BackendPaint(std::int64_t id);
  void MoveFocus(std::int64_t id);  // 0: nowhere
  void Activate(Hwnd top_level);

  // ---- Input ----
  Node* HitWindow(Point screen) const;
  Node* HitTarget(Point screen) const;  // window, then the windowless label under the point
  MouseArgs ArgsFor(const Node& n, Point screen, std::int16_t button, std::int16_t shift) const;
  Node* DefaultButtonFor(Node& n) const;

  void Post(std::function<void()> message) { queue.push_back(std::move(message)); }
  void Log(WindowCall call) { calls.push_back(call); }
};

// The widget classes (widgets.cpp).
std::unique_ptr<UserControlSurface> MakeSurface(State* st, std::int64_t parent,
                                                std::string_view name);
std::unique_ptr<TextBox> MakeTextBox(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<PictureBox> MakePictureBox(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<Label> MakeLabel(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<ListBox> MakeListBox(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<CommandButton> MakeCommandButton(State* st, std::int64_t parent,
                                                 std::string_view name);
std::unique_ptr<LineShape> MakeLine(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<ImageBox> MakeImage(State* st, std::int64_t parent, std::string_view name);
std::unique_ptr<Form> MakeForm(State* st, std::string_view name);

// Hooks of the text box that key injection needs.
class TextBoxNode {
 public:
  virtual ~TextBoxNode() = default;
  virtual void RaiseKeyDown(KeyArgs& args) = 0;
  virtual void RaiseKeyUp(KeyArgs& args) = 0;
  // KeyPress with the character; returns the character to insert (0: swallowed).
  virtual char32_t RaiseKeyPress(char32_t c) = 0;
  virtual void InsertChar(char32_t c) = 0;  // the edit of a typed character
  virtual void EditKey(std::int16_t key_code, std::int16_t shift) = 0;  // Delete, arrows...
};

// Hooks of the surface, the command button and the form.
class SurfaceNode {
 public:
  virtual ~SurfaceNode() = default;
  virtual bool KeyPreview() const = 0;
  virtual void RaisePreviewKeyDown(KeyArgs& args) = 0;
};
class ButtonNode {
 public:
  virtual ~ButtonNode() = default;
  virtual bool IsDefault() const = 0;
};

}  // namespace datewell::headless
