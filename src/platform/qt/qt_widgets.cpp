// The constituent widgets over Qt: windowed ones wrap a QWidget each, windowless ones (labels,
// lines, images) are items their container paints and routes the mouse to.

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_colors.h"
#include "platform/qt/qt_internal.h"

namespace datewell::qt_detail {

namespace {

// The link from a Qt widget back to its constituent; cleared when the constituent goes first.
struct OwnerRef {
  WindowBase* owner = nullptr;
};

// Converts a count of Unicode characters into a position in UTF-16 units of text, and back.
int Utf16Index(const QString& text, int code_points) {
  int units = 0;
  for (int i = 0; i < code_points && units < text.size(); ++i) {
    units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
  }
  return units;
}
int CodePointIndex(const QString& text, int units) {
  units = std::clamp(units, 0, static_cast<int>(text.size()));
  int count = 0;
  for (int i = 0; i < units; ++count) {
    i += (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
  }
  return count;
}
int CodePointLength(const QString& text) {
  return CodePointIndex(text, text.size());
}

// ---- Qt widget classes -------------------------------------------------------------------

class CanvasWidget : public QWidget, public OwnerRef {
 public:
  explicit CanvasWidget(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (owner) {
      owner->PaintCanvas(this, e->region());
    }
  }
  void mousePressEvent(QMouseEvent* e) override { Forward(WindowBase::MouseKind::Down, e); }
  void mouseMoveEvent(QMouseEvent* e) override { Forward(WindowBase::MouseKind::Move, e); }
  void mouseReleaseEvent(QMouseEvent* e) override { Forward(WindowBase::MouseKind::Up, e); }
  // A second press that comes quickly is still a press for the control.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Forward(WindowBase::MouseKind::DoubleClick, e);
  }
  void showEvent(QShowEvent* e) override {
    if (owner && !e->spontaneous()) {
      owner->CanvasShown(true);
    }
  }
  // An open pop-up gets the keys in Qt; they belong to the field that keeps the focus.
  void keyPressEvent(QKeyEvent* e) override {
    if (!ForwardKey(e)) {
      QWidget::keyPressEvent(e);
    }
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (!ForwardKey(e)) {
      QWidget::keyReleaseEvent(e);
    }
  }
  // The compositor dismissed the pop-up: the user pressed outside the application. The panel
  // closes as for any press outside, through its own handling.
  void closeEvent(QCloseEvent* e) override {
    if (owner && windowType() == Qt::Popup && isVisible()) {
      e->ignore();
      owner->PressOutside(this);
      return;
    }
    QWidget::closeEvent(e);
  }
  void hideEvent(QHideEvent* e) override {
    if (owner && !e->spontaneous()) {
      owner->CanvasShown(false);
    }
  }

 private:
  bool ForwardKey(QKeyEvent* e) {
    QWidget* field = QApplication::focusWidget();
    if (windowType() != Qt::Popup || !field || field == this) {
      return false;
    }
    QCoreApplication::sendEvent(field, e);
    return true;
  }
  void Forward(WindowBase::MouseKind kind, QMouseEvent* e) {
    // Qt hands a release to the window that took the press even after that window was hidden
    // (a day picked, Today); a hidden window gets no input.
    if (owner && isVisible()) {
      owner->CanvasMouse(kind, *e, e->position().toPoint());
    }
  }
};

class FormWidget : public QDialog, public OwnerRef {
 public:
  std::function<void()> on_close;  // the window's close command

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (owner) {
      owner->PaintCanvas(this, e->region());
    }
  }
  void closeEvent(QCloseEvent* e) override {
    if (on_close) {
      on_close();
    }
    QDialog::closeEvent(e);
  }
  // Escape closes nothing: a form closes by its buttons and its window's close command, and a
  // host's form does not go away because Escape was pressed in a field on it.
  void reject() override {}
  void mousePressEvent(QMouseEvent* e) override {
    if (owner) {
      owner->CanvasMouse(WindowBase::MouseKind::Down, *e, e->position().toPoint());
    }
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (owner) {
      owner->CanvasMouse(WindowBase::MouseKind::Up, *e, e->position().toPoint());
    }
  }
};

class QtTextBox;

class LineEditWidget : public QLineEdit, public OwnerRef {
 public:
  explicit LineEditWidget(QWidget* parent) : QLineEdit(parent) {}
  void BaseKeyPress(QKeyEvent* e) { QLineEdit::keyPressEvent(e); }
  void BaseFocusIn(QFocusEvent* e) { QLineEdit::focusInEvent(e); }
  void BaseFocusOut(QFocusEvent* e) { QLineEdit::focusOutEvent(e); }

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
};

class ListWidget : public QListWidget, public OwnerRef {
 public:
  explicit ListWidget(QWidget* parent) : QListWidget(parent) {}
  std::function<void(QMouseEvent*)> on_move;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override {
    if (on_move) {
      on_move(e);
    }
    QListWidget::mouseMoveEvent(e);
  }
};

class ButtonWidget : public QPushButton, public OwnerRef {
 public:
  explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {}
};

}  // namespace

WindowBase* OwnerOf(const QObject* object) {
  const auto* ref = dynamic_cast<const OwnerRef*>(object);
  return ref ? ref->owner : nullptr;
}

namespace {

// ---- Contract widgets ----------------------------------------------------------------------

// The members every windowed constituent shares.
template <class Iface>
class Windowed : public Iface, public WindowBase {
 public:
  Windowed(std::shared_ptr<DesktopState> state, Kind kind, std::string_view name, QWidget* widget,
           Hwnd parent)
      : WindowBase(std::move(state), kind, name, widget, parent) {}
  std::string_view Name() const override { return name_; }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return width_; }
  float Height() const override { return height_; }
  void SetLeft(float twips) override {
    left_ = twips;
    positioned_ = true;
    ApplyGeometry();
  }
  void SetTop(float twips) override {
    top_ = twips;
    positioned_ = true;
    ApplyGeometry();
  }
  void SetWidth(float twips) override {
    width_ = twips;
    ApplyGeometry();
  }
  void SetHeight(float twips) override {
    height_ = twips;
    ApplyGeometry();
  }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override {
    visible_ = visible;
    ApplyVisible();
  }
  int TabIndex() const override { return tab_index_; }
  void SetTabIndex(int index) override { tab_index_ = index; }
  Hwnd hWnd() const override { return hwnd_; }
};

