// The widget classes of the headless desktop. Each keeps its own plain state and turns the
// events the desktop routes to it into calls of the handlers the control registered. A handler
// is copied before it runs, so a handler that replaces the handlers (or destroys the widget)
// never destroys the function that is running.

#include <cmath>
#include <utility>

#include "platform/headless/internal.h"
#include "platform/headless/text_edit.h"

namespace datewell::headless {
namespace {

// The system colours a fresh label starts with (button text on button face).
constexpr OleColor kColorButtonText = 0x80000012u;
constexpr OleColor kColorButtonFace = 0x8000000Fu;

template <class F, class... A>
void Call(const F& handler, A&... args) {
  F copy = handler;
  if (copy) {
    copy(args...);
  }
}

// The members every widget shares: name, geometry, visibility, tab index, window handle.
template <class Base>
class Common : public Base, public Node {
 public:
  Common(State* st, NodeKind kind, std::int64_t parent, std::string_view name)
      : Node(st, kind, name, parent) {}

  Widget& AsWidget() override { return *this; }
  std::string_view Name() const override { return name; }
  float Left() const override { return left; }
  float Top() const override { return top; }
  float Width() const override { return width; }
  float Height() const override { return height; }
  void SetLeft(float twips) override { left = twips; }
  void SetTop(float twips) override { top = twips; }
  void SetWidth(float twips) override { width = twips; }
  void SetHeight(float twips) override { height = twips; }
  bool Visible() const override { return visible; }
  void SetVisible(bool on) override {
    if (state != nullptr) {
      state->SetVisibleFlag(*this, on, true);
    } else {
      visible = on;
    }
  }
  int TabIndex() const override { return tab_index; }
  void SetTabIndex(int index) override { tab_index = index; }
  Hwnd hWnd() const override { return Handle(); }
};

// ---- Text box ----

class HTextBox final : public Common<TextBox>, public TextBoxNode {
 public:
  HTextBox(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::TextBox, parent, name) {}

  void SetHandlers(TextBoxHandlers handlers) override { h_ = std::move(handlers); }

  std::string Text() const override { return edit_.text; }
  // A new text puts the caret at the start with nothing selected, as an edit box does when its
  // text is replaced; assigning the text it already shows changes nothing.
  void SetText(std::string_view text) override {
    if (text == edit_.text) {
      return;
    }
    edit_ = EditState{std::string(text), 0, 0};
    Call(h_.Change);
  }
  int SelStart() const override { return SelStartOf(edit_); }
  void SetSelStart(int start) override { edit_ = WithSelStart(edit_, start); }
  int SelLength() const override { return SelLengthOf(edit_); }
  void SetSelLength(int length) override { edit_ = WithSelLength(edit_, length); }
  std::string SelText() const override { return SelTextOf(edit_); }
  void SetSelText(std::string_view text) override { Apply(ReplaceSelection(edit_, text)); }

