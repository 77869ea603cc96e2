// What screen readers see of a control: the field as an editable text named after the control,
// the drop button, and the open panel as a dialog with its month arrows, caption, a table of the
// 42 day cells and the Today button. The arrows, the caption and the cells are painted by the
// panel, so they are virtual children; the panel's interface owns them. A window that lies
// wholly outside its parent (the default button kept out of sight) is not exposed.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qt_internal.h"

namespace datewell::qt_detail {

namespace {

constexpr int kFirstCell = 7;
constexpr int kCellCount = 42;
constexpr int kShownMonthCell = 23;  // always a day of the month shown
constexpr OleColor kButtonShadow = 0x80000010u;

Label* LabelOf(ItemBase* item) {
  return dynamic_cast<Label*>(item);
}

ItemBase* FindItem(const WindowBase& window, std::string_view name) {
  for (ItemBase* item : window.Items()) {
    if (item->name_ == name) {
      return item;
    }
  }
  return nullptr;
}

std::string CellName(int cell) {
  return "lblDate(" + std::to_string(kFirstCell + cell) + ")";
}

bool IsPanel(const WindowBase& window) {
  const Entry* e = window.state().Find(window.handle());
  return e && e->kind == Kind::PictureBox && FindItem(window, CellName(0)) != nullptr;
}

// The panel of a surface: the picture box of the surface's windows that holds the day cells
// (moved to the desktop while it shows).
WindowBase* PanelOf(const WindowBase& surface) {
  for (const auto& [hwnd, e] : surface.state().windows) {
    if (e.top == surface.handle() && e.window && IsPanel(*e.window)) {
      return e.window;
    }
  }
  return nullptr;
}

// A rectangle of logical pixels in widget as screen coordinates.
QRect OnScreen(const QWidget* widget, const QRect& r) {
  return widget ? QRect(widget->mapToGlobal(r.topLeft()), r.size()) : QRect();
}

// The windows under widget that a user can see: shown, and at least partly inside it.
std::vector<QWidget*> ShownChildren(const QWidget* widget) {
  std::vector<QWidget*> shown;
  for (QObject* o : widget->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && !w->isWindow() && w->isVisibleTo(widget) && widget->rect().intersects(w->geometry())) {
      shown.push_back(w);
    }
  }
  return shown;
}

QString StripAccessKey(QString text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
      ++i;
    }
    out.append(text.at(i));
  }
  return out;
}

// A part of a window that has no window of its own: what it is, where, and how it stands, each
// read from the window when asked.
class VirtualChild : public QAccessibleInterface {
 public:
  VirtualChild(QWidget* host, QAccessibleInterface* parent, QAccessible::Role role)
      : host_(host), parent_(parent), role_(role) {}

  std::function<QString()> name;
  std::function<QString()> description;
  std::function<QRect()> area;  // logical pixels of host
  std::function<QAccessible::State()> status;
  std::vector<QAccessibleInterface*> children;  // owned by whoever made them

  bool isValid() const override { return !host_.isNull() && OwnerOf(host_.data()) != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return host_ ? host_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (QAccessibleInterface* c : children) {
      if (c->rect().contains(x, y)) {
        return c;
      }
    }
    return nullptr;
  }
  QAccessibleInterface* parent() const override { return parent_; }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < static_cast<int>(children.size())
               ? children[static_cast<std::size_t>(index)]
               : nullptr;
  }
  int childCount() const override { return static_cast<int>(children.size()); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t i = 0; i < children.size(); ++i) {
      if (children[i] == child) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) {
      return {};
    }
    if (t == QAccessible::Name && name) {
      return name();
    }
    if (t == QAccessible::Description && description) {
      return description();
    }
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return isValid() && area ? OnScreen(host_, area()) : QRect(); }
  QAccessible::Role role() const override { return role_; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
    } else if (status) {
      s = status();
    }
    return s;
  }

 private:
  QPointer<QWidget> host_;
  QAccessibleInterface* parent_;
  QAccessible::Role role_;
};