// The control's own surface inside the host's container.
class QtSurface final : public Windowed<UserControlSurface> {
 public:
  QtSurface(std::shared_ptr<DesktopState> state, QWidget* container, Hwnd container_handle,
            std::string_view name)
      : Windowed(std::move(state), Kind::Surface, name, new CanvasWidget(container),
                 container_handle) {
    static_cast<CanvasWidget*>(widget())->owner = this;
    widget()->setFocusPolicy(Qt::NoFocus);
    // The surface appears when its host shows it, so that the control's shown handler runs
    // then (and not already while the control is being built, before it has handlers).
    visible_ = false;
    widget()->hide();
  }
  void SetHandlers(SurfaceHandlers handlers) override { handlers_ = std::move(handlers); }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (widget()) {
      widget()->setEnabled(enabled);
    }
  }
  OleColor BackColor() const override { return back_color_; }
  void SetBackColor(OleColor color) override {
    back_color_ = color;
    UpdateCanvas();
  }
  void Refresh() override {
    if (widget() && widget()->isVisible()) {
      widget()->repaint();
    } else {
      RunPaintHandler();
    }
  }
  void Size(float width, float height) override {
    const bool changed = width != width_ || height != height_;
    width_ = width;
    height_ = height;
    ApplyGeometry();
    if (changed && handlers_.Resize) {
      handlers_.Resize();
    }
  }
  void SetWidth(float twips) override { Size(twips, height_); }
  void SetHeight(float twips) override { Size(width_, twips); }
  Hdc hDC() const override { return hwnd_; }
  void SetKeyPreview(bool on) override { key_preview_ = on; }

  bool KeyPreview() const { return key_preview_; }
  const SurfaceHandlers& handlers() const { return handlers_; }

  OleColor CanvasBackColor() const override { return back_color_; }
  void RunPaintHandler() override {
    if (handlers_.Paint) {
      handlers_.Paint();
    }
  }
  void CanvasMouse(MouseKind kind, const QMouseEvent& e, QPoint local) override {
    MouseArgs args = MouseArgsOf(state(), e, local);
    if ((kind == MouseKind::Down || kind == MouseKind::DoubleClick) && handlers_.MouseDown) {
      handlers_.MouseDown(args);
    } else if (kind == MouseKind::Up && handlers_.MouseUp) {
      handlers_.MouseUp(args);
    }
  }
  void CanvasShown(bool shown) override {
    if (shown) {
      for (QLineEdit* field : widget()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        AccessibleFieldName(field);
      }
    }
    if (shown && handlers_.Show) {
      handlers_.Show();
    } else if (!shown && handlers_.Hide) {
      handlers_.Hide();
    }
  }

 private:
  SurfaceHandlers handlers_;
  bool enabled_ = true;
  OleColor back_color_ = 0x8000000Fu;  // button face
  bool key_preview_ = false;
};

class QtTextBox final : public Windowed<TextBox> {
 public:
  QtTextBox(std::shared_ptr<DesktopState> state, WindowBase& parent, std::string_view name)
      : Windowed(std::move(state), Kind::TextBox, name, new LineEditWidget(parent.widget()),
                 parent.handle()),
        font_(std::make_shared<datewell::Font>()) {
    edit()->owner = this;
    edit()->setFrame(false);
    edit()->setFocusPolicy(Qt::StrongFocus);
    last_text_ = edit()->text();
    QObject::connect(edit(), &QLineEdit::textChanged, edit(),
                     [this](const QString& text) { TextChanged(text); });
    ApplyFont();
    ApplyColors();
    edit()->show();
  }

  LineEditWidget* edit() const { return static_cast<LineEditWidget*>(widget()); }

  void SetHandlers(TextBoxHandlers handlers) override { handlers_ = std::move(handlers); }
  std::string Text() const override { return ToStd(last_text_); }
  void SetText(std::string_view text) override {
    const QString q = ToQString(text);
    // The same text is no change: the caret and the selection stay where they are.
    if (edit() && q != edit()->text()) {
      edit()->setText(q);
      edit()->setCursorPosition(0);  // a new text starts with the caret at its start
    }
  }
  int SelStart() const override {
    if (!edit()) {
      return 0;
    }
    const int units =
        edit()->hasSelectedText() ? edit()->selectionStart() : edit()->cursorPosition();
    return CodePointIndex(edit()->text(), units);
  }
  void SetSelStart(int start) override {
    if (!edit()) {
      return;
    }
    const QString text = edit()->text();
    start = std::clamp(start, 0, CodePointLength(text));
    edit()->setCursorPosition(Utf16Index(text, start));
  }
  int SelLength() const override { return edit() ? CodePointLength(edit()->selectedText()) : 0; }
  void SetSelLength(int length) override {
    if (!edit()) {
      return;
    }
    const QString text = edit()->text();
    const int start = SelStart();
    length = std::clamp(length, 0, CodePointLength(text) - start);
    const int from = Utf16Index(text, start);
    edit()->setSelection(from, Utf16Index(text, start + length) - from);
  }
  std::string SelText() const override { return edit() ? ToStd(edit()->selectedText()) : ""; }
  void SetSelText(std::string_view text) override {
    if (edit()) {
      edit()->insert(ToQString(text));
    }
  }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef font) override {
    if (font) {
      font_ = std::move(font);
      ApplyFont();
    }
  }
  // The attribute members of the contract change the shared font object; show the change.
  void FontChanged() override { ApplyFont(); }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor color) override {
    fore_ = color;
    ApplyColors();
  }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor color) override {
    back_ = color;
    ApplyColors();
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (edit()) {
      edit()->setEnabled(enabled);
    }
  }
  std::string ToolTipText() const override { return tool_tip_; }
  void SetToolTipText(std::string_view text) override {
    tool_tip_ = std::string(text);
    if (edit()) {
      edit()->setToolTip(ToQString(text));
    }
  }
  std::int32_t WhatsThisHelpID() const override { return help_id_; }
  void SetWhatsThisHelpID(std::int32_t id) override { help_id_ = id; }
  void SetBorderStyle(int style) override {
    if (edit()) {
      edit()->setFrame(style != 0);
    }
  }
  void SetFocus() override {
    QWidget* w = edit();
    if (!w) {
      return;
    }
    QWidget* window = w->window();
    if (!window->isActiveWindow()) {
      window->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
      if (!window->isActiveWindow()) {
        QApplication::setActiveWindow(window);
      }
#endif
    }
    w->setFocus(Qt::OtherFocusReason);
  }
  bool HasFocus() const override {
    return has_focus_;
  }

  // ---- From the line edit ----
  void OnKeyPress(QKeyEvent* e) {
    QPointer<LineEditWidget> guard = edit();
    if (!enabled_) {
      return;
    }
    const int qt_key = e->key();
    KeyArgs args{qtgeom::VirtualKeyFromQt(qt_key), ShiftOf(e->modifiers())};
    if (WindowBase* top = TopWindow(); top && top != this) {
      if (auto* surface = dynamic_cast<QtSurface*>(top);
          surface && surface->KeyPreview() && surface->handlers().KeyDown) {
        surface->handlers().KeyDown(args);
      }
    }
    if (!guard) {
      return;
    }
    if (handlers_.KeyDown) {
      handlers_.KeyDown(args);
    }
    if (!guard) {
      return;
    }
    if ((qt_key == Qt::Key_Return || qt_key == Qt::Key_Enter) &&
        ClickDefaultButton(state(), state().TopOf(hwnd_))) {
      return;
    }
    if (qt_key == Qt::Key_Shift || qt_key == Qt::Key_Control || qt_key == Qt::Key_Alt ||
        qt_key == Qt::Key_AltGr || qt_key == Qt::Key_Meta) {
      return;  // modifiers are keys of their own: no character
    }
    const QString text = e->text();
    // Delete types no character, though X11 gives it the text DEL.
    if (!text.isEmpty() && text.at(0) != QChar(0x7F)) {
      const char32_t cp = text.toUcs4().value(0);
      KeyPressArgs press{qtgeom::KeyAsciiFromCodePoint(cp)};
      const std::int16_t before = press.key_ascii;
      if (before != 0 && handlers_.KeyPress) {
        handlers_.KeyPress(press);
        if (!guard) {
          return;
        }
        if (press.key_ascii == 0) {
          return;  // swallowed
        }
        if (press.key_ascii != before) {
          const char32_t replaced = static_cast<char16_t>(press.key_ascii);
          if (replaced >= 32) {
            edit()->insert(QString::fromUcs4(&replaced, 1));
          }
          return;
        }
      }
    }
    edit()->BaseKeyPress(e);
  }
  void OnKeyRelease(QKeyEvent* e) {
    if (!enabled_ || e->isAutoRepeat()) {
      return;
    }
    KeyArgs args{qtgeom::VirtualKeyFromQt(e->key()), ShiftOf(e->modifiers())};
    if (handlers_.KeyUp) {
      handlers_.KeyUp(args);
    }
  }
  void OnFocusIn(QFocusEvent* e) {
    edit()->BaseFocusIn(e);
    if (parked_ && e->reason() == Qt::ActiveWindowFocusReason) {
      parked_ = false;  // back from a pop-up that the platform activated: no new focus
      return;
    }
    parked_ = false;
    if (has_focus_) {
      return;
    }
    has_focus_ = true;
    focused_by_mouse_ = e->reason() == Qt::MouseFocusReason;
    if (handlers_.GotFocus) {
      handlers_.GotFocus();
    }
  }
  void OnFocusOut(QFocusEvent* e) {
    if (e->reason() == Qt::PopupFocusReason && state().IsPopup(QApplication::activePopupWidget())) {
      return;  // a pop-up of ours opened: the field keeps the focus and its caret
    }
    edit()->BaseFocusOut(e);
    if (e->reason() == Qt::ActiveWindowFocusReason &&
        state().IsPopup(QApplication::activeWindow())) {
      // A pop-up of ours was activated by the platform; the field keeps the focus.
      parked_ = true;
      return;
    }
    if (!has_focus_) {
      return;
    }
    has_focus_ = false;
    if (handlers_.LostFocus) {
      handlers_.LostFocus();
    }
  }
  // Runs the MouseDown handler; true when the press must leave the selection as it is.
  bool OnMousePress(QMouseEvent* e) {
    QPointer<LineEditWidget> guard = edit();
    pressed_ = true;
    const bool focused_by_this_press = focused_by_mouse_;
    focused_by_mouse_ = false;
    const int start = SelStart(), length = SelLength();
    MouseArgs args = MouseArgsOf(state(), *e, e->position().toPoint());
    if (handlers_.MouseDown) {
      handlers_.MouseDown(args);
    }
    if (!guard) {
      return true;
    }
    return focused_by_this_press || SelStart() != start || SelLength() != length;
  }
  void OnMouseRelease(QMouseEvent* e) {
    const bool inside = edit() && edit()->rect().contains(e->position().toPoint());
    if (pressed_ && inside && handlers_.Click) {
      pressed_ = false;
      handlers_.Click();
    }
    pressed_ = false;
  }
  void OnDoubleClick() {
    if (handlers_.DblClick) {
      handlers_.DblClick();
    }
  }

 private:
  WindowBase* TopWindow() const {
    const Entry* e = state().Find(state().TopOf(hwnd_));
    return e ? e->window : nullptr;
  }
  void TextChanged(const QString& text) {
    if (text == last_text_) {
      return;
    }
    last_text_ = text;
    if (handlers_.Change) {
      handlers_.Change();
    }
  }
  // Only a font other than the one the field shows is applied: setting a font lays the field's
  // text out again, and a new control's settings change the font several times over. While the
  // field is not on the screen the font waits until it shows (or is painted, focused or handed
  // out), so that a new control lays its text out in its font once.
  void ApplyFont() {
    if (!edit() || (applied_font_ && *applied_font_ == *font_)) {
      font_pending_ = false;
      return;
    }
    font_pending_ = true;
    if (edit()->isVisible()) {
      Settle();
    }
  }

 public:
  // The field's widget is about to be used as it is: the waiting font goes in.
  void Settle() override {
    if (font_pending_ && edit()) {
      font_pending_ = false;
      applied_font_ = *font_;
      edit()->setFont(ToQFont(*font_));
    }
  }

 private:
  // Likewise colours the field's palette already has are not set again.
  void ApplyColors() {
    if (!edit()) {
      return;
    }
    const QColor text = ToQColor(fore_), base = ToQColor(back_);
    QPalette pal = edit()->palette();
    if (pal.color(QPalette::Text) == text && pal.color(QPalette::Base) == base) {
      return;
    }
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Base, base);
    edit()->setPalette(pal);
  }

  TextBoxHandlers handlers_;
  FontRef font_;
  std::optional<datewell::Font> applied_font_;
  bool font_pending_ = false;
  QString last_text_;
  OleColor fore_ = kColorWindowText;
  OleColor back_ = kColorWindowBackground;
  bool enabled_ = true;
  std::string tool_tip_;
  std::int32_t help_id_ = 0;
  bool has_focus_ = false;
  bool parked_ = false;
  bool pressed_ = false;
  bool focused_by_mouse_ = false;  // the focus came with a press not yet delivered
};

