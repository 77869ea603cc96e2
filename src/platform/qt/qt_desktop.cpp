#include "platform/qt/qt_desktop.h"

#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/qt/qt_colors.h"
#include "platform/qt/qt_internal.h"

namespace datewell {

namespace qt_detail {

// ---- Conversions -----------------------------------------------------------------------------

QColor ToQColor(OleColor color) {
  return qtcolor::Resolve(color, QApplication::palette());
}

std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
  return qtgeom::ShiftMask(modifiers.testFlag(Qt::ShiftModifier),
                           modifiers.testFlag(Qt::ControlModifier),
                           modifiers.testFlag(Qt::AltModifier));
}

MouseArgs MouseArgsOf(const DesktopState& state, const QMouseEvent& event, QPoint local) {
  MouseArgs args;
  switch (event.button() != Qt::NoButton ? event.button() : Qt::MouseButton(0)) {
    case Qt::RightButton:
      args.button = kRightButton;
      break;
    case Qt::MiddleButton:
      args.button = kMiddleButton;
      break;
    case Qt::LeftButton:
      args.button = kLeftButton;
      break;
    default: {
      // A move: the buttons held.
      const Qt::MouseButtons held = event.buttons();
      args.button =
          static_cast<std::int16_t>((held.testFlag(Qt::LeftButton) ? kLeftButton : 0) |
                                    (held.testFlag(Qt::RightButton) ? kRightButton : 0) |
                                    (held.testFlag(Qt::MiddleButton) ? kMiddleButton : 0));
    }
  }
  args.shift = ShiftOf(event.modifiers());
  args.x = static_cast<float>(local.x()) * state.TppX();
  args.y = static_cast<float>(local.y()) * state.TppY();
  return args;
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text) {
  return text.toUtf8().toStdString();
}

// ---- The grab probe

namespace {

// Waits until the server has handled every request sent so far on the connection.
void RoundTrip(xcb_connection_t* c) {
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // NOLINT: malloc'ed
}

}  // namespace

GrabProbe::GrabProbe() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    return;
  }
  int screen_number = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screen_number);
  if (!c || xcb_connection_has_error(c)) {
    if (c) {
      xcb_disconnect(c);
    }
    return;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screen_number && it.rem; ++i) {
    xcb_screen_next(&it);
  }
  if (!it.rem) {
    xcb_disconnect(c);
    return;
  }
  root_ = it.data->root;
  connection_ = c;
}

GrabProbe::~GrabProbe() {
  if (connection_) {
    xcb_disconnect(static_cast<xcb_connection_t*>(connection_));
  }
}

bool GrabProbe::PointerGrabbed() {
  auto* c = static_cast<xcb_connection_t*>(connection_);
  if (!c) {
    return false;
  }
  xcb_grab_pointer_cookie_t cookie =
      xcb_grab_pointer(c, 0, root_, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                       XCB_CURRENT_TIME);
  xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(c, cookie, nullptr);
  const int status = reply ? reply->status : -1;
  free(reply);  // NOLINT: xcb replies are malloc'ed
  if (status == XCB_GRAB_STATUS_SUCCESS) {
    // Nobody held the pointer: give it straight back, and wait until the server has it back,
    // so that the program's own grab that follows does not find the probe holding it.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    RoundTrip(c);
    return false;
  }
  return status == XCB_GRAB_STATUS_ALREADY_GRABBED;
}

void UngrabOwnPointer() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (xcb_connection_t* c = x11 ? x11->connection() : nullptr) {
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    RoundTrip(c);
  }
}

// ---- The application filter ------------------------------------------------------------------

bool AppFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      const auto* me = static_cast<QMouseEvent*>(event);
      const QPointF g = me->globalPosition();
      state_.last_cursor =
          QPoint(static_cast<int>(std::lround(g.x())), static_cast<int>(std::lround(g.y())));
      break;
    }
    case QEvent::WindowActivate: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!w || !w->isWindow()) {
        break;
      }
      if (state_.IsPopup(w)) {
        if (state_.host_active && !state_.restore_pending) {
          state_.restore_pending = true;
          QMetaObject::invokeMethod(
              w, [s = &state_] { s->RestoreActivation(); }, Qt::QueuedConnection);
        }
      } else {
        state_.host_active = w;
      }
      break;
    }
    default:
      break;
  }
  return false;
}