  FontRef Font() const override { return font_; }
  void SetFont(FontRef font) override {
    if (font) {
      font_ = std::move(font);
    }
  }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor c) override { fore_ = c; }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor c) override { back_ = c; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override {
    enabled_ = on;
    // A disabled box cannot keep the keyboard.
    if (!on && state != nullptr && state->focus == id) {
      state->MoveFocus(0);
    }
  }
  std::string ToolTipText() const override { return tip_; }
  void SetToolTipText(std::string_view t) override { tip_ = std::string(t); }
  std::int32_t WhatsThisHelpID() const override { return help_id_; }
  void SetWhatsThisHelpID(std::int32_t v) override { help_id_ = v; }
  void SetBorderStyle(int style) override { border_ = style; }
  void SetFocus() override {
    if (state != nullptr) {
      state->MoveFocus(id);
    }
  }
  bool HasFocus() const override { return state != nullptr && state->focus == id; }

  // Node
  void OnMouseDown(MouseArgs& a) override { Call(h_.MouseDown, a); }
  void OnClick() override { Call(h_.Click); }
  bool OnDblClick() override {
    Call(h_.DblClick);
    return true;
  }
  void OnGotFocus() override { Call(h_.GotFocus); }
  void OnLostFocus() override { Call(h_.LostFocus); }
  bool AcceptsInput() const override { return enabled_; }

  // TextBoxNode
  void RaiseKeyDown(KeyArgs& a) override { Call(h_.KeyDown, a); }
  void RaiseKeyUp(KeyArgs& a) override { Call(h_.KeyUp, a); }
  char32_t RaiseKeyPress(char32_t c) override {
    if (c > 0xFFFF) {
      return c;  // no 16-bit KeyAscii can carry it: inserted without a KeyPress
    }
    KeyPressArgs a{static_cast<std::int16_t>(static_cast<std::uint16_t>(c))};
    Call(h_.KeyPress, a);
    return static_cast<char32_t>(static_cast<std::uint16_t>(a.key_ascii));
  }
  void InsertChar(char32_t c) override {
    if (c == U'\b') {
      Apply(Backspace(edit_));
    } else if (c >= 32 && c != 127) {
      Apply(ReplaceSelection(edit_, EncodeUtf8(c)));
    }
    // Other control characters (Enter, Escape, Tab, Ctrl+letter) insert nothing in one line.
  }
  void EditKey(std::int16_t key_code, std::int16_t shift) override {
    bool extend = (shift & kShiftMask) != 0;
    switch (key_code) {
      case kKeyDelete:
        Apply(DeleteForward(edit_));
        break;
      case kKeyHome:
        edit_ = MoveCaret(edit_, CaretMove::Home, extend);
        break;
      case kKeyEnd:
        edit_ = MoveCaret(edit_, CaretMove::End, extend);
        break;
      case kKeyLeft:
        edit_ = MoveCaret(edit_, CaretMove::Left, extend);
        break;
      case kKeyRight:
        edit_ = MoveCaret(edit_, CaretMove::Right, extend);
        break;
      default:
        break;
    }
  }

 private:
  // Takes an edited state; Change only when the text really changed.
  void Apply(EditState next) {
    bool changed = next.text != edit_.text;
    edit_ = std::move(next);
    if (changed) {
      Call(h_.Change);
    }
  }

  TextBoxHandlers h_;
  EditState edit_;
  FontRef font_ = std::make_shared<datewell::Font>();
  OleColor fore_ = kColorWindowText;
  OleColor back_ = kColorWindowBackground;
  bool enabled_ = true;
  std::string tip_;
  std::int32_t help_id_ = 0;
  int border_ = kBorderFixedSingle;
};

// ---- Picture box ----

class HPictureBox final : public Common<PictureBox> {
 public:
  HPictureBox(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::PictureBox, parent, name) {}

  void SetHandlers(PictureBoxHandlers handlers) override { h_ = std::move(handlers); }
  Hdc hDC() const override { return Handle(); }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor c) override { fore_ = c; }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor c) override { back_ = c; }
  void SetBorderStyle(int style) override { border_ = style; }
  float CurrentX() const override { return cur_x_; }
  float CurrentY() const override { return cur_y_; }
  void SetCurrentX(float t) override { cur_x_ = t; }
  void SetCurrentY(float t) override { cur_y_ = t; }
  void Line(float x1, float y1, float x2, float y2) override {
    DrawCall call;
    call.kind = DrawCall::Kind::Line;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.color = fore_;
    drawing.push_back(call);
    cur_x_ = x2;
    cur_y_ = y2;
  }
  void Refresh() override {
    if (state != nullptr) {
      state->BackendPaint(id);
    }
  }

  void OnMouseDown(MouseArgs& a) override { Call(h_.MouseDown, a); }
  void OnMouseUp(MouseArgs& a) override { Call(h_.MouseUp, a); }
  void OnMouseMove(MouseArgs& a) override { Call(h_.MouseMove, a); }
  void OnGotFocus() override { Call(h_.GotFocus); }
  bool HasPaint() const override { return true; }
  void OnPaint() override { Call(h_.Paint); }

 private:
  PictureBoxHandlers h_;
  OleColor fore_ = kColorWindowText;
  OleColor back_ = kColorWindowBackground;
  int border_ = kBorderFixedSingle;
  float cur_x_ = 0, cur_y_ = 0;
};

// ---- Label ----

class HLabel final : public Common<Label> {
 public:
  HLabel(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::Label, parent, name) {}