bool LineEditWidget::event(QEvent* e) {
  // Before it shows, is painted or takes the focus, the field takes its waiting font.
  switch (e->type()) {
    case QEvent::Show:
    case QEvent::Paint:
    case QEvent::FocusIn:
      if (owner) {
        owner->Settle();
      }
      break;
    default:
      break;
  }
  return QLineEdit::event(e);
}

void LineEditWidget::keyPressEvent(QKeyEvent* e) {
  if (owner) {
    static_cast<QtTextBox*>(owner)->OnKeyPress(e);
  } else {
    QLineEdit::keyPressEvent(e);
  }
}
void LineEditWidget::keyReleaseEvent(QKeyEvent* e) {
  QLineEdit::keyReleaseEvent(e);
  if (owner) {
    static_cast<QtTextBox*>(owner)->OnKeyRelease(e);
  }
}
void LineEditWidget::focusInEvent(QFocusEvent* e) {
  AccessibleFieldName(this);
  if (owner) {
    static_cast<QtTextBox*>(owner)->OnFocusIn(e);
  } else {
    QLineEdit::focusInEvent(e);
  }
}
void LineEditWidget::focusOutEvent(QFocusEvent* e) {
  if (owner) {
    static_cast<QtTextBox*>(owner)->OnFocusOut(e);
  } else {
    QLineEdit::focusOutEvent(e);
  }
}
void LineEditWidget::mousePressEvent(QMouseEvent* e) {
  QPointer<LineEditWidget> guard = this;
  // The control's MouseDown runs first. The press places the caret as usual unless it just
  // gave the field the focus or the control changed the selection: then the selection the
  // control made stays (a click into the field selects it all, a further click places the
  // caret).
  const bool keep_selection = !owner || static_cast<QtTextBox*>(owner)->OnMousePress(e);
  if (guard && !keep_selection) {
    QLineEdit::mousePressEvent(e);
  }
}
void LineEditWidget::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<LineEditWidget> guard = this;
  QLineEdit::mouseReleaseEvent(e);
  if (guard && owner) {
    static_cast<QtTextBox*>(owner)->OnMouseRelease(e);
  }
}
void LineEditWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  QPointer<LineEditWidget> guard = this;
  QLineEdit::mouseDoubleClickEvent(e);
  if (guard && owner) {
    static_cast<QtTextBox*>(owner)->OnDoubleClick();
  }
}

