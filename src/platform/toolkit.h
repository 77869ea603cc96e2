#pragma once
// The widget toolkit: the constituent widgets the control is built from, modal forms, the
// screen's twips per pixel and the message pump. Lengths are twips (single precision) in the
// coordinates of the widget's container; a widget's events reach the control through the handlers
// it registers, and nothing else calls into the control.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace datewell {

// Mouse buttons and shift states as the handlers receive them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;
inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

// Virtual-key codes the control looks at.
inline constexpr std::int16_t kKeyBack = 8;
inline constexpr std::int16_t kKeyTab = 9;
inline constexpr std::int16_t kKeyReturn = 13;
inline constexpr std::int16_t kKeyShift = 16;
inline constexpr std::int16_t kKeyControl = 17;
inline constexpr std::int16_t kKeyMenu = 18;  // Alt
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeyEnd = 35;
inline constexpr std::int16_t kKeyHome = 36;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;
inline constexpr std::int16_t kKeyDelete = 46;
inline constexpr std::int16_t kKeyF4 = 115;

// Event arguments; handlers may change the key values, and the widget goes on with what they
// hold afterwards (a KeyAscii of 0 swallows the character).
struct MouseArgs {
  std::int16_t button = kLeftButton;
  std::int16_t shift = 0;
  float x = 0.0f;  // twips, in the coordinates of the widget that delivers the event
  float y = 0.0f;
};
struct KeyArgs {
  std::int16_t key_code = 0;
  std::int16_t shift = 0;
};
struct KeyPressArgs {
  std::int16_t key_ascii = 0;
};

using Action = std::function<void()>;
using MouseHandler = std::function<void(MouseArgs&)>;
using KeyHandler = std::function<void(KeyArgs&)>;
using KeyPressHandler = std::function<void(KeyPressArgs&)>;

// Label and text alignment, label border and back styles.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignCenter = 2;
inline constexpr int kBorderNone = 0;
inline constexpr int kBorderFixedSingle = 1;
inline constexpr int kBackTransparent = 0;
inline constexpr int kBackOpaque = 1;

class Widget {
 public:
  virtual ~Widget() = default;
  virtual std::string_view Name() const = 0;
  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void SetLeft(float twips) = 0;
  virtual void SetTop(float twips) = 0;
  virtual void SetWidth(float twips) = 0;
  virtual void SetHeight(float twips) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual int TabIndex() const = 0;
  virtual void SetTabIndex(int index) = 0;
  // The widget's window, or kNoWindow for a windowless widget (labels, lines, images), which its
  // container paints and routes input to.
  virtual Hwnd hWnd() const = 0;
};

struct TextBoxHandlers {
  Action Change, Click, DblClick, GotFocus, LostFocus;
  KeyHandler KeyDown, KeyUp;
  KeyPressHandler KeyPress;
  MouseHandler MouseDown;
};

class TextBox : public Widget {
 public:
  virtual void SetHandlers(TextBoxHandlers handlers) = 0;
  virtual std::string Text() const = 0;
  // Raises Change at once when the text really changes.
  virtual void SetText(std::string_view text) = 0;
  virtual int SelStart() const = 0;
  virtual void SetSelStart(int start) = 0;
  virtual int SelLength() const = 0;
  virtual void SetSelLength(int length) = 0;
  virtual std::string SelText() const = 0;
  virtual void SetSelText(std::string_view text) = 0;  // replaces the selection
  // The font object, shared by reference (never null); the attribute members below read and
  // change that very object, so whoever shares it sees the change.
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef font) = 0;
  std::string FontName() const { return Font()->name; }
  void SetFontName(std::string_view name) { Change(&Font::name, std::string(name)); }
  float FontSize() const { return Font()->size; }
  void SetFontSize(float points) { Change(&Font::size, points); }
  bool FontBold() const { return Font()->bold; }
  void SetFontBold(bool on) { Change(&Font::bold, on); }
  bool FontItalic() const { return Font()->italic; }
  void SetFontItalic(bool on) { Change(&Font::italic, on); }
  bool FontUnderline() const { return Font()->underline; }
  void SetFontUnderline(bool on) { Change(&Font::underline, on); }
  bool FontStrikethru() const { return Font()->strikethru; }
  void SetFontStrikethru(bool on) { Change(&Font::strikethru, on); }
  virtual OleColor ForeColor() const = 0;
  virtual void SetForeColor(OleColor color) = 0;
  virtual OleColor BackColor() const = 0;
  virtual void SetBackColor(OleColor color) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual std::string ToolTipText() const = 0;
  virtual void SetToolTipText(std::string_view text) = 0;
  virtual std::int32_t WhatsThisHelpID() const = 0;
  virtual void SetWhatsThisHelpID(std::int32_t id) = 0;
  virtual void SetBorderStyle(int style) = 0;
  // Moves the keyboard focus into the text box (GotFocus follows, LostFocus on the old holder).
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;

 protected:
  // An attribute of the font object changed through this text box; a backend that renders the
  // font applies it here.
  virtual void FontChanged() {}

 private:
  template <typename T, typename V>
  void Change(T datewell::Font::*attribute, V value) {
    (*Font()).*attribute = std::move(value);
    FontChanged();
  }
};

struct PictureBoxHandlers {
  Action GotFocus, Paint;
  MouseHandler MouseDown, MouseMove, MouseUp;
};