  void SetHandlers(LabelHandlers handlers) override { h_ = std::move(handlers); }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view t) override { caption_ = std::string(t); }
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view t) override { tag_ = std::string(t); }
  bool FontBold() const override { return font_.bold; }
  void SetFontBold(bool on) override { font_.bold = on; }
  void SetFont(const datewell::Font& f) override { font_ = f; }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor c) override { fore_ = c; }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor c) override { back_ = c; }
  int BackStyle() const override { return back_style_; }
  void SetBackStyle(int s) override { back_style_ = s; }
  int BorderStyle() const override { return border_; }
  void SetBorderStyle(int s) override { border_ = s; }
  int Alignment() const override { return align_; }
  void SetAlignment(int a) override { align_ = a; }

  void OnMouseDown(MouseArgs& a) override { Call(h_.MouseDown, a); }
  void OnMouseUp(MouseArgs& a) override { Call(h_.MouseUp, a); }
  void OnMouseMove(MouseArgs& a) override { Call(h_.MouseMove, a); }
  void OnClick() override { Call(h_.Click); }

 private:
  LabelHandlers h_;
  std::string caption_, tag_;
  datewell::Font font_;
  OleColor fore_ = kColorButtonText;
  OleColor back_ = kColorButtonFace;
  int back_style_ = kBackOpaque;
  int border_ = kBorderNone;
  int align_ = kAlignLeft;
};

// ---- List box ----

class HListBox final : public Common<ListBox> {
 public:
  HListBox(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::ListBox, parent, name) {}

  void SetHandlers(ListBoxHandlers handlers) override { h_ = std::move(handlers); }
  void Clear() override {
    items_.clear();
    index_ = -1;
  }
  void AddItem(std::string_view t) override { items_.emplace_back(t); }
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::string List(int i) const override {
    return i >= 0 && i < ListCount() ? items_[static_cast<std::size_t>(i)] : std::string();
  }
  int ListIndex() const override { return index_; }
  // -1 removes the highlight; an index outside the items is refused and changes nothing.
  void SetListIndex(int i) override {
    if (i >= -1 && i < ListCount()) {
      index_ = i;
    }
  }

  void OnMouseMove(MouseArgs& a) override { Call(h_.MouseMove, a); }

 private:
  ListBoxHandlers h_;
  std::vector<std::string> items_;
  int index_ = -1;
};

// ---- Command button ----

class HCommandButton final : public Common<CommandButton>, public ButtonNode {
 public:
  HCommandButton(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::CommandButton, parent, name) {}

  void SetHandlers(CommandButtonHandlers handlers) override { h_ = std::move(handlers); }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view t) override { caption_ = std::string(t); }
  bool Default() const override { return default_; }
  void SetDefault(bool on) override { default_ = on; }

  void OnClick() override { Call(h_.Click); }
  bool IsDefault() const override { return default_; }

 private:
  CommandButtonHandlers h_;
  std::string caption_;
  bool default_ = false;
};

// ---- Line and image: design values only ----

class HLine final : public Common<LineShape> {
 public:
  HLine(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::Line, parent, name) {}
  void SetCoordinates(float x1, float y1, float x2, float y2) override {
    left = std::fmin(x1, x2);
    top = std::fmin(y1, y2);
    width = std::fabs(x2 - x1);
    height = std::fabs(y2 - y1);
  }
  OleColor BorderColor() const override { return color_; }
  void SetBorderColor(OleColor c) override { color_ = c; }

 private:
  OleColor color_ = kColorWindowText;
};

class HImage final : public Common<ImageBox> {
 public:
  HImage(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::Image, parent, name) {}
  void SetPicture(XpmImage picture) override { picture_.assign(picture.begin(), picture.end()); }

 private:
  std::vector<std::string> picture_;
};

// ---- The control's surface ----

class HSurface final : public Common<UserControlSurface>, public SurfaceNode {
 public:
  HSurface(State* st, std::int64_t parent, std::string_view name)
      : Common(st, NodeKind::Surface, parent, name) {
    visible = false;  // the host shows it
  }