class QtPictureBox final : public Windowed<PictureBox> {
 public:
  QtPictureBox(std::shared_ptr<DesktopState> state, WindowBase& parent, std::string_view name)
      : Windowed(std::move(state), Kind::PictureBox, name, nullptr, parent.handle()) {}
  void CanvasShown(bool shown) override { AccessiblePanelShown(*this, shown); }
  void SetHandlers(PictureBoxHandlers handlers) override { handlers_ = std::move(handlers); }
  Hdc hDC() const override { return hwnd_; }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor color) override { fore_ = color; }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor color) override {
    back_ = color;
    UpdateCanvas();
  }
  void SetBorderStyle(int style) override {
    border_ = style;
    UpdateCanvas();
  }
  float CurrentX() const override { return current_x_; }
  float CurrentY() const override { return current_y_; }
  void SetCurrentX(float twips) override { current_x_ = twips; }
  void SetCurrentY(float twips) override { current_y_ = twips; }
  void Line(float x1, float y1, float x2, float y2) override {
    current_x_ = x2;
    current_y_ = y2;
    const float tx = state().TppX(), ty = state().TppY();
    const auto line = qtgeom::LineWithoutEnd(qtgeom::ToPixels(x1, tx), qtgeom::ToPixels(y1, ty),
                                             qtgeom::ToPixels(x2, tx), qtgeom::ToPixels(y2, ty));
    QtDrawCall call;
    call.kind = QtDrawCall::Kind::Line;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.color = fore_;
    Record(state(), hwnd_, call);
    const auto where = [&] {
      return line ? QRegion(
                        QRect(QPoint(line->x1, line->y1), QPoint(line->x2, line->y2)).normalized())
                  : QRegion();
    };
    WithPainter(state(), hwnd_, where, [&](QPainter& p) {
      if (!line) {
        return;
      }
      // The panel's arrows are strokes on its background.
      const QPalette pal = QApplication::palette();
      const QColor behind = qtcolor::Drawn(back_, qtcolor::Ink::Fill, pal, {});
      DrawPixelLine(p, QPoint(line->x1, line->y1), QPoint(line->x2, line->y2),
                    qtcolor::Drawn(fore_, qtcolor::Ink::Stroke, pal, behind));
    });
  }
  void Refresh() override {
    if (widget() && widget()->isVisible()) {
      widget()->repaint();
    } else {
      RunPaintHandler();
    }
  }

  OleColor CanvasBackColor() const override { return back_; }
  void RunPaintHandler() override {
    if (handlers_.Paint) {
      handlers_.Paint();
    }
  }
  void CanvasMouse(MouseKind kind, const QMouseEvent& e, QPoint local) override {
    MouseArgs args = MouseArgsOf(state(), e, local);
    const bool captured = state().HoldsMouse(hwnd_, widget());
    if (!captured) {
      ItemBase* item = (kind == MouseKind::Up && pressed_item_) ? pressed_item_ : ItemAt(local);
      if (item) {
        args.x -= item->left_;
        args.y -= item->top_;
        item->Mouse(kind, args);
        if (kind == MouseKind::Down || kind == MouseKind::DoubleClick) {
          pressed_item_ = item;
        } else if (kind == MouseKind::Up) {
          const bool same = pressed_item_ == item && ItemAt(local) == item;
          pressed_item_ = nullptr;
          if (same) {
            item->ItemClick();
          }
        }
        return;
      }
    }
    switch (kind) {
      case MouseKind::Down:
      case MouseKind::DoubleClick:
        if (handlers_.MouseDown) {
          handlers_.MouseDown(args);
        }
        break;
      case MouseKind::Move:
        if (handlers_.MouseMove) {
          handlers_.MouseMove(args);
        }
        break;
      case MouseKind::Up:
        if (handlers_.MouseUp) {
          handlers_.MouseUp(args);
        }
        break;
    }
  }
  int BorderStyle() const { return border_; }

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    auto* w = new CanvasWidget(parent);
    w->owner = this;
    w->setFocusPolicy(Qt::NoFocus);
    w->setMouseTracking(true);
    return w;
  }

 private:
  PictureBoxHandlers handlers_;
  OleColor fore_ = kColorWindowText;
  OleColor back_ = kColorWindowBackground;
  int border_ = 0;
  float current_x_ = 0, current_y_ = 0;
};

class QtListBox final : public Windowed<ListBox> {
 public:
  QtListBox(std::shared_ptr<DesktopState> state, WindowBase& parent, std::string_view name)
      : Windowed(std::move(state), Kind::ListBox, name, nullptr, parent.handle()) {}
  ListWidget* list() const { return static_cast<ListWidget*>(widget()); }
  void SetHandlers(ListBoxHandlers handlers) override { handlers_ = std::move(handlers); }
  void Clear() override {
    items_.clear();
    index_ = -1;
    if (list()) {
      list()->clear();
    }
  }
  void AddItem(std::string_view text) override {
    items_.emplace_back(text);
    if (list()) {
      AddToWidget(items_.back());
    }
  }
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::string List(int index) const override {
    if (index < 0 || index >= ListCount()) {
      return {};
    }
    return items_[static_cast<std::size_t>(index)];
  }
  // The widget's current row once there is one: the user may have moved it.
  int ListIndex() const override {
    if (realised()) {
      return list() ? list()->currentRow() : -1;
    }
    return index_;
  }
  // An index outside the items is ignored (the highlight stays where it is).
  void SetListIndex(int index) override {
    if (index < -1 || index >= ListCount() || (realised() && !list())) {
      return;
    }
    index_ = index;
    if (list()) {
      list()->setCurrentRow(index);
      if (index >= 0) {
        list()->scrollToItem(list()->item(index));
      }
    }
  }
  void SetHeight(float twips) override {
    height_ = twips;
    ApplyGeometry();
    for (int i = 0; list() && i < list()->count(); ++i) {
      list()->item(i)->setSizeHint(QSize(0, RowHeight()));
    }
  }

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    auto* l = new ListWidget(parent);
    l->owner = this;
    l->setFocusPolicy(Qt::NoFocus);
    l->setMouseTracking(true);
    l->setUniformItemSizes(true);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    l->setLineWidth(1);
    l->setTextElideMode(Qt::ElideNone);
    l->on_move = [this](QMouseEvent* e) {
      if (!handlers_.MouseMove || !list()) {
        return;
      }
      const QPoint local = list()->viewport()->mapTo(list(), e->position().toPoint());
      MouseArgs args = MouseArgsOf(this->state(), *e, local);
      handlers_.MouseMove(args);
    };
    return l;
  }
  // Placed: the items go in, sized and fitted to its width, and the highlight with them.
  void Realised() override {
    for (const std::string& text : items_) {
      AddToWidget(text);
    }
    if (index_ >= 0) {
      list()->setCurrentRow(index_);
      list()->scrollToItem(list()->item(index_));
    }
  }

 private:
  void AddToWidget(const std::string& text) {
    auto* item = new QListWidgetItem(ToQString(text));
    item->setSizeHint(QSize(0, RowHeight()));
    list()->addItem(item);
    FitFont(item->text());
  }
  // Narrows the font until the text fits the list's width (toolkit fonts run wider than the
  // ones the design width was made for).
  void FitFont(const QString& text) {
    QFont font = list()->font();
    const int room = list()->width() - 2 * list()->frameWidth() - 4;
    while (room > 0 && font.pointSizeF() > 6.0 &&
           QFontMetrics(font).horizontalAdvance(text) > room) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    if (font != list()->font()) {
      list()->setFont(font);
    }
  }
  // Seven rows fill the list, the bands the month list is read by.
  int RowHeight() const {
    const int inner = qtgeom::ToPixels(height_, state().TppY()) - 2;
    return qtgeom::ItemHeightFor(inner, std::max(7, ListCount() + 1));
  }
  ListBoxHandlers handlers_;
  std::vector<std::string> items_;
  int index_ = -1;
};

