// Injected input: mouse events at screen pixels routed as a window system routes them, and keys
// delivered to the focused text box in the order an edit box raises its events.
//
// Handlers may create, destroy, show or hide widgets while an event is delivered, so after every
// handler call the widgets involved are looked up again by id, never kept by pointer.

#include "platform/headless/internal.h"
#include "platform/headless/text_edit.h"

namespace datewell::headless {
namespace {

bool IsModifier(std::int16_t key_code) {
  return key_code == kKeyShift || key_code == kKeyControl || key_code == kKeyMenu;
}

std::int16_t ModifierBit(std::int16_t key_code) {
  switch (key_code) {
    case kKeyShift:
      return kShiftMask;
    case kKeyControl:
      return kCtrlMask;
    case kKeyMenu:
      return kAltMask;
    default:
      return 0;
  }
}

// The receiver of a mouse event: the capture holder, else what lies under the point. Nothing
// when the receiver under the point does not accept input (disabled).
Node* MouseReceiver(State& s, Point p) {
  if (Node* holder = s.FindWindow(s.capture)) {
    return holder;
  }
  Node* t = s.HitTarget(p);
  if (t == nullptr || !s.InputEnabled(*t)) {
    return nullptr;
  }
  return t;
}

TextBoxNode* AsTextBox(Node* n) {
  return n != nullptr ? dynamic_cast<TextBoxNode*>(n) : nullptr;
}

// The KeyDown of a key: the control's preview first, then the text box.
void DeliverKeyDown(State& s, std::int64_t box, KeyArgs& args) {
  Node* n = s.Find(box);
  for (Node* cur = n; cur != nullptr; cur = cur->parent != 0 ? s.Find(cur->parent) : nullptr) {
    if (cur->kind != NodeKind::Surface) {
      continue;
    }
    if (auto* surface = dynamic_cast<SurfaceNode*>(cur); surface->KeyPreview()) {
      surface->RaisePreviewKeyDown(args);
    }
    break;  // only the box's own control previews its keys
  }
  if (TextBoxNode* tb = AsTextBox(s.Find(box))) {
    tb->RaiseKeyDown(args);
  }
}

// The character of a key: KeyPress, then the edit with what KeyPress left.
void DeliverChar(State& s, std::int64_t box, char32_t c) {
  TextBoxNode* tb = AsTextBox(s.Find(box));
  if (tb == nullptr) {
    return;
  }
  char32_t result = tb->RaiseKeyPress(c);
  if (result == 0) {
    return;  // swallowed
  }
  if ((tb = AsTextBox(s.Find(box))) != nullptr) {
    tb->InsertChar(result);
  }
}

// The focused text box if it takes input, else 0.
std::int64_t KeyTarget(State& s) {
  Node* n = s.Find(s.focus);
  return n != nullptr && s.InputEnabled(*n) ? n->id : 0;
}

}  // namespace

// ---- Mouse ----

std::string HeadlessDesktop::MouseDown(std::int32_t x, std::int32_t y, std::int16_t button,
                                       std::int16_t shift) {
  State& s = *state_;
  Point p{x, y};
  s.cursor = p;
  s.held_buttons = static_cast<std::int16_t>(s.held_buttons | button);
  Node* t = MouseReceiver(s, p);
  s.press_target = t != nullptr ? t->id : 0;
  if (t == nullptr) {
    return {};
  }
  std::int64_t id = t->id;
  std::string name = t->name;
  if (t->kind == NodeKind::TextBox && s.capture == kNoWindow) {
    s.MoveFocus(id);  // a press on a text box gives it the focus before its MouseDown
    if ((t = s.Find(id)) == nullptr) {
      return name;
    }
  }
  MouseArgs a = s.ArgsFor(*t, p, button, static_cast<std::int16_t>(shift | s.held_modifiers));
  t->OnMouseDown(a);
  return name;
}

std::string HeadlessDesktop::MouseUp(std::int32_t x, std::int32_t y, std::int16_t button,
                                     std::int16_t shift) {
  State& s = *state_;
  Point p{x, y};
  s.cursor = p;
  s.held_buttons = static_cast<std::int16_t>(s.held_buttons & ~button);
  std::int64_t pressed = s.press_target;
  s.press_target = 0;
  Node* t = MouseReceiver(s, p);
  if (t == nullptr) {
    return {};
  }
  std::int64_t id = t->id;
  std::string name = t->name;
  MouseArgs a = s.ArgsFor(*t, p, button, static_cast<std::int16_t>(shift | s.held_modifiers));
  t->OnMouseUp(a);
  // Only the left button clicks; a right or middle release gives MouseUp alone.
  if (id == pressed && button == kLeftButton) {
    if (Node* again = s.Find(id)) {
      again->OnClick();  // a release on the widget that was pressed
    }
  }
  return name;
}

std::string HeadlessDesktop::MouseMove(std::int32_t x, std::int32_t y, std::int16_t button,
                                       std::int16_t shift) {
  State& s = *state_;
  Point p{x, y};
  s.cursor = p;
  Node* t = MouseReceiver(s, p);
  if (t == nullptr) {
    return {};
  }
  std::string name = t->name;
  MouseArgs a = s.ArgsFor(*t, p, static_cast<std::int16_t>(button | s.held_buttons),
                          static_cast<std::int16_t>(shift | s.held_modifiers));
  t->OnMouseMove(a);
  return name;
}

std::string HeadlessDesktop::Click(std::int32_t x, std::int32_t y, std::int16_t button) {
  MouseDown(x, y, button);
  return MouseUp(x, y, button);
}

std::string HeadlessDesktop::DoubleClick(std::int32_t x, std::int32_t y) {
  State& s = *state_;
  Click(x, y, kLeftButton);
  // The second press: DblClick where the widget has one (its release then raises no Click),
  // otherwise an ordinary press.
  Point p{x, y};
  s.cursor = p;
  s.held_buttons = static_cast<std::int16_t>(s.held_buttons | kLeftButton);
  Node* t = MouseReceiver(s, p);
  s.press_target = t != nullptr ? t->id : 0;
  if (t == nullptr) {
    MouseUp(x, y, kLeftButton);
    return {};
  }
  std::int64_t id = t->id;
  std::string name = t->name;
  if (t->OnDblClick()) {
    s.press_target = 0;
  } else if ((t = s.Find(id)) != nullptr) {
    MouseArgs a = s.ArgsFor(*t, p, kLeftButton, s.held_modifiers);
    t->OnMouseDown(a);
  }
  MouseUp(x, y, kLeftButton);
  return name;
}

// ---- Keys ----

bool HeadlessDesktop::KeyDown(std::int16_t key_code, std::int16_t shift) {
  State& s = *state_;
  bool modifier = IsModifier(key_code);
  if (modifier) {
    s.held_modifiers = static_cast<std::int16_t>(s.held_modifiers | ModifierBit(key_code));
  }
  std::int64_t box = KeyTarget(s);
  if (box == 0) {
    return false;
  }
  KeyArgs args{key_code, static_cast<std::int16_t>(shift | s.held_modifiers)};
  DeliverKeyDown(s, box, args);
  // The edit acts on the key the handlers left; a KeyCode set to 0 cancels it.
  if (!modifier && args.key_code != 0) {
    if (TextBoxNode* tb = AsTextBox(s.Find(box))) {
      tb->EditKey(args.key_code, args.shift);
    }
  }
  return true;
}

bool HeadlessDesktop::KeyUp(std::int16_t key_code, std::int16_t shift) {
  State& s = *state_;
  if (IsModifier(key_code)) {
    s.held_modifiers = static_cast<std::int16_t>(s.held_modifiers & ~ModifierBit(key_code));
  }
  std::int64_t box = KeyTarget(s);
  if (box == 0) {
    return false;
  }
  KeyArgs args{key_code, static_cast<std::int16_t>(shift | s.held_modifiers)};
  if (TextBoxNode* tb = AsTextBox(s.Find(box))) {
    tb->RaiseKeyUp(args);
  }
  return true;
}

bool HeadlessDesktop::PressKey(std::int16_t key_code, std::int16_t shift) {
  State& s = *state_;
  std::int64_t box = KeyTarget(s);
  if (box == 0) {
    return false;
  }
  if (IsModifier(key_code)) {
    KeyDown(key_code, shift);
    KeyUp(key_code, shift);
    return true;
  }
  auto effective = static_cast<std::int16_t>(shift | s.held_modifiers);
  if (key_code == kKeyReturn) {
    if (Node* button = s.DefaultButtonFor(*s.Find(box))) {
      // Enter with a default button: the button is clicked instead of a KeyPress.
      std::int64_t button_id = button->id;
      KeyDown(key_code, shift);
      if (Node* again = s.Find(button_id)) {
        again->OnClick();
      }
      KeyUp(key_code, shift);
      return true;
    }
  }
  KeyDown(key_code, shift);
  if (auto c = CharForKey(key_code, effective)) {
    DeliverChar(s, box, *c);
  }
  KeyUp(key_code, shift);
  return true;
}

bool HeadlessDesktop::Type(std::string_view utf8) {
  State& s = *state_;
  bool all = true;
  for (char32_t c : DecodeUtf8(utf8)) {
    std::int64_t box = KeyTarget(s);
    if (box == 0) {
      all = false;
      continue;
    }
    KeyStroke key = KeyForChar(c);
    if (key.key_code == kKeyReturn || key.key_code == kKeyBack || key.key_code == kKeyTab ||
        key.key_code == kKeyEscape) {
      PressKey(key.key_code, key.shift);
      continue;
    }
    KeyDown(key.key_code, key.shift);
    DeliverChar(s, box, c);
    KeyUp(key.key_code, key.shift);
  }
  return all;
}

std::int16_t HeadlessDesktop::HeldModifiers() const {
  return state_->held_modifiers;
}

}  // namespace datewell::headless