class PictureBox : public Widget {
 public:
  virtual void SetHandlers(PictureBoxHandlers handlers) = 0;
  virtual Hdc hDC() const = 0;
  virtual OleColor ForeColor() const = 0;
  virtual void SetForeColor(OleColor color) = 0;
  virtual OleColor BackColor() const = 0;
  virtual void SetBackColor(OleColor color) = 0;
  virtual void SetBorderStyle(int style) = 0;
  virtual float CurrentX() const = 0;
  virtual float CurrentY() const = 0;
  virtual void SetCurrentX(float twips) = 0;
  virtual void SetCurrentY(float twips) = 0;
  // A line in ForeColor from (x1, y1) to (x2, y2), twips; the end point is not drawn. The drawing
  // position is left at the end point.
  virtual void Line(float x1, float y1, float x2, float y2) = 0;
  // Repaints at once (the Paint handler runs).
  virtual void Refresh() = 0;
};

struct LabelHandlers {
  Action Click;
  MouseHandler MouseDown, MouseMove, MouseUp;
};

class Label : public Widget {
 public:
  virtual void SetHandlers(LabelHandlers handlers) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view text) = 0;
  virtual std::string Tag() const = 0;
  virtual void SetTag(std::string_view text) = 0;
  virtual bool FontBold() const = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual void SetFont(const Font& font) = 0;  // a font of its own (the About box's labels)
  virtual OleColor ForeColor() const = 0;
  virtual void SetForeColor(OleColor color) = 0;
  virtual OleColor BackColor() const = 0;
  virtual void SetBackColor(OleColor color) = 0;
  virtual int BackStyle() const = 0;
  virtual void SetBackStyle(int style) = 0;
  virtual int BorderStyle() const = 0;
  virtual void SetBorderStyle(int style) = 0;
  virtual int Alignment() const = 0;
  virtual void SetAlignment(int alignment) = 0;
};

struct ListBoxHandlers {
  MouseHandler MouseMove;
};

class ListBox : public Widget {
 public:
  virtual void SetHandlers(ListBoxHandlers handlers) = 0;
  virtual void Clear() = 0;
  virtual void AddItem(std::string_view text) = 0;  // appended at the end
  virtual int ListCount() const = 0;
  virtual std::string List(int index) const = 0;
  virtual int ListIndex() const = 0;  // -1 when no item is highlighted
  virtual void SetListIndex(int index) = 0;
};

struct CommandButtonHandlers {
  Action Click;
};

class CommandButton : public Widget {
 public:
  virtual void SetHandlers(CommandButtonHandlers handlers) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view text) = 0;  // "&" marks the access key
  // The default button of its form or control: Enter clicks it.
  virtual bool Default() const = 0;
  virtual void SetDefault(bool is_default) = 0;
};

class LineShape : public Widget {
 public:
  virtual void SetCoordinates(float x1, float y1, float x2, float y2) = 0;
  virtual OleColor BorderColor() const = 0;
  virtual void SetBorderColor(OleColor color) = 0;
};

// An image given as XPM text, one string per line.
using XpmImage = std::span<const char* const>;

class ImageBox : public Widget {
 public:
  virtual void SetPicture(XpmImage picture) = 0;
};

struct SurfaceHandlers {
  Action Resize, Paint, Show, Hide;
  KeyHandler KeyDown;  // sees keys typed into its children while KeyPreview is on
  MouseHandler MouseDown, MouseUp;
};

// The control's own surface inside its container. The host sizes, shows and hides it; a size or
// height set to a value other than the current one runs the Resize handler at once.
class UserControlSurface : public Widget {
 public:
  virtual void SetHandlers(SurfaceHandlers handlers) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual OleColor BackColor() const = 0;
  virtual void SetBackColor(OleColor color) = 0;
  virtual void Refresh() = 0;                        // a complete repaint
  virtual void Size(float width, float height) = 0;  // twips
  virtual Hdc hDC() const = 0;
  virtual void SetKeyPreview(bool on) = 0;
};

struct FormHandlers {
  Action Unload;  // the form is being unloaded, however that came about
};

// A top-level form, shown modally.
class Form : public Widget {
 public:
  virtual void SetHandlers(FormHandlers handlers) = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetClientSize(float width, float height) = 0;  // twips
  // The window icon, one image per size; the window system picks the size it shows (16 x 16 in
  // a title bar, 32 x 32 where windows are switched).
  virtual void SetIcon(std::span<const XpmImage> images) = 0;
  // Shows the form modally; returns once it has been unloaded (by Unload, or by the window's own
  // close command).
  virtual void ShowModal() = 0;
  virtual void Unload() = 0;
  virtual bool Loaded() const = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // The control's surface inside the container window (kNoWindow: a surface of its own).
  virtual std::unique_ptr<UserControlSurface> CreateUserControl(Hwnd container,
                                                                std::string_view name) = 0;
  virtual std::unique_ptr<TextBox> CreateTextBox(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<PictureBox> CreatePictureBox(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<Label> CreateLabel(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<ListBox> CreateListBox(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<CommandButton> CreateCommandButton(Widget& parent,
                                                             std::string_view name) = 0;
  virtual std::unique_ptr<LineShape> CreateLine(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<ImageBox> CreateImage(Widget& parent, std::string_view name) = 0;
  virtual std::unique_ptr<Form> CreateForm(std::string_view name) = 0;

  // The screen's twips per pixel, read afresh by every caller.
  virtual float TwipsPerPixelX() = 0;
  virtual float TwipsPerPixelY() = 0;
  // Processes all pending window messages, then returns.
  virtual void DoEvents() = 0;
};

// Everything the control needs of its surroundings.
struct Platform {
  Toolkit& toolkit;
  Windowing& windowing;
  LocaleServices& locale;
};

}  // namespace datewell