class QtButton final : public Windowed<CommandButton> {
 public:
  QtButton(std::shared_ptr<DesktopState> state, WindowBase& parent, std::string_view name)
      : Windowed(std::move(state), Kind::Button, name, nullptr, parent.handle()) {
    const Entry* top = this->state().Find(this->state().TopOf(hwnd_));
    in_form_ = top && top->kind == Kind::Form;
  }
  ButtonWidget* button() const { return static_cast<ButtonWidget*>(widget()); }
  void SetHandlers(CommandButtonHandlers handlers) override { handlers_ = std::move(handlers); }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view text) override {
    caption_ = std::string(text);
    if (button()) {
      button()->setText(ToQString(text));
    }
  }
  bool Default() const override { return default_; }
  void SetDefault(bool is_default) override {
    default_ = is_default;
    if (button() && in_form_) {
      button()->setDefault(is_default);
    }
  }
  void Click() {
    if (handlers_.Click) {
      handlers_.Click();
    }
  }
  // As the widget would tell: enabled when every window above it is.
  bool Enabled() const {
    if (realised()) {
      return button() && button()->isEnabled();
    }
    const Entry* e = state().Find(state().Find(hwnd_)->parent);
    for (int guard = 0; e && guard < 64; ++guard) {
      if (e->widget) {
        return e->widget->isEnabled();
      }
      e = state().Find(e->parent);
    }
    return true;
  }

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    auto* b = new ButtonWidget(parent);
    b->owner = this;
    b->setFocusPolicy(in_form_ ? Qt::StrongFocus : Qt::NoFocus);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [this] { Click(); });
    b->setText(ToQString(caption_));
    if (in_form_) {
      b->setDefault(default_);
    }
    return b;
  }

 private:
  CommandButtonHandlers handlers_;
  std::string caption_;
  bool default_ = false;
  bool in_form_ = false;
};

class QtForm final : public Windowed<Form> {
 public:
  QtForm(std::shared_ptr<DesktopState> state, std::string_view name, bool container)
      : Windowed(std::move(state), container ? Kind::Container : Kind::Form, name, new FormWidget(),
                 kDesktopHandle) {
    form()->owner = this;
    form()->setObjectName(ToQString(name));
    form()->on_close = [this] { Unload(); };
    if (container) {
      form()->setWindowFlags(Qt::Window);
    }
    visible_ = false;
    positioned_ = container;
  }
  FormWidget* form() const { return static_cast<FormWidget*>(widget()); }
  void SetHandlers(FormHandlers handlers) override { handlers_ = std::move(handlers); }
  void SetCaption(std::string_view caption) override {
    caption_ = std::string(caption);
    if (form()) {
      form()->setWindowTitle(ToQString(caption));
    }
  }
  std::string Caption() const override { return caption_; }
  void SetClientSize(float width, float height) override {
    width_ = width;
    height_ = height;
    ApplyGeometry();
  }
  void SetIcon(std::span<const XpmImage> images) override {
    if (!form()) {
      return;
    }
    QIcon icon;
    for (const XpmImage image : images) {
      if (!image.empty()) {
        icon.addPixmap(QPixmap(image.data()));
      }
    }
    form()->setWindowIcon(icon);
  }
  void ShowModal() override {
    if (!form()) {
      return;
    }
    loaded_ = true;
    visible_ = true;
    // Over the window the user works in, as a dialog of it (the window system centres it there).
    if (!form()->parentWidget()) {
      if (QWidget* active = QApplication::activeWindow(); active && active != form()) {
        form()->setParent(active, form()->windowFlags());
      }
    }
    QPointer<FormWidget> guard = form();
    guard->exec();
    visible_ = false;
  }
  void Unload() override {
    if (!loaded_) {
      return;
    }
    loaded_ = false;
    if (handlers_.Unload) {
      handlers_.Unload();
    }
    visible_ = false;
    if (form() && form()->isVisible()) {
      form()->done(QDialog::Rejected);
    }
  }
  bool Loaded() const override { return loaded_; }
  OleColor CanvasBackColor() const override { return 0x8000000Fu; }
  void CanvasMouse(MouseKind kind, const QMouseEvent& e, QPoint local) override {
    MouseArgs args = MouseArgsOf(state(), e, local);
    ItemBase* item = (kind == MouseKind::Up && pressed_item_) ? pressed_item_ : ItemAt(local);
    if (!item) {
      return;
    }
    args.x -= item->left_;
    args.y -= item->top_;
    item->Mouse(kind, args);
    if (kind == MouseKind::Down) {
      pressed_item_ = item;
    } else if (kind == MouseKind::Up) {
      const bool same = pressed_item_ == item && ItemAt(local) == item;
      pressed_item_ = nullptr;
      if (same) {
        item->ItemClick();
      }
    }
  }

 private:
  FormHandlers handlers_;
  std::string caption_;
  bool loaded_ = true;
};

// ---- Windowless items ------------------------------------------------------------------------

// The members every windowless item shares; a change repaints the container.
template <class Iface>
class Windowless : public Iface, public ItemBase {
 public:
  using ItemBase::ItemBase;
  std::string_view Name() const override { return name_; }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return width_; }
  float Height() const override { return height_; }
  // A move repaints where the item was and where it is.
  void SetLeft(float t) override { Move(left_, t); }
  void SetTop(float t) override { Move(top_, t); }
  void SetWidth(float t) override { Move(width_, t); }
  void SetHeight(float t) override { Move(height_, t); }
  bool Visible() const override { return visible_; }
  void SetVisible(bool v) override { Set(visible_, v); }
  int TabIndex() const override { return tab_index_; }
  void SetTabIndex(int index) override { tab_index_ = index; }
  Hwnd hWnd() const override { return kNoWindow; }

 protected:
  // Repaints only when the value really changes.
  template <typename T>
  void Set(T& field, T value) {
    if (field != value) {
      field = std::move(value);
      Changed();
    }
  }
  void Move(float& field, float value) {
    if (field != value) {
      Changed();
      field = value;
      Changed();
    }
  }
};

class QtLabel final : public Windowless<Label> {
 public:
  using Windowless::Windowless;