// ---- The desktop's state ---------------------------------------------------------------------

DesktopState::DesktopState() = default;
DesktopState::~DesktopState() = default;

Entry* DesktopState::Find(Hwnd hwnd) {
  auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : &it->second;
}

const Entry* DesktopState::Find(Hwnd hwnd) const {
  auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : &it->second;
}

Hwnd DesktopState::HandleOf(const QWidget* widget) const {
  if (!widget) {
    return kNoWindow;
  }
  const auto it = by_widget.find(widget);
  if (it == by_widget.end()) {
    return kNoWindow;
  }
  const Entry* e = Find(it->second);
  return e && e->widget.data() == widget ? it->second : kNoWindow;
}

Hwnd DesktopState::Register(Entry entry) {
  const Hwnd hwnd = next_handle;
  next_handle += 4;
  const Hwnd parent = entry.parent;
  const bool button = entry.kind == Kind::Button;
  const Hwnd top = entry.top;
  Entry& e = windows.emplace(hwnd, std::move(entry)).first->second;
  if (e.widget) {
    by_widget[e.widget.data()] = hwnd;
  }
  if (Entry* p = Find(parent)) {
    p->children.push_back(hwnd);
  }
  if (Entry* t = button ? Find(top) : nullptr) {
    t->buttons.push_back(hwnd);
  }
  return hwnd;
}

void DesktopState::Unregister(Hwnd hwnd) {
  Entry* e = Find(hwnd);
  if (!e) {
    return;
  }
  if (capture == hwnd) {
    if (e->widget && QWidget::mouseGrabber() == e->widget) {
      e->widget->releaseMouse();
    }
    capture = kNoWindow;
  }
  if (Entry* p = Find(e->parent)) {
    std::erase(p->children, hwnd);
  }
  if (Entry* t = e->kind == Kind::Button ? Find(e->top) : nullptr) {
    std::erase(t->buttons, hwnd);
  }
  if (auto it = by_widget.find(e->widget.data()); it != by_widget.end() && it->second == hwnd) {
    by_widget.erase(it);
  }
  windows.erase(hwnd);
}

void DesktopState::Bind(Hwnd hwnd, QWidget* widget) {
  if (Entry* e = Find(hwnd)) {
    e->widget = widget;
    if (widget) {
      by_widget[widget] = hwnd;
    }
  }
}

void DesktopState::Reparent(Hwnd hwnd, Hwnd parent) {
  Entry* e = Find(hwnd);
  if (!e || e->parent == parent) {
    return;
  }
  if (Entry* old = Find(e->parent)) {
    std::erase(old->children, hwnd);
  }
  if (Entry* p = Find(parent)) {
    p->children.push_back(hwnd);
  }
  e->parent = parent;
}

QWidget* DesktopState::RealisedWidget(Hwnd hwnd) {
  Entry* e = Find(hwnd);
  if (!e) {
    return nullptr;
  }
  if (e->window) {
    QWidget* w = e->window->Realise();
    e->window->Settle();
    return w;
  }
  return e->widget.data();
}

bool DesktopState::IsPopup(const QWidget* window) const {
  const Entry* e = Find(HandleOf(window));
  return e && e->parent == kDesktopHandle && e->kind != Kind::Form && e->kind != Kind::Container;
}

bool DesktopState::HoldsMouse(Hwnd hwnd, const QWidget* widget) const {
  if (!widget) {
    return false;
  }
  if (wayland) {
    return capture == hwnd && widget->isVisible() && QApplication::activePopupWidget() == widget;
  }
  return QWidget::mouseGrabber() == widget;
}

QWidget* DesktopState::PopupOwner(Hwnd hwnd) {
  if (!wayland) {
    return nullptr;
  }
  QWidget* open = QApplication::activePopupWidget();
  const Entry* e = Find(hwnd);
  if (open && IsPopup(open) && open != (e ? e->widget.data() : nullptr)) {
    return open;
  }
  return e ? RealisedWidget(e->top) : nullptr;
}