// Registers the virtual children an interface makes, and lets them go with it.
class OwnedChildren {
 public:
  OwnedChildren() = default;
  ~OwnedChildren() {
    for (QAccessible::Id id : ids_) {
      QAccessible::deleteAccessibleInterface(id);
    }
  }
  OwnedChildren(const OwnedChildren&) = delete;
  OwnedChildren& operator=(const OwnedChildren&) = delete;
  VirtualChild* Make(QWidget* host, QAccessibleInterface* parent, QAccessible::Role role) {
    auto* child = new VirtualChild(host, parent, role);  // the registry owns it from here
    ids_.push_back(QAccessible::registerAccessibleInterface(child));
    return child;
  }

 private:
  std::vector<QAccessible::Id> ids_;
};

// The control's surface: the field and the drop button painted on the face.
class SurfaceInterface : public QAccessibleWidget {
 public:
  explicit SurfaceInterface(QWidget* surface) : QAccessibleWidget(surface, QAccessible::Grouping) {
    button_ = children_.Make(surface, this, QAccessible::Button);
    button_->name = [] { return QStringLiteral("Open calendar"); };
    button_->area = [this] { return ButtonArea(); };
    button_->status = [this] {
      QAccessible::State s;
      s.expandable = true;
      const WindowBase* panel = Panel();
      s.expanded = panel && panel->visible_;
      return s;
    };
  }
  VirtualChild* button() const { return button_; }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->parentWidget()) {
      return widget()->parentWidget()->accessibleName();
    }
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return static_cast<int>(ShownChildren(widget()).size()) + 1; }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> shown = ShownChildren(widget());
    if (index >= 0 && index < static_cast<int>(shown.size())) {
      QWidget* w = shown[static_cast<std::size_t>(index)];
      if (qobject_cast<QLineEdit*>(w)) {
        AccessibleFieldName(w);
      }
      return QAccessible::queryAccessibleInterface(w);
    }
    return index == static_cast<int>(shown.size()) ? button_ : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QWidget*> shown = ShownChildren(widget());
    if (child == button_) {
      return static_cast<int>(shown.size());
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (child && child->object() == shown[i]) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }

 private:
  const WindowBase* Panel() const {
    const WindowBase* surface = OwnerOf(widget());
    return surface ? PanelOf(*surface) : nullptr;
  }
  // The face to the right of the field.
  QRect ButtonArea() const {
    int left = 0;
    for (QWidget* w : ShownChildren(widget())) {
      if (qobject_cast<QLineEdit*>(w)) {
        left = w->geometry().right() + 1;
      }
    }
    const QRect all = widget()->rect();
    return QRect(QPoint(left, all.top()), all.bottomRight());
  }

  OwnedChildren children_;
  VirtualChild* button_ = nullptr;
};