  // Most labels answer a click only (the day cells): the mouse handlers take room only when set.
  void SetHandlers(LabelHandlers handlers) override {
    click_ = std::move(handlers.Click);
    if (handlers.MouseDown || handlers.MouseMove || handlers.MouseUp) {
      mouse_ = std::make_unique<LabelHandlers>(std::move(handlers));
    } else {
      mouse_.reset();
    }
  }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view text) override {
    if (caption_ != text) {
      caption_.assign(text);
      Changed();
      AccessibleCaptionChanged(*this);
    }
  }
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view text) override { tag_.assign(text); }
  bool FontBold() const override { return bold_; }
  void SetFontBold(bool on) override { Set(bold_, on); }
  void SetFont(const datewell::Font& font) override {
    own_font_ = std::make_unique<datewell::Font>(font);
    bold_ = font.bold;
    Changed();
  }
  OleColor ForeColor() const override { return fore_; }
  void SetForeColor(OleColor color) override { Set(fore_, color); }
  OleColor BackColor() const override { return back_; }
  void SetBackColor(OleColor color) override {
    const bool was = HighlightLook(back_, border_);
    Set(back_, color);
    Selected(was);
  }
  int BackStyle() const override { return back_style_; }
  void SetBackStyle(int style) override { Set(back_style_, static_cast<std::int8_t>(style)); }
  int BorderStyle() const override { return border_; }
  void SetBorderStyle(int style) override {
    const bool was = HighlightLook(back_, border_);
    Set(border_, static_cast<std::int8_t>(style));
    Selected(was);
  }
  int Alignment() const override { return alignment_; }
  void SetAlignment(int alignment) override {
    Set(alignment_, static_cast<std::int8_t>(alignment));
  }

  void Paint(QPainter& p, const Scale& scale) override {
    if (!visible_ || !container_) {
      return;
    }
    const QRect r = PixelRect(scale);
    const QPalette pal = QApplication::palette();
    const QColor behind =
        qtcolor::Drawn(back_style_ == kBackOpaque ? back_ : container_->CanvasBackColor(),
                       qtcolor::Ink::Fill, pal, {});
    if (back_style_ == kBackOpaque) {
      p.fillRect(r, behind);
    }
    if (border_ == kBorderFixedSingle) {
      p.setPen(QPen(qtcolor::Drawn(0, qtcolor::Ink::Stroke, pal, behind), 0));
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    // Every label starts from its container's font (or its own), whatever the label painted
    // before it left in the painter.
    const QFont base = p.font();
    QFont font = own_font_ ? ToQFont(*own_font_) : base;
    font.setBold(bold_);
    TextCache& texts = container_->state().texts;
    // A label with room for several lines wraps its caption at word breaks, as a form's labels
    // do (the About box's title). A one-line caption wider than its label (the toolkit's fonts
    // run wider than the ones the design sizes were made for) is drawn a little smaller instead,
    // so that it stays inside.
    const QString text = ToQString(caption_);
    const bool wraps = r.height() >= 2 * texts.Height(font);
    while (!wraps && font.pointSizeF() > 6.0 && texts.Advance(font, text) > r.width()) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    p.setPen(qtcolor::Drawn(fore_, qtcolor::Ink::Text, pal, behind));
    const int h = alignment_ == kAlignRight    ? Qt::AlignRight
                  : alignment_ == kAlignCenter ? Qt::AlignHCenter
                                               : Qt::AlignLeft;
    QRect text_rect = border_ == kBorderFixedSingle ? r.adjusted(1, 0, -1, 0) : r;
    if (!wraps) {
      // One line sits with its digits' ink in the middle of the label, whatever the font's
      // leading: the day cells are a box around their number once highlighted.
      const TextCache::Ink ink = texts.DigitInk(font);
      text_rect.moveTop(r.top() + (r.height() - ink.height) / 2 - ink.top);
    }
    if (wraps || own_font_ || text.isEmpty() || p.layoutDirection() != Qt::LeftToRight) {
      p.setFont(font);
      const int lines = wraps ? Qt::TextWordWrap : (Qt::TextSingleLine | Qt::TextDontClip);
      p.drawText(text_rect, h | Qt::AlignTop | lines, text);
      p.setFont(base);
      return;
    }
    // The kept layout, placed as drawText places one line.
    const TextCache::Line& line = texts.Layout(font, p.device(), text);
    const qreal room = text_rect.width();
    const qreal x = h == Qt::AlignRight     ? room - line.advance
                    : h == Qt::AlignHCenter ? (room - line.advance) / 2
                                            : 0;
    line.layout->draw(&p, QPointF(text_rect.x() + x, text_rect.y()));
  }
  void Mouse(WindowBase::MouseKind kind, MouseArgs& args) override {
    if (!mouse_) {
      return;
    }
    switch (kind) {
      case WindowBase::MouseKind::Down:
      case WindowBase::MouseKind::DoubleClick:
        if (mouse_->MouseDown) {
          mouse_->MouseDown(args);
        }
        break;
      case WindowBase::MouseKind::Move:
        if (mouse_->MouseMove) {
          mouse_->MouseMove(args);
        }
        break;
      case WindowBase::MouseKind::Up:
        if (mouse_->MouseUp) {
          mouse_->MouseUp(args);
        }
        break;
    }
  }
  void ItemClick() override {
    if (click_) {
      click_();
    }
  }

 private:
  // A day cell that took or lost the selected look tells screen readers.
  void Selected(bool was) {
    if (HighlightLook(back_, border_) != was) {
      AccessibleCellSelected(*this, !was);
    }
  }

  Action click_;
  std::unique_ptr<LabelHandlers> mouse_;  // only its mouse handlers are used
  std::string caption_;
  std::string tag_;
  std::unique_ptr<datewell::Font> own_font_;
  OleColor fore_ = kColorWindowText;
  OleColor back_ = 0x8000000Fu;
  bool bold_ = false;
  std::int8_t back_style_ = kBackOpaque;
  std::int8_t border_ = kBorderNone;
  std::int8_t alignment_ = kAlignLeft;
};

class QtLine final : public LineShape, public ItemBase {
 public:
  using ItemBase::ItemBase;
  std::string_view Name() const override { return name_; }
  float Left() const override { return std::min(x1_, x2_); }
  float Top() const override { return std::min(y1_, y2_); }
  float Width() const override { return std::fabs(x2_ - x1_); }
  float Height() const override { return std::fabs(y2_ - y1_); }
  void SetLeft(float t) override { Shift(t - Left(), 0); }
  void SetTop(float t) override { Shift(0, t - Top()); }
  void SetWidth(float) override {}
  void SetHeight(float) override {}
  bool Visible() const override { return visible_; }
  void SetVisible(bool v) override {
    visible_ = v;
    Changed();
  }
  int TabIndex() const override { return tab_index_; }
  void SetTabIndex(int index) override { tab_index_ = index; }
  Hwnd hWnd() const override { return kNoWindow; }
  void SetCoordinates(float x1, float y1, float x2, float y2) override {
    Changed();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Changed();
  }
  // The pixels the line may cover, with its end point.
  QRect PaintRect(const Scale& scale) const override {
    const QPoint a(qtgeom::ToPixels(x1_, scale.tx), qtgeom::ToPixels(y1_, scale.ty));
    const QPoint b(qtgeom::ToPixels(x2_, scale.tx), qtgeom::ToPixels(y2_, scale.ty));
    return QRect(a, b).normalized().adjusted(-1, -1, 1, 1);
  }
  OleColor BorderColor() const override { return color_; }
  void SetBorderColor(OleColor color) override {
    color_ = color;
    Changed();
  }
  void Paint(QPainter& p, const Scale& scale) override {
    if (!visible_) {
      return;
    }
    const float tx = scale.tx, ty = scale.ty;
    p.save();
    // A line runs beneath the labels: where it passes under a row of opaque labels the row
    // hides it, the narrow gaps between them included.
    const QRect under = RowAbove(scale);
    if (!under.isEmpty()) {
      p.setClipRegion(QRegion(PaintRect(scale)).subtracted(under), Qt::IntersectClip);
    }
    DrawPixelLine(p, QPoint(qtgeom::ToPixels(x1_, tx), qtgeom::ToPixels(y1_, ty)),
                  QPoint(qtgeom::ToPixels(x2_, tx), qtgeom::ToPixels(y2_, ty)), ToQColor(color_));
    p.restore();
  }

 private:
  void Shift(float dx, float dy) { SetCoordinates(x1_ + dx, y1_ + dy, x2_ + dx, y2_ + dy); }
  // The span of the opaque labels painted above a horizontal line that lie across it (logical
  // pixels), or an empty rectangle.
  QRect RowAbove(const Scale& scale) const {
    if (!container_ || y1_ != y2_) {
      return {};
    }
    const int y = qtgeom::ToPixels(y1_, scale.ty);
    const std::vector<ItemBase*>& items = container_->Items();
    const auto self = std::find(items.begin(), items.end(), this);
    QRect row;
    for (auto it = self == items.end() ? self : self + 1; it != items.end(); ++it) {
      const auto* label = dynamic_cast<const QtLabel*>(*it);
      const QRect r = (*it)->PixelRect(scale);
      if (label && label->visible_ && label->BackStyle() == kBackOpaque && r.top() <= y &&
          y <= r.bottom()) {
        row = row.united(r);
      }
    }
    return row;
  }
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  OleColor color_ = 0;
};