Hwnd DesktopState::TopOf(Hwnd parent) const {
  Hwnd h = parent;
  for (int guard = 0; guard < 64; ++guard) {
    const Entry* e = Find(h);
    if (!e) {
      return kNoWindow;
    }
    if (e->kind == Kind::Surface || e->kind == Kind::Form || e->kind == Kind::Container) {
      return h;
    }
    if (e->top != kNoWindow) {
      return e->top;
    }
    h = e->parent;
  }
  return kNoWindow;
}

namespace {
QScreen* Primary() {
  return QGuiApplication::primaryScreen();
}
}  // namespace

float DesktopState::TppX() const {
  if (tpp_x) {
    return *tpp_x;
  }
  QScreen* s = Primary();
  return s ? qtgeom::TwipsPerPixel(s->logicalDotsPerInchX()) : 15.0f;
}

float DesktopState::TppY() const {
  if (tpp_y) {
    return *tpp_y;
  }
  QScreen* s = Primary();
  return s ? qtgeom::TwipsPerPixel(s->logicalDotsPerInchY()) : 15.0f;
}

Scale DesktopState::CurrentScale() const {
  return Scale{TppX(), TppY()};
}

QRect Scale::Rect(float left, float top, float width, float height) const {
  const int l = qtgeom::ToPixels(left, tx);
  const int t = qtgeom::ToPixels(top, ty);
  const int r = qtgeom::ToPixels(left + width, tx);
  const int b = qtgeom::ToPixels(top + height, ty);
  return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

void DesktopState::RestoreActivation() {
  if (!restore_pending) {
    return;
  }
  restore_pending = false;
  QWidget* host = host_active.data();
  if (host && host->isVisible() && IsPopup(QApplication::activeWindow())) {
    host->activateWindow();
  }
}

}  // namespace qt_detail

using qt_detail::DesktopState;
using qt_detail::Entry;
using qt_detail::kDesktopHandle;
using qt_detail::Kind;
using qt_detail::WindowBase;

// ---- QtDesktop -------------------------------------------------------------------------------

QtDesktop::QtDesktop() : state_(std::make_shared<DesktopState>()) {
  state_->filter = std::make_unique<qt_detail::AppFilter>(*state_);
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->installEventFilter(state_->filter.get());
  }
  state_->probe = std::make_unique<qt_detail::GrabProbe>();
  state_->wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  qt_detail::InstallAccessibility();
}

void QtDesktop::SetDateTexts(std::function<std::optional<Date>(std::string_view)> read,
                             std::function<std::string(Date)> long_date) {
  state_->read_date = std::move(read);
  state_->long_date = std::move(long_date);
}

void QtDesktop::WatchAccessibility(std::function<void(QAccessibleEvent*)> watch) {
  state_->accessibility_watch = std::move(watch);
}

QtDesktop::~QtDesktop() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->removeEventFilter(state_->filter.get());
  }
  if (QWidget* g = QWidget::mouseGrabber()) {
    if (state_->HandleOf(g) != kNoWindow) {
      g->releaseMouse();
    }
  }
  state_->capture = kNoWindow;
}

namespace {

WindowBase& BaseOf(Widget& parent) {
  WindowBase* base = qt_detail::WindowOf(parent);
  if (!base) {
    // Only containers made by this backend can hold its widgets.
    throw HostError(kErrInvalidProcedureCall);
  }
  return *base;
}

}  // namespace

std::unique_ptr<UserControlSurface> QtDesktop::CreateUserControl(Hwnd container,
                                                                 std::string_view name) {
  Entry* e = state_->Find(container);
  QWidget* parent = e ? e->widget.data() : nullptr;
  return qt_detail::MakeSurface(state_, parent, parent ? container : kDesktopHandle, name);
}