// The open panel: the month arrows either side of the caption, the caption, the day cells and
// the windows on the panel (the Today button).
class PanelInterface : public QAccessibleWidget {
 public:
  explicit PanelInterface(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Dialog) {
    previous_ = children_.Make(panel, this, QAccessible::Button);
    previous_->name = [] { return QStringLiteral("Previous month"); };
    previous_->area = [this] { return ArrowArea(false); };
    caption_ = children_.Make(panel, this, QAccessible::StaticText);
    caption_->name = [this] { return ToQString(CaptionText()); };
    caption_->area = [this] { return ItemArea("lblMonthYear"); };
    next_ = children_.Make(panel, this, QAccessible::Button);
    next_->name = [] { return QStringLiteral("Next month"); };
    next_->area = [this] { return ArrowArea(true); };
    table_ = children_.Make(panel, this, QAccessible::Table);
    table_->name = [this] { return ToQString(CaptionText()); };
    table_->area = [this] { return ItemArea(CellName(0)) | ItemArea(CellName(kCellCount - 1)); };
    for (int i = 0; i < kCellCount; ++i) {
      VirtualChild* cell = children_.Make(panel, table_, QAccessible::Cell);
      cell->name = [this, i] { return ToQString(DateName(i)); };
      cell->description = [this, i] { return Description(i); };
      cell->area = [this, i] { return ItemArea(CellName(i)); };
      cell->status = [this, i] {
        QAccessible::State s;
        s.selectable = true;
        const Label* l = Cell(i);
        s.selected = l && HighlightLook(l->BackColor(), l->BorderStyle());
        return s;
      };
      table_->children.push_back(cell);
    }
  }
  VirtualChild* caption() const { return caption_; }
  VirtualChild* cell(int index) const { return static_cast<VirtualChild*>(table_->child(index)); }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QStringLiteral("Calendar") : QAccessibleWidget::text(t);
  }
  int childCount() const override {
    return kVirtual + static_cast<int>(ShownChildren(widget()).size());
  }
  QAccessibleInterface* child(int index) const override {
    const QAccessibleInterface* fixed[kVirtual] = {previous_, caption_, next_, table_};
    if (index >= 0 && index < kVirtual) {
      return const_cast<QAccessibleInterface*>(fixed[index]);
    }
    const std::vector<QWidget*> shown = ShownChildren(widget());
    const auto i = static_cast<std::size_t>(index - kVirtual);
    return index >= kVirtual && i < shown.size() ? QAccessible::queryAccessibleInterface(shown[i])
                                                 : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const QAccessibleInterface* fixed[kVirtual] = {previous_, caption_, next_, table_};
    for (int i = 0; i < kVirtual; ++i) {
      if (fixed[i] == child) {
        return i;
      }
    }
    const std::vector<QWidget*> shown = ShownChildren(widget());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (child && child->object() == shown[i]) {
        return kVirtual + static_cast<int>(i);
      }
    }
    return -1;
  }

 private:
  static constexpr int kVirtual = 4;

  WindowBase* Window() const { return OwnerOf(widget()); }
  const Label* Cell(int index) const {
    WindowBase* w = Window();
    return w ? LabelOf(FindItem(*w, CellName(index))) : nullptr;
  }
  std::string CaptionText() const {
    WindowBase* w = Window();
    const Label* l = w ? LabelOf(FindItem(*w, "lblMonthYear")) : nullptr;
    return l ? l->Caption() : std::string();
  }
  QRect ItemArea(std::string_view name) const {
    WindowBase* w = Window();
    ItemBase* item = w ? FindItem(*w, name) : nullptr;
    return item ? item->PixelRect() : QRect();
  }
  // The arrows lie either side of the caption, on its row.
  QRect ArrowArea(bool next) const {
    const QRect caption = ItemArea("lblMonthYear");
    const QRect all = widget()->rect();
    return next ? QRect(QPoint(caption.right() + 1, caption.top()),
                        QPoint(all.right(), caption.bottom()))
                : QRect(QPoint(all.left(), caption.top()),
                        QPoint(caption.left() - 1, caption.bottom()));
  }
  std::optional<Date> CellDate(int index) const {
    const Label* l = Cell(index);
    const DesktopState* s = Window() ? &Window()->state() : nullptr;
    if (!l || !s || !s->read_date) {
      return std::nullopt;
    }
    return s->read_date(l->Tag());
  }
  std::string DateName(int index) const {
    const Label* l = Cell(index);
    if (!l) {
      return {};
    }
    const std::optional<Date> d = CellDate(index);
    const DesktopState& s = Window()->state();
    return d && s.long_date ? s.long_date(*d) : l->Tag();
  }
  QString Description(int index) const {
    const Label* l = Cell(index);
    if (!l) {
      return {};
    }
    QStringList parts;
    if (l->FontBold()) {
      parts << QStringLiteral("today");
    }
    const std::optional<Date> d = CellDate(index);
    const std::optional<Date> shown = CellDate(kShownMonthCell - kFirstCell);
    const bool other = d && shown ? CivilFromDate(*d).month != CivilFromDate(*shown).month
                                  : l->ForeColor() == kButtonShadow;
    if (other) {
      parts << QStringLiteral("other month");
    }
    return parts.join(QStringLiteral(", "));
  }

  OwnedChildren children_;
  VirtualChild* previous_ = nullptr;
  VirtualChild* caption_ = nullptr;
  VirtualChild* next_ = nullptr;
  VirtualChild* table_ = nullptr;
};