class QtImage final : public Windowless<ImageBox> {
 public:
  using Windowless::Windowless;
  // The image keeps its natural size, as an image control that does not stretch.
  void SetPicture(XpmImage picture) override {
    pixmap_ = picture.empty() ? QPixmap() : QPixmap(picture.data());
    if (container_) {
      const DesktopState& state = container_->state();
      width_ = static_cast<float>(pixmap_.width()) * state.TppX();
      height_ = static_cast<float>(pixmap_.height()) * state.TppY();
    }
    Changed();
  }
  void Paint(QPainter& p, const Scale& scale) override {
    if (visible_ && !pixmap_.isNull()) {
      p.drawPixmap(PixelRect(scale).topLeft(), pixmap_);
    }
  }

 private:
  QPixmap pixmap_;
};

}  // namespace

// ---- TextCache -------------------------------------------------------------------------------

namespace {
// Kept texts beyond this many are dropped all at once (a user paging through the years leaves a
// caption per month behind).
constexpr std::size_t kMaxKeptTexts = 512;
}  // namespace

struct TextCache::Texts {
  QFont font;
  int dpi = 0;
  int height = -1;
  std::optional<Ink> digit;
  std::unordered_map<QString, int> advances;
  std::unordered_map<QString, Line> lines;
};

TextCache::TextCache() = default;
TextCache::~TextCache() = default;

TextCache::Texts& TextCache::For(const QFont& font, int dpi) {
  for (const auto& t : fonts_) {
    if (t->dpi == dpi && t->font == font) {
      return *t;
    }
  }
  if (entries_ > kMaxKeptTexts || fonts_.size() >= 16) {
    fonts_.clear();
    entries_ = 0;
  }
  auto t = std::make_unique<Texts>();
  t->font = font;
  t->dpi = dpi;
  fonts_.push_back(std::move(t));
  return *fonts_.back();
}

int TextCache::Advance(const QFont& font, const QString& text) {
  Texts& t = For(font, 0);
  if (auto it = t.advances.find(text); it != t.advances.end()) {
    return it->second;
  }
  const int advance = QFontMetrics(font).horizontalAdvance(text);
  t.advances.emplace(text, advance);
  ++entries_;
  return advance;
}

int TextCache::Height(const QFont& font) {
  Texts& t = For(font, 0);
  if (t.height < 0) {
    t.height = QFontMetrics(font).height();
  }
  return t.height;
}

TextCache::Ink TextCache::DigitInk(const QFont& font) {
  Texts& t = For(font, 0);
  if (!t.digit) {
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("0"));
    t.digit = Ink{metrics.ascent() + ink.top(), ink.height()};
  }
  return *t.digit;
}

const TextCache::Line& TextCache::Layout(const QFont& font, QPaintDevice* device,
                                         const QString& text) {
  Texts& t = For(font, device ? device->logicalDpiY() : 0);
  if (auto it = t.lines.find(text); it != t.lines.end()) {
    return it->second;
  }
  Line line;
  line.layout = std::make_unique<QTextLayout>(text, device ? QFont(font, device) : font);
  line.layout->setCacheEnabled(true);
  QTextOption option;
  option.setWrapMode(QTextOption::ManualWrap);
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  line.layout->setTextOption(option);
  line.layout->beginLayout();
  QTextLine l = line.layout->createLine();
  if (l.isValid()) {
    l.setLineWidth(0x01000000);
    l.setPosition(QPointF(0, 0));
  }
  line.layout->endLayout();
  line.advance = l.isValid() ? l.horizontalAdvance() : 0;
  ++entries_;
  return t.lines.emplace(text, std::move(line)).first->second;
}

// ---- WindowBase ------------------------------------------------------------------------------

WindowBase::WindowBase(std::shared_ptr<DesktopState> state, Kind kind, std::string_view name,
                       QWidget* widget, Hwnd parent)
    : name_(name), state_(std::move(state)), widget_(widget), realised_(widget != nullptr) {
  if (widget) {
    widget->setObjectName(ToQString(name));
  }
  Entry entry;
  entry.widget = widget;
  entry.window = this;
  entry.kind = kind;
  entry.name = std::string(name);
  entry.parent = parent;
  entry.top = (kind == Kind::Surface || kind == Kind::Form || kind == Kind::Container)
                  ? kNoWindow
                  : state_->TopOf(parent);
  hwnd_ = state_->Register(std::move(entry));
  if (Entry* e = state_->Find(hwnd_); e && e->top == kNoWindow) {
    e->top = hwnd_;
  }
}

WindowBase::~WindowBase() {
  for (ItemBase* item : items_) {
    item->ContainerGone();
  }
  state_->Unregister(hwnd_);
  if (QWidget* w = widget_.data()) {
    if (auto* ref = dynamic_cast<OwnerRef*>(w)) {
      ref->owner = nullptr;
    }
    delete w;
  }
}