std::unique_ptr<TextBox> QtDesktop::CreateTextBox(Widget& parent, std::string_view name) {
  return qt_detail::MakeTextBox(state_, BaseOf(parent), name);
}
std::unique_ptr<PictureBox> QtDesktop::CreatePictureBox(Widget& parent, std::string_view name) {
  return qt_detail::MakePictureBox(state_, BaseOf(parent), name);
}
std::unique_ptr<Label> QtDesktop::CreateLabel(Widget& parent, std::string_view name) {
  return qt_detail::MakeLabel(BaseOf(parent), name);
}
std::unique_ptr<ListBox> QtDesktop::CreateListBox(Widget& parent, std::string_view name) {
  return qt_detail::MakeListBox(state_, BaseOf(parent), name);
}
std::unique_ptr<CommandButton> QtDesktop::CreateCommandButton(Widget& parent,
                                                              std::string_view name) {
  return qt_detail::MakeButton(state_, BaseOf(parent), name);
}
std::unique_ptr<LineShape> QtDesktop::CreateLine(Widget& parent, std::string_view name) {
  return qt_detail::MakeLine(BaseOf(parent), name);
}
std::unique_ptr<ImageBox> QtDesktop::CreateImage(Widget& parent, std::string_view name) {
  return qt_detail::MakeImage(BaseOf(parent), name);
}
std::unique_ptr<Form> QtDesktop::CreateForm(std::string_view name) {
  return qt_detail::MakeForm(state_, name, false);
}

float QtDesktop::TwipsPerPixelX() {
  return state_->TppX();
}
float QtDesktop::TwipsPerPixelY() {
  return state_->TppY();
}