QAccessibleInterface* Factory(const QString& /*class_name*/, QObject* object) {
  if (!object || !object->isWidgetType()) {
    return nullptr;
  }
  auto* widget = static_cast<QWidget*>(object);
  WindowBase* window = OwnerOf(widget);
  const Entry* e = window ? window->state().Find(window->handle()) : nullptr;
  if (!e || window->widget() != widget) {
    return nullptr;
  }
  if (e->kind == Kind::Surface) {
    return new SurfaceInterface(widget);
  }
  if (IsPanel(*window)) {
    return new PanelInterface(widget);
  }
  return nullptr;
}

// Qt passes an event on only while an assistive technology listens; a watcher sees every one.
// While neither listens, nothing is built to tell them.
bool Listening(const DesktopState& state) {
  return QAccessible::isActive() || state.accessibility_watch;
}

void Send(const DesktopState& state, QAccessibleEvent& event) {
  QAccessible::updateAccessibility(&event);
  if (state.accessibility_watch) {
    state.accessibility_watch(&event);
  }
}

// The panel's interface, when the panel shows.
PanelInterface* ShownPanel(WindowBase* panel) {
  if (!panel || !Listening(panel->state()) || !panel->widget() || !panel->widget()->isVisible() ||
      !IsPanel(*panel)) {
    return nullptr;
  }
  return dynamic_cast<PanelInterface*>(QAccessible::queryAccessibleInterface(panel->widget()));
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

bool HighlightLook(OleColor back, int border) {
  return back == 0x800000u && border == 1;
}

void AccessibleFieldName(QWidget* field) {
  QWidget* surface = field ? field->parentWidget() : nullptr;
  QWidget* control = surface ? surface->parentWidget() : nullptr;
  if (!control) {
    return;
  }
  QString name = control->accessibleName();
  if (name.isEmpty()) {
    for (const QLabel* label : control->window()->findChildren<QLabel*>()) {
      if (label->buddy() == control) {
        name = StripAccessKey(label->text());
        break;
      }
    }
  }
  if (field->accessibleName() != name) {
    field->setAccessibleName(name);
  }
}

void AccessiblePanelShown(WindowBase& panel, bool shown) {
  if (!Listening(panel.state()) || !panel.widget() || !IsPanel(panel)) {
    return;
  }
  QAccessibleEvent opened(panel.widget(),
                          shown ? QAccessible::DialogStart : QAccessible::DialogEnd);
  Send(panel.state(), opened);
  const Entry* e = panel.state().Find(panel.handle());
  const Entry* surface = e ? panel.state().Find(e->top) : nullptr;
  if (surface && surface->widget) {
    auto* face =
        dynamic_cast<SurfaceInterface*>(QAccessible::queryAccessibleInterface(surface->widget));
    if (face) {
      QAccessible::State changed;
      changed.expanded = true;
      QAccessibleStateChangeEvent expanded(face->button(), changed);
      Send(panel.state(), expanded);
    }
  }
}

void AccessibleCaptionChanged(ItemBase& label) {
  PanelInterface* panel = ShownPanel(label.container());
  if (panel && label.name_ == "lblMonthYear") {
    QAccessibleEvent renamed(panel->caption(), QAccessible::NameChanged);
    Send(label.container()->state(), renamed);
  }
}

void AccessibleCellSelected(ItemBase& label, bool selected) {
  PanelInterface* panel = ShownPanel(label.container());
  if (!panel) {
    return;
  }
  for (int i = 0; i < kCellCount; ++i) {
    if (label.name_ != CellName(i)) {
      continue;
    }
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent state(panel->cell(i), changed);
    Send(label.container()->state(), state);
    if (selected) {
      QAccessibleEvent moved(panel->cell(i), QAccessible::Selection);
      Send(label.container()->state(), moved);
    }
    return;
  }
}

}  // namespace datewell::qt_detail