void MakeTopLevel(QWidget* w, std::int32_t ex_style, QWidget* owner) {
  if (owner) {
    // A pop-up of the control's window holds the compositor's grab; a window shown over it (the
    // month list) is a pop-up that takes no grab, so that the mouse stays with the panel.
    const bool over_popup = owner->windowType() == Qt::Popup;
    w->setParent(owner, (over_popup ? Qt::ToolTip : Qt::Popup) | Qt::FramelessWindowHint |
                            Qt::NoDropShadowWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    for (QWidget* child : w->findChildren<QWidget*>()) {
      child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    return;
  }
  Qt::WindowFlags flags = (ex_style & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
  flags |= Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint;
  w->setParent(nullptr, flags);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_X11DoNotAcceptFocus);
}

QWidget* WindowBase::Realise() {
  if (realised_) {
    return widget_.data();
  }
  const Entry* e = state_->Find(hwnd_);
  if (!e) {
    return nullptr;
  }
  const bool top_level = e->parent == kDesktopHandle;
  QWidget* parent = top_level ? nullptr : state_->RealisedWidget(e->parent);
  if (!top_level && !parent) {
    return nullptr;  // the parent is gone
  }
  realised_ = true;
  QWidget* w = MakeWidget(parent);
  widget_ = w;
  w->setObjectName(ToQString(name_));
  state_->Bind(hwnd_, w);
  if (top_level) {
    MakeTopLevel(w, state_->Find(hwnd_)->ex_style, state_->PopupOwner(hwnd_));
  } else if (state_->wayland && parent->isWindow() && parent->windowType() == Qt::Popup) {
    // Qt gives a press on an open pop-up to the child under it; the capture gives it to the panel.
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  ApplyGeometry();
  Realised();
  w->setVisible(visible_);
  // The children that would show with it come along.
  const std::vector<Hwnd> children = state_->Find(hwnd_)->children;
  for (const Hwnd child : children) {
    if (const Entry* c = state_->Find(child); c && c->window) {
      c->window->RealiseIfShown();
    }
  }
  return w;
}

void WindowBase::RealiseIfShown() {
  if (realised_ || !visible_) {
    return;
  }
  const Entry* e = state_->Find(hwnd_);
  if (!e) {
    return;
  }
  if (e->parent == kDesktopHandle) {
    Realise();
    return;
  }
  const Entry* p = state_->Find(e->parent);
  if (!p || !p->widget) {
    return;  // a parent that waits itself, or is gone
  }
  // Only inside its parent's area would it be seen.
  const QRect area = p->window ? QRect(0, 0, qtgeom::ToPixels(p->window->width_, state_->TppX()),
                                       qtgeom::ToPixels(p->window->height_, state_->TppY()))
                               : p->widget->rect();
  const float tx = state_->TppX(), ty = state_->TppY();
  const QRect own(qtgeom::ToPixels(left_, tx), qtgeom::ToPixels(top_, ty),
                  qtgeom::ToPixels(width_, tx), qtgeom::ToPixels(height_, ty));
  if (own.intersects(area)) {
    Realise();
  }
}

QPoint WindowBase::DevicePosition() const {
  if (const QWidget* w = widget_.data()) {
    return QPoint(w->x(), w->y());
  }
  const float tx = state_->TppX(), ty = state_->TppY();
  return QPoint(qtgeom::ToPixels(left_, tx), qtgeom::ToPixels(top_, ty));
}

void WindowBase::ApplyGeometry() {
  QWidget* w = widget_.data();
  if (!w) {
    RealiseIfShown();
    return;
  }
  const float tx = state_->TppX(), ty = state_->TppY();
  const int x = qtgeom::ToPixels(left_, tx);
  const int y = qtgeom::ToPixels(top_, ty);
  const int cx = std::max(0, qtgeom::ToPixels(width_, tx));
  const int cy = std::max(0, qtgeom::ToPixels(height_, ty));
  if (!positioned_) {
    w->resize(cx, cy);
    return;
  }
  // The control lays its field out again on every resize and font change, mostly to where it
  // is; a widget placed once already keeps the marks that it was placed.
  if (w->geometry() == QRect(x, y, cx, cy) && w->testAttribute(Qt::WA_Moved) &&
      w->testAttribute(Qt::WA_Resized)) {
    return;
  }
  w->setGeometry(x, y, cx, cy);
}

void WindowBase::ApplyVisible() {
  if (QWidget* w = widget_.data()) {
    w->setVisible(visible_);
  } else {
    RealiseIfShown();
  }
}

void WindowBase::MovedTo(std::int32_t x, std::int32_t y) {
  positioned_ = true;
  left_ = static_cast<float>(x) * state_->TppX();
  top_ = static_cast<float>(y) * state_->TppY();
  ApplyGeometry();
}

void WindowBase::SizedTo(std::int32_t cx, std::int32_t cy) {
  width_ = static_cast<float>(cx) * state_->TppX();
  height_ = static_cast<float>(cy) * state_->TppY();
  ApplyGeometry();
}

void WindowBase::PaintCanvas(QWidget* self, const QRegion& region) {
  if (Entry* e = state_->Find(hwnd_)) {
    e->drawing.clear();
  }
  QPainter painter(self);
  painter.fillRect(self->rect(), ToQColor(CanvasBackColor()));
  if (Entry* e = state_->Find(hwnd_)) {
    QPainter* outer = e->painter;
    e->painter = &painter;
    RunPaintHandler();
    if (Entry* again = state_->Find(hwnd_)) {
      again->painter = outer;
    }
  }
  painter.setFont(self->font());
  const Scale scale = state_->CurrentScale();
  for (ItemBase* item : items_) {
    if (region.intersects(item->PaintRect(scale))) {
      item->Paint(painter, scale);
    }
  }
}

void WindowBase::PressOutside(QWidget* self) {
  const QRect g(self->mapToGlobal(QPoint(0, 0)), self->size());
  const QPoint last = state_->last_cursor.value_or(QCursor::pos());
  const Point at = qtgeom::PointOutside(
      Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}, {last.x(), last.y()});
  const QPoint global(at.x, at.y);
  state_->last_cursor = global;
  const QPoint local = self->mapFromGlobal(global);
  const QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(global), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
  CanvasMouse(MouseKind::Down, press, local);
}

ItemBase* WindowBase::ItemAt(QPoint local) const {
  const Scale scale = state_->CurrentScale();
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    if ((*it)->visible_ && (*it)->PixelRect(scale).contains(local)) {
      return *it;
    }
  }
  return nullptr;
}

void WindowBase::RemoveItem(ItemBase* item) {
  std::erase(items_, item);
  if (pressed_item_ == item) {
    pressed_item_ = nullptr;
  }
}

void WindowBase::UpdateCanvas() {
  if (QWidget* w = widget_.data()) {
    w->update();
  }
}

void WindowBase::UpdateCanvas(const QRect& rect) {
  if (QWidget* w = widget_.data()) {
    w->update(rect);
  }
}

// ---- ItemBase --------------------------------------------------------------------------------

ItemBase::ItemBase(WindowBase& container, std::string_view name)
    : name_(name), container_(&container) {
  container.AddItem(this);
}

ItemBase::~ItemBase() {
  if (container_) {
    container_->RemoveItem(this);
    container_->UpdateCanvas(PixelRect());
  }
}

Scale ItemBase::CurrentScale() const {
  return container_ ? container_->state().CurrentScale() : Scale{};
}

void ItemBase::Changed() {
  // A container not on the screen (no widget yet, or hidden) paints everything when it shows.
  if (container_ && container_->widget() && container_->widget()->isVisible()) {
    container_->UpdateCanvas(PaintRect(CurrentScale()));
  }
}

// ---- Factories -------------------------------------------------------------------------------

std::unique_ptr<UserControlSurface> MakeSurface(std::shared_ptr<DesktopState> state,
                                                QWidget* container, Hwnd container_handle,
                                                std::string_view name) {
  return std::make_unique<QtSurface>(std::move(state), container, container_handle, name);
}
std::unique_ptr<TextBox> MakeTextBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                     std::string_view name) {
  return std::make_unique<QtTextBox>(std::move(state), parent, name);
}
std::unique_ptr<PictureBox> MakePictureBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                           std::string_view name) {
  return std::make_unique<QtPictureBox>(std::move(state), parent, name);
}
std::unique_ptr<ListBox> MakeListBox(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                     std::string_view name) {
  return std::make_unique<QtListBox>(std::move(state), parent, name);
}
std::unique_ptr<CommandButton> MakeButton(std::shared_ptr<DesktopState> state, WindowBase& parent,
                                          std::string_view name) {
  return std::make_unique<QtButton>(std::move(state), parent, name);
}
std::unique_ptr<Label> MakeLabel(WindowBase& parent, std::string_view name) {
  return std::make_unique<QtLabel>(parent, name);
}
std::unique_ptr<LineShape> MakeLine(WindowBase& parent, std::string_view name) {
  return std::make_unique<QtLine>(parent, name);
}
std::unique_ptr<ImageBox> MakeImage(WindowBase& parent, std::string_view name) {
  return std::make_unique<QtImage>(parent, name);
}
std::unique_ptr<Form> MakeForm(std::shared_ptr<DesktopState> state, std::string_view name,
                               bool container) {
  return std::make_unique<QtForm>(std::move(state), name, container);
}

WindowBase* WindowOf(Widget& widget) {
  return dynamic_cast<WindowBase*>(&widget);
}

bool ClickDefaultButton(DesktopState& state, Hwnd top) {
  const Entry* t = state.Find(top);
  if (!t) {
    return false;
  }
  const std::vector<Hwnd> buttons = t->buttons;
  for (const Hwnd hwnd : buttons) {
    const Entry* e = state.Find(hwnd);
    auto* button = e ? dynamic_cast<QtButton*>(e->window) : nullptr;
    if (button && button->Default() && button->Enabled()) {
      button->Click();
      return true;
    }
  }
  return false;
}

void Record(DesktopState& state, Hdc hdc, const QtDrawCall& call) {
  if (Entry* e = state.Find(hdc)) {
    e->drawing.push_back(call);
  }
}

void DrawPixelLine(QPainter& p, QPoint from, QPoint to, const QColor& color) {
  if (from.x() == to.x() || from.y() == to.y()) {
    // The pixels of the line filled as one rectangle: as thick as a pixel at any device pixel
    // ratio, where a hairline would be one device pixel.
    p.fillRect(QRect(from, to).normalized(), color);
    return;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(color, 0));
  p.drawLine(from, to);
  p.restore();
}

}  // namespace datewell::qt_detail