void QtDesktop::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (state_->restore_pending) {
    state_->RestoreActivation();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

Hwnd QtDesktop::GetDesktopWindow() {
  return kDesktopHandle;
}

Hwnd QtDesktop::GetParent(Hwnd hwnd) {
  const Entry* e = state_->Find(hwnd);
  return e ? e->parent : kNoWindow;
}

Hwnd QtDesktop::SetParent(Hwnd hwnd, Hwnd parent) {
  Entry* e = state_->Find(hwnd);
  if (!e || hwnd == parent) {
    return kNoWindow;
  }
  if (!e->widget && e->window && !e->window->realised()) {
    // A window still waiting for its widget: the record moves, keeping its pixel offset.
    if (parent != kDesktopHandle && !state_->Find(parent)) {
      return kNoWindow;
    }
    const Hwnd old = e->parent;
    WindowBase* base = e->window;
    const QPoint offset = base->DevicePosition();
    state_->Reparent(hwnd, parent);
    e->detached = false;
    base->MovedTo(offset.x(), offset.y());
    base->RealiseIfShown();
    return old;
  }
  if (!e->widget) {
    return kNoWindow;
  }
  const Hwnd old = e->parent;
  QWidget* w = e->widget.data();
  const bool was_visible = e->window ? e->window->visible_ : w->isVisible();
  // The window keeps its pixel offset, now measured from the new parent's client area.
  const QPoint offset = w->pos();
  if (parent == kDesktopHandle) {
    if (!w->isWindow()) {
      qt_detail::MakeTopLevel(w, e->ex_style, state_->PopupOwner(hwnd));
      w->move(offset);
    }
    e->detached = false;
  } else {
    QWidget* p = state_->RealisedWidget(parent);
    if (!p) {
      return kNoWindow;
    }
    e = state_->Find(hwnd);
    if (w->isWindow() && !w->isVisible()) {
      e->detached = true;
    } else {
      w->setParent(p, Qt::Widget);
      w->move(offset);
      e->detached = false;
    }
  }
  state_->Reparent(hwnd, parent);
  e = state_->Find(hwnd);
  if (e->window) {
    e->window->MovedTo(offset.x(), offset.y());
  }
  if (was_visible) {
    w->show();
  }
  return old;
}

std::int32_t QtDesktop::GetWindowLongA(Hwnd hwnd, std::int32_t index) {
  const Entry* e = state_->Find(hwnd);
  if (!e || index != GWL_EXSTYLE) {
    return 0;
  }
  return e->ex_style | (e->topmost ? WS_EX_TOPMOST : 0);
}

std::int32_t QtDesktop::SetWindowLongA(Hwnd hwnd, std::int32_t index, std::int32_t value) {
  Entry* e = state_->Find(hwnd);
  if (!e || index != GWL_EXSTYLE) {
    return 0;
  }
  const std::int32_t old = e->ex_style | (e->topmost ? WS_EX_TOPMOST : 0);
  // Topmost is a place in the z-order, set through SetWindowPos, not a style bit to write.
  e->ex_style = value & ~WS_EX_TOPMOST;
  return old;
}

bool QtDesktop::SetWindowPos(Hwnd hwnd, Hwnd insert_after, std::int32_t x, std::int32_t y,
                             std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  Entry* e = state_->Find(hwnd);
  if (!e) {
    return false;
  }
  WindowBase* base = e->window;
  if ((flags & SWP_SHOWWINDOW) && base && !base->Realise()) {
    return false;  // shown, it needs its widget; its parent's is gone
  }
  e = state_->Find(hwnd);
  QWidget* w = e->widget.data();
  // A window still waiting for its widget is placed, stacked and hidden in its record.
  const bool waiting = base && !base->realised();
  if (!w && !waiting) {
    return false;
  }
  if (!(flags & SWP_NOSIZE)) {
    if (base) {
      base->SizedTo(cx, cy);
    } else {
      w->resize(cx, cy);
    }
  }
  if (!(flags & SWP_NOMOVE)) {
    if (base) {
      base->MovedTo(x, y);
    } else {
      w->move(x, y);
    }
  }
  bool raise = false;
  if (!(flags & SWP_NOZORDER)) {
    if (insert_after == HWND_TOPMOST) {
      e->topmost = true;
      raise = true;
    } else if (insert_after == HWND_NOTOPMOST) {
      e->topmost = false;
    } else if (insert_after == HWND_TOP) {
      raise = true;
    }
  }
  if ((flags & SWP_SHOWWINDOW) && e->detached) {
    // Shown as a child at last: put it into its parent for real.
    if (QWidget* p = state_->RealisedWidget(e->parent)) {
      const QPoint offset = w->pos();
      w->setParent(p, Qt::Widget);
      w->move(offset);
    }
    e = state_->Find(hwnd);
    e->detached = false;
  }
  if ((flags & SWP_SHOWWINDOW) && w) {
    if (base) {
      base->visible_ = true;
    }
    if (!(flags & SWP_NOACTIVATE)) {
      w->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    w->show();
    raise = raise || e->topmost;
  } else if (flags & SWP_HIDEWINDOW) {
    if (base) {
      base->visible_ = false;
    }
    if (w) {
      w->hide();
    }
  }
  if (raise && w && w->isVisible()) {
    // Without a window manager a window shown later is not necessarily above the form.
    w->raise();
    // Platforms without a stacking order of their own (offscreen) keep it here, for pictures
    // of the screen.
    w->setProperty(kStackingProperty, ++state_->stacking);
  }
  return true;
}

bool QtDesktop::ClientToScreen(Hwnd hwnd, Point& point) {
  if (hwnd == kDesktopHandle) {
    return true;  // the desktop's client area is the screen
  }
  const Entry* e = state_->Find(hwnd);
  if (!e) {
    return false;
  }
  if (!e->widget && e->window && !e->window->realised()) {
    // Where its widget would be: its offset in its parent.
    const QPoint offset = e->window->DevicePosition();
    point.x += offset.x();
    point.y += offset.y();
    return e->parent == kDesktopHandle || ClientToScreen(e->parent, point);
  }
  if (!e->widget) {
    return false;
  }
  QWidget* w = e->widget.data();
  if (e->detached) {
    // Measured from the parent it belongs to, not from where the hidden window waits.
    const QPoint offset = w->pos();
    point.x += offset.x();
    point.y += offset.y();
    return ClientToScreen(e->parent, point);
  }
  state_->last_converted = w;
  const QPoint global = w->mapToGlobal(QPoint(point.x, point.y));
  point = {global.x(), global.y()};
  return true;
}

std::int32_t QtDesktop::GetSystemMetrics(std::int32_t index) {
  if (auto it = state_->metrics.find(index); it != state_->metrics.end()) {
    return it->second;
  }
  if (state_->work_area && (index == SM_CXFULLSCREEN || index == SM_CYFULLSCREEN)) {
    return index == SM_CXFULLSCREEN ? state_->work_area->right : state_->work_area->bottom;
  }
  switch (index) {
    case SM_CXFULLSCREEN:
    case SM_CYFULLSCREEN: {
      QScreen* screen = nullptr;
      if (QWidget* w = state_->last_converted.data()) {
        screen = w->screen();
      }
      if (!screen && state_->last_cursor) {
        screen = QGuiApplication::screenAt(*state_->last_cursor);
      }
      if (!screen) {
        screen = QGuiApplication::primaryScreen();
      }
      if (!screen) {
        return 0;
      }
      const QRect a = screen->availableGeometry();
      const Rect pixels{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
      const qtgeom::WorkArea area = qtgeom::WorkAreaMetrics(pixels);
      return index == SM_CXFULLSCREEN ? area.cx : area.cy;
    }
    case SM_CYHSCROLL: {
      const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
      return extent > 0 ? extent : 16;
    }
    case SM_CXBORDER:
      return 1;
    default:
      return 0;
  }
}

Rect QtDesktop::GetWorkArea(Hwnd hwnd) {
  if (state_->work_area) {
    return *state_->work_area;
  }
  QScreen* screen = nullptr;
  const Entry* e = state_->Find(hwnd);
  if (QWidget* w = e ? e->widget.data() : nullptr) {
    screen = QGuiApplication::screenAt(w->mapToGlobal(w->rect().center()));
    if (!screen) {
      screen = w->screen();
    }
  }
  if (!screen) {
    screen = QGuiApplication::primaryScreen();
  }
  if (!screen) {
    return Rect{};
  }
  const QRect a = screen->availableGeometry();
  return Rect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

Rect QtDesktop::GetVirtualScreenRect() {
  if (state_->work_area) {
    return Windowing::GetVirtualScreenRect();
  }
  std::optional<Rect> all;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect g = screen->geometry();
    const Rect r{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    if (!all) {
      all = r;
    } else {
      all = Rect{std::min(all->left, r.left), std::min(all->top, r.top),
                 std::max(all->right, r.right), std::max(all->bottom, r.bottom)};
    }
  }
  return all ? *all : Windowing::GetVirtualScreenRect();
}

bool QtDesktop::GetCursorPos(Point& point) {
  if (state_->last_cursor) {
    point = {state_->last_cursor->x(), state_->last_cursor->y()};
    return true;
  }
  const QPoint c = QCursor::pos();
  point = {c.x(), c.y()};
  return true;
}

Hwnd QtDesktop::SetCapture(Hwnd hwnd) {
  const Hwnd previous = GetCapture();
  QWidget* w = state_->RealisedWidget(hwnd);
  if (!w) {
    return previous;
  }
  state_->capture = hwnd;
  state_->capture_attempts = 1;
  if (state_->wayland) {
    // The pop-up's grab is the capture: Qt hands the open pop-up every mouse event of the
    // application while the compositor grabs for it. Grabbing the mouse on top of that would
    // send the presses on the other windows of the application to it at no position.
    state_->capture_confirmed = state_->HoldsMouse(hwnd, w);
    return previous;
  }
  qt_detail::GrabProbe* probe = state_->probe.get();
  if (!probe || !probe->Available() || !w->isVisible()) {
    w->grabMouse();
    state_->capture_confirmed = QWidget::mouseGrabber() == w;
    return previous;
  }
  // On X11 neither Qt nor the server's reply says for sure that the grab took: a window the
  // server has not mapped yet cannot take it, and another program may hold the pointer. So:
  // drop whatever grab this program holds (a press in progress holds one), ask from a second
  // connection whether the pointer is free, grab, and ask again: grabbed now and free before
  // means the grab is ours. Until then try again, for a while.
  state_->capture_confirmed = false;
  for (int attempt = 1; attempt <= 40; ++attempt) {
    state_->capture_attempts = attempt;
    if (QWidget* g = QWidget::mouseGrabber()) {
      g->releaseMouse();
    }
    qt_detail::UngrabOwnPointer();
    const bool free_before = !probe->PointerGrabbed();
    w->grabMouse();
    if (free_before && probe->PointerGrabbed()) {
      state_->capture_confirmed = true;
      break;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    QThread::msleep(5);
    if (!state_->Find(hwnd) || state_->capture != hwnd || !w->isVisible()) {
      break;  // the window went away or the capture moved while waiting
    }
  }
  return previous;
}

bool QtDesktop::ReleaseCapture() {
  if (QWidget* g = QWidget::mouseGrabber()) {
    g->releaseMouse();
  }
  state_->capture = kNoWindow;
  return true;
}

Hwnd QtDesktop::GetCapture() {
  const Entry* e = state_->Find(state_->capture);
  if (!e || !state_->HoldsMouse(state_->capture, e->widget.data())) {
    return kNoWindow;
  }
  return state_->capture;
}

namespace {

QColor ShadeColor(const QPalette& pal, qtgeom::Shade shade) {
  switch (shade) {
    case qtgeom::Shade::Light:
      return pal.color(QPalette::Light);
    case qtgeom::Shade::Midlight:
      return pal.color(QPalette::Midlight);
    case qtgeom::Shade::Mid:
      return pal.color(QPalette::Mid);
    case qtgeom::Shade::Dark:
      return pal.color(QPalette::Dark);
  }
  return pal.color(QPalette::Mid);
}

void FillSegments(QPainter& p, const std::vector<qtgeom::Segment>& segments, const QPalette& pal,
                  const QColor* fixed) {
  for (const qtgeom::Segment& s : segments) {
    p.fillRect(QRect(QPoint(std::min(s.x1, s.x2), std::min(s.y1, s.y2)),
                     QPoint(std::max(s.x1, s.x2), std::max(s.y1, s.y2))),
               fixed ? *fixed : ShadeColor(pal, s.shade));
  }
}

}  // namespace

bool QtDesktop::DrawEdge(Hdc hdc, Rect& rect, std::uint32_t edge, std::uint32_t flags) {
  const Rect r = rect;
  QtDrawCall call;
  call.kind = QtDrawCall::Kind::DrawEdge;
  call.rect = r;
  call.a = edge;
  call.b = flags;
  qt_detail::Record(*state_, hdc, call);
  // The edge covers a ring two pixels wide.
  const auto ring = [&] {
    const QRect outer(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    return QRegion(outer).subtracted(QRegion(outer.adjusted(2, 2, -2, -2)));
  };
  return qt_detail::WithPainter(*state_, hdc, ring, [&](QPainter& p) {
    const QPalette pal = QApplication::palette();
    FillSegments(p, qtgeom::EdgeSegments(r, edge, flags), pal, nullptr);
  });
}

bool QtDesktop::DrawFrameControl(Hdc hdc, Rect& rect, std::uint32_t type, std::uint32_t state) {
  QtDrawCall call;
  call.kind = QtDrawCall::Kind::DrawFrameControl;
  call.rect = rect;
  call.a = type;
  call.b = state;
  qt_detail::Record(*state_, hdc, call);
  if (type != DFC_SCROLL) {
    // The caption band's menu glyph is left out: the band keeps the panel's background.
    return qt_detail::WithPainter(
        *state_, hdc, [] { return QRegion(); }, [](QPainter&) {});
  }
  const Rect r = rect;
  const bool pushed = (state & DFCS_PUSHED) != 0;
  const auto where = [&] {
    return QRegion(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
  };
  return qt_detail::WithPainter(*state_, hdc, where, [&](QPainter& p) {
    const QPalette pal = QApplication::palette();
    if (r.right > r.left && r.bottom > r.top) {
      p.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)),
                 pal.color(QPalette::Button));
    }
    if (pushed) {
      // A pushed scroll button is flat: one ring of the shadow shade.
      const QColor mid = pal.color(QPalette::Mid);
      const Rect inner{r.left, r.top, r.right, r.bottom};
      std::vector<qtgeom::Segment> ring = qtgeom::EdgeSegments(inner, BDR_SUNKENOUTER, BF_RECT);
      FillSegments(p, ring, pal, &mid);
    } else {
      FillSegments(p, qtgeom::EdgeSegments(r, EDGE_RAISED, BF_RECT), pal, nullptr);
    }
    if (state & DFCS_SCROLLDOWN) {
      const QColor text = pal.color(QPalette::ButtonText);
      FillSegments(p, qtgeom::ScrollDownArrow(r, pushed), pal, &text);
    }
  });
}

std::unique_ptr<Form> QtDesktop::CreateContainer(std::string_view name, std::int32_t x,
                                                 std::int32_t y, std::int32_t width,
                                                 std::int32_t height) {
  auto form = qt_detail::MakeForm(state_, name, true);
  WindowBase* base = qt_detail::WindowOf(*form);
  base->MovedTo(x, y);
  base->SizedTo(width, height);
  form->SetVisible(true);
  // Again once shown: the client area, not the frame, starts at (x, y).
  base->ApplyGeometry();
  return form;
}

Hwnd QtDesktop::RegisterContainer(QWidget* widget, std::string_view name) {
  if (!widget) {
    return kNoWindow;
  }
  if (const Hwnd existing = state_->HandleOf(widget); existing != kNoWindow) {
    return existing;
  }
  Entry entry;
  entry.widget = widget;
  entry.kind = Kind::Container;
  entry.name = std::string(name);
  entry.parent = widget->isWindow() ? kDesktopHandle : state_->HandleOf(widget->parentWidget());
  const Hwnd hwnd = state_->Register(std::move(entry));
  state_->Find(hwnd)->top = hwnd;
  // Forget the handle when the widget goes.
  std::weak_ptr<DesktopState> weak = state_;
  QObject::connect(widget, &QObject::destroyed, [weak, hwnd] {
    if (auto s = weak.lock()) {
      s->Unregister(hwnd);
    }
  });
  return hwnd;
}

void QtDesktop::OverrideTwipsPerPixel(float x, float y) {
  state_->tpp_x = x > 0.0f ? std::optional<float>(x) : std::nullopt;
  state_->tpp_y = y > 0.0f ? std::optional<float>(y) : std::nullopt;
}

void QtDesktop::OverrideWorkArea(const Rect& area) {
  if (area.right > area.left && area.bottom > area.top) {
    state_->work_area = area;
  } else {
    state_->work_area.reset();
  }
}

void QtDesktop::OverrideSystemMetric(std::int32_t index, std::int32_t value) {
  state_->metrics[index] = value;
}

std::vector<QtDrawCall> QtDesktop::Drawing(Hwnd hwnd) const {
  const Entry* e = state_->Find(hwnd);
  return e ? e->drawing : std::vector<QtDrawCall>{};
}

std::vector<QtDrawCall> QtDesktop::Repaint(Hwnd hwnd) {
  Entry* e = state_->Find(hwnd);
  if (!e || !e->window || (!e->widget && e->window->realised())) {
    return {};
  }
  e->drawing.clear();
  if (e->widget && e->widget->isVisible()) {
    e->widget->repaint();
  } else {
    e->window->RunPaintHandler();  // a hidden window still runs its paint code
  }
  return Drawing(hwnd);
}

QWidget* QtDesktop::WidgetOf(Hwnd hwnd) const {
  return state_->RealisedWidget(hwnd);
}

Hwnd QtDesktop::HandleOf(const QWidget* widget) const {
  return state_->HandleOf(widget);
}

std::string QtDesktop::WindowName(Hwnd hwnd) const {
  const Entry* e = state_->Find(hwnd);
  return e ? e->name : std::string();
}

bool QtDesktop::IsTopmost(Hwnd hwnd) const {
  const Entry* e = state_->Find(hwnd);
  return e && e->topmost;
}

bool QtDesktop::LastCaptureConfirmed() const {
  return state_->capture_confirmed;
}
int QtDesktop::LastCaptureAttempts() const {
  return state_->capture_attempts;
}

}  // namespace datewell