  void SetHandlers(SurfaceHandlers handlers) override { h_ = std::move(handlers); }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override { enabled_ = on; }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor c) override { back_ = c; }
  void Refresh() override {
    if (state != nullptr) {
      state->BackendPaint(id);
    }
  }
  void Size(float w, float h) override {
    // A size that is no number would never compare equal and could resize forever.
    if (!std::isfinite(w) || !std::isfinite(h) || (w == width && h == height)) {
      return;
    }
    width = w;
    height = h;
    Call(h_.Resize);
  }
  void SetWidth(float w) override { Size(w, height); }
  void SetHeight(float h) override { Size(width, h); }
  void SetVisible(bool on) override {
    if (on == visible) {
      return;
    }
    Common::SetVisible(on);
    Call(on ? h_.Show : h_.Hide);
  }
  Hdc hDC() const override { return Handle(); }
  void SetKeyPreview(bool on) override { preview_ = on; }

  void OnMouseDown(MouseArgs& a) override { Call(h_.MouseDown, a); }
  void OnMouseUp(MouseArgs& a) override { Call(h_.MouseUp, a); }
  bool HasPaint() const override { return true; }
  void OnPaint() override { Call(h_.Paint); }
  bool AcceptsInput() const override { return enabled_; }

  bool KeyPreview() const override { return preview_; }
  void RaisePreviewKeyDown(KeyArgs& a) override { Call(h_.KeyDown, a); }

 private:
  SurfaceHandlers h_;
  bool enabled_ = true;
  OleColor back_ = kColorButtonFace;
  bool preview_ = false;
};

// ---- Form ----

class HForm final : public Common<Form> {
 public:
  HForm(State* st, std::string_view name) : Common(st, NodeKind::Form, 0, name) { visible = false; }

  void SetHandlers(FormHandlers handlers) override { h_ = std::move(handlers); }
  void SetCaption(std::string_view t) override { caption_ = std::string(t); }
  std::string Caption() const override { return caption_; }
  void SetClientSize(float w, float h) override {
    width = w;
    height = h;
  }
  void SetIcon(std::span<const XpmImage> images) override {
    icon_.clear();
    for (const XpmImage image : images) {
      if (!image.empty()) {
        icon_.emplace_back(image.front());
      }
    }
  }
  std::vector<std::string> IconImages() const override { return icon_; }

  // Headless has no user: the modal driver decides how the form ends. Whatever it does, the form
  // is unloaded when ShowModal returns.
  void ShowModal() override {
    if (running_ || state == nullptr) {
      return;
    }
    running_ = true;
    loaded_ = true;
    state->SetVisibleFlag(*this, true, true);
    state->Activate(id);
    std::string form_name = name;
    ModalListener listener = state->modal_listener;
    if (listener) {
      listener(form_name, ModalEvent::Shown);
    }
    ModalDriver driver = state != nullptr ? state->modal_driver : ModalDriver();
    ModalAction action = driver ? driver(*this) : ModalAction::Close;
    if (loaded_ && action == ModalAction::Ok && state != nullptr) {
      if (Node* button = state->DefaultButtonFor(*this)) {
        button->OnClick();
      }
    }
    if (loaded_) {
      Unload();  // the window's close command
    }
    running_ = false;
    if (listener) {
      listener(form_name, ModalEvent::Closed);
    }
  }
  void Unload() override {
    if (!loaded_) {
      return;
    }
    loaded_ = false;
    Call(h_.Unload);
    SetVisible(false);
  }
  bool Loaded() const override { return loaded_; }

 private:
  FormHandlers h_;
  std::string caption_;
  std::vector<std::string> icon_;  // the header line of each image
  bool loaded_ = true;
  bool running_ = false;
};

}  // namespace

std::unique_ptr<UserControlSurface> MakeSurface(State* st, std::int64_t parent,
                                                std::string_view name) {
  return std::make_unique<HSurface>(st, parent, name);
}
std::unique_ptr<TextBox> MakeTextBox(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HTextBox>(st, parent, name);
}
std::unique_ptr<PictureBox> MakePictureBox(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HPictureBox>(st, parent, name);
}
std::unique_ptr<Label> MakeLabel(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HLabel>(st, parent, name);
}
std::unique_ptr<ListBox> MakeListBox(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HListBox>(st, parent, name);
}
std::unique_ptr<CommandButton> MakeCommandButton(State* st, std::int64_t parent,
                                                 std::string_view name) {
  return std::make_unique<HCommandButton>(st, parent, name);
}
std::unique_ptr<LineShape> MakeLine(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HLine>(st, parent, name);
}
std::unique_ptr<ImageBox> MakeImage(State* st, std::int64_t parent, std::string_view name) {
  return std::make_unique<HImage>(st, parent, name);
}
std::unique_ptr<Form> MakeForm(State* st, std::string_view name) {
  return std::make_unique<HForm>(st, name);
}

}  // namespace datewell::headless
