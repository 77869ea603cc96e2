// The headless desktop: the window tree, z-order, capture, focus, paint queue and message queue,
// and the window operations over them.

#include <algorithm>
#include <charconv>
#include <ctime>

#include "platform/headless/internal.h"
#include "platform/headless/text_edit.h"

namespace datewell::headless {

// ---- Node ----

Node::Node(State* st, NodeKind k, std::string_view n, std::int64_t parent_id)
    : state(st), id(st != nullptr ? st->next_id++ : 0), kind(k), name(n) {
  if (state == nullptr) {
    orphan = true;
    return;
  }
  state->Register(this);
  Node* p = parent_id != 0 ? state->Find(parent_id) : nullptr;
  if (p != nullptr) {
    parent = parent_id;
    p->children.push_back(id);
  } else if (Windowed()) {
    state->top_level.push_back(id);
    state->BringToTop(*this);
  } else {
    orphan = true;  // a windowless widget needs a container
  }
}

Node::~Node() {
  if (state != nullptr) {
    state->Unregister(this);
  }
}

// ---- Registry ----

HeadlessDesktop::State::~State() {
  for (auto& [id, node] : nodes) {
    node->state = nullptr;
  }
}

std::int64_t State::Register(Node* node) {
  nodes[node->id] = node;
  return node->id;
}

void State::Unregister(Node* node) {
  if (auto* list = SiblingList(*node)) {
    std::erase(*list, node->id);
  }
  nodes.erase(node->id);
  // Children left behind by a parent destroyed first become unreachable, never dangling.
  for (std::int64_t child : node->children) {
    if (Node* c = Find(child)) {
      c->parent = 0;
      c->orphan = true;
    }
  }
  if (capture == node->id) {
    capture = kNoWindow;
  }
  if (focus == node->id) {
    focus = 0;
  }
  if (press_target == node->id) {
    press_target = 0;
  }
  if (active == node->id) {
    active = kNoWindow;
  }
  pending_paint.erase(node->id);
}

Node* State::Find(std::int64_t id) const {
  auto it = nodes.find(id);
  return it == nodes.end() ? nullptr : it->second;
}

Node* State::FindWindow(Hwnd hwnd) const {
  Node* n = Find(hwnd);
  return n != nullptr && n->Windowed() ? n : nullptr;
}

// ---- Tree and z-order ----

std::vector<std::int64_t>* State::SiblingList(const Node& n) {
  if (n.orphan) {
    return nullptr;
  }
  if (n.parent != 0) {
    Node* p = Find(n.parent);
    return p != nullptr ? &p->children : nullptr;
  }
  return n.Windowed() ? &top_level : nullptr;
}

void State::BringToTop(Node& n) {
  auto* list = SiblingList(n);
  if (list == nullptr) {
    return;
  }
  std::erase(*list, n.id);
  if (list != &top_level || n.topmost) {
    list->push_back(n.id);
    return;
  }
  // The top of the ordinary band is just below the first topmost window.
  auto it = std::find_if(list->begin(), list->end(), [&](std::int64_t id) {
    Node* o = Find(id);
    return o != nullptr && o->topmost;
  });
  list->insert(it, n.id);
}

void State::PlaceAtBottom(Node& n) {
  auto* list = SiblingList(n);
  if (list == nullptr) {
    return;
  }
  std::erase(*list, n.id);
  n.topmost = false;
  list->insert(list->begin(), n.id);
}

void State::PlaceAfter(Node& n, Hwnd after) {
  constexpr Hwnd kHwndBottom = 1;
  if (after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    n.topmost = after == HWND_TOPMOST && IsTopLevel(n);
    BringToTop(n);
    return;
  }
  if (after == HWND_TOP) {
    BringToTop(n);
    return;
  }
  if (after == kHwndBottom) {
    PlaceAtBottom(n);
    return;
  }
  auto* list = SiblingList(n);
  Node* a = FindWindow(after);
  if (list == nullptr || a == nullptr || a == &n ||
      std::find(list->begin(), list->end(), after) == list->end()) {
    return;  // not a sibling: the order stays
  }
  std::erase(*list, n.id);
  n.topmost = a->topmost;
  list->insert(std::find(list->begin(), list->end(), after), n.id);  // just below it
}

bool State::IsAncestor(std::int64_t maybe_ancestor, std::int64_t id) const {
  for (Node* n = Find(id); n != nullptr && n->parent != 0; n = Find(n->parent)) {
    if (n->parent == maybe_ancestor) {
      return true;
    }
  }
  return false;
}

Node* State::WindowOf(Node& n) const {
  Node* cur = &n;
  while (cur != nullptr && !cur->Windowed()) {
    cur = cur->parent != 0 ? Find(cur->parent) : nullptr;
  }
  return cur;
}

// ---- Geometry ----

Rect State::ParentRelativeRect(const Node& n) const {
  return PixelRect(n.left, n.top, n.width, n.height, tpp_x, tpp_y);
}

std::optional<Point> State::ScreenOrigin(const Node& n) const {
  auto r = ScreenRectOf(n);
  if (!r) {
    return std::nullopt;
  }
  return Point{r->left, r->top};
}

std::optional<Rect> State::ScreenRectOf(const Node& n) const {
  if (n.orphan) {
    return std::nullopt;
  }
  Rect r = ParentRelativeRect(n);
  if (n.parent == 0) {
    if (!n.Windowed()) {
      return std::nullopt;
    }
    return r;
  }
  Node* p = Find(n.parent);
  if (p == nullptr) {
    return std::nullopt;
  }
  auto po = ScreenOrigin(*p);
  if (!po) {
    return std::nullopt;
  }
  return Rect{SaturatingAdd(po->x, r.left), SaturatingAdd(po->y, r.top),
              SaturatingAdd(po->x, r.right), SaturatingAdd(po->y, r.bottom)};
}

bool State::Shown(const Node& n) const {
  if (!n.visible || n.orphan) {
    return false;
  }
  if (n.parent == 0) {
    return n.Windowed();
  }
  Node* p = Find(n.parent);
  return p != nullptr && Shown(*p);
}

bool State::InputEnabled(const Node& n) const {
  if (!n.AcceptsInput()) {
    return false;
  }
  Node* p = n.parent != 0 ? Find(n.parent) : nullptr;
  return p == nullptr || InputEnabled(*p);
}

// ---- Visibility, paint, focus ----

void State::SetVisibleFlag(Node& n, bool on, bool raise_when_shown) {
  if (n.visible == on) {
    return;
  }
  n.visible = on;
  if (on) {
    if (raise_when_shown && IsTopLevel(n)) {
      BringToTop(n);
    }
    if (Shown(n)) {
      QueuePaintTree(n);
    }
    return;
  }
  // A hidden window cannot keep the keyboard.
  if (focus != 0 && (focus == n.id || IsAncestor(n.id, focus))) {
    MoveFocus(0);
  }
}

void State::QueuePaintTree(const Node& n) {
  if (n.Windowed() && n.HasPaint()) {
    QueuePaint(n.id);
  }
  for (std::int64_t child : n.children) {
    if (Node* c = Find(child); c != nullptr && c->visible) {
      QueuePaintTree(*c);
    }
  }
}

void State::QueuePaint(std::int64_t id) {
  if (!pending_paint.insert(id).second) {
    return;  // one pending paint per window, as a window system coalesces them
  }
  Post([this, id] {
    pending_paint.erase(id);
    Node* n = Find(id);
    if (n != nullptr && Shown(*n)) {
      BackendPaint(id);
    }
  });
}

void State::BackendPaint(std::int64_t id) {
  Node* n = Find(id);
  if (n == nullptr || !n->Windowed()) {
    return;
  }
  n->drawing.clear();
  n->OnPaint();
}

void State::MoveFocus(std::int64_t id) {
  if (id == focus) {
    return;
  }
  if (id != 0) {
    Node* target = Find(id);
    if (target == nullptr || target->kind != NodeKind::TextBox || !InputEnabled(*target)) {
      return;
    }
  }
  std::int64_t old = focus;
  focus = 0;
  if (Node* o = Find(old)) {
    o->OnLostFocus();
  }
  if (id == 0 || focus != 0) {
    return;  // nowhere, or the LostFocus handler already moved it
  }
  Node* target = Find(id);
  if (target == nullptr) {
    return;
  }
  focus = id;
  target->OnGotFocus();
}

void State::Activate(Hwnd top) {
  active = top;
}

// ---- Hit testing ----

Node* State::HitWindow(Point p) const {
  for (auto it = top_level.rbegin(); it != top_level.rend(); ++it) {
    Node* n = Find(*it);
    if (n == nullptr || !Shown(*n)) {
      continue;
    }
    auto r = ScreenRectOf(*n);
    if (!r || !PtInRect(*r, p)) {
      continue;
    }
    // The child window under the point, front to back, as deep as it goes.
    Node* cur = n;
    for (bool descended = true; descended;) {
      descended = false;
      for (auto c = cur->children.rbegin(); c != cur->children.rend(); ++c) {
        Node* child = Find(*c);
        if (child == nullptr || !child->Windowed() || !child->visible) {
          continue;
        }
        auto cr = ScreenRectOf(*child);
        if (cr && PtInRect(*cr, p)) {
          cur = child;
          descended = true;
          break;
        }
      }
    }
    return cur;
  }
  return nullptr;
}

Node* State::HitTarget(Point p) const {
  Node* w = HitWindow(p);
  if (w == nullptr) {
    return nullptr;
  }
  // A container routes input to the windowless label under the point.
  for (auto c = w->children.rbegin(); c != w->children.rend(); ++c) {
    Node* child = Find(*c);
    if (child == nullptr || child->kind != NodeKind::Label || !child->visible) {
      continue;
    }
    auto r = ScreenRectOf(*child);
    if (r && PtInRect(*r, p)) {
      return child;
    }
  }
  return w;
}

MouseArgs State::ArgsFor(const Node& n, Point p, std::int16_t button, std::int16_t shift) const {
  MouseArgs a;
  a.button = button;
  a.shift = shift;
  if (n.Windowed()) {
    Point o = ScreenOrigin(n).value_or(Point{});
    a.x = static_cast<float>(std::int64_t{p.x} - o.x) * tpp_x;
    a.y = static_cast<float>(std::int64_t{p.y} - o.y) * tpp_y;
    return a;
  }
  // A windowless widget gets its own coordinates: the container's twips less its position.
  Node* container = n.parent != 0 ? Find(n.parent) : nullptr;
  Point o = container != nullptr ? ScreenOrigin(*container).value_or(Point{}) : Point{};
  a.x = static_cast<float>(std::int64_t{p.x} - o.x) * tpp_x - n.left;
  a.y = static_cast<float>(std::int64_t{p.y} - o.y) * tpp_y - n.top;
  return a;
}

namespace {

Node* FindDefaultButton(const State& st, const Node& root, bool is_root) {
  if (!is_root && root.kind == NodeKind::Surface) {
    return nullptr;  // a nested control keeps its own default button
  }
  for (std::int64_t child : root.children) {
    Node* c = st.Find(child);
    if (c == nullptr) {
      continue;
    }
    if (auto* b = dynamic_cast<ButtonNode*>(c); b != nullptr && b->IsDefault()) {
      return c;
    }
    if (Node* found = FindDefaultButton(st, *c, false)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

Node* State::DefaultButtonFor(Node& n) const {
  for (Node* cur = &n; cur != nullptr; cur = cur->parent != 0 ? Find(cur->parent) : nullptr) {
    if (cur->kind == NodeKind::Surface || cur->kind == NodeKind::Form) {
      if (Node* b = FindDefaultButton(*this, *cur, true)) {
        return b;
      }
    }
  }
  return nullptr;
}

// ---- Formatting ----

namespace {

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::string Num(float v) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  auto res = std::to_chars(buf, buf + sizeof buf, v, 16);
  return "0x" + std::string(buf, res.ptr);
}

using Namer = std::function<std::string(Hwnd)>;

std::string InsertAfterText(Hwnd after, const Namer& namer) {
  switch (after) {
    case HWND_TOP:
      return "HWND_TOP";
    case HWND_TOPMOST:
      return "HWND_TOPMOST";
    case HWND_NOTOPMOST:
      return "HWND_NOTOPMOST";
    default:
      return namer(after);
  }
}

std::string FormatCall(const WindowCall& c, const Namer& namer) {
  switch (c.kind) {
    case WindowCall::Kind::SetWindowPos:
      return "SetWindowPos " + namer(c.hwnd) + " " + InsertAfterText(c.insert_after, namer) + " " +
             std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.cx) + "," +
             std::to_string(c.cy) + " " + Hex(c.flags);
    case WindowCall::Kind::SetParent:
      return "SetParent " + namer(c.hwnd) + " " + namer(c.parent);
    case WindowCall::Kind::SetCapture:
      return "SetCapture " + namer(c.hwnd);
    case WindowCall::Kind::ReleaseCapture:
      return "ReleaseCapture";
  }
  return {};
}

}  // namespace

std::string FormatWindowCall(const WindowCall& call) {
  return FormatCall(call, [](Hwnd h) { return std::to_string(h); });
}

std::string FormatDrawCall(const DrawCall& c) {
  switch (c.kind) {
    case DrawCall::Kind::DrawEdge:
      return "DrawEdge " + RectText(c.rect) + " " + std::to_string(c.a) + " " + std::to_string(c.b);
    case DrawCall::Kind::DrawFrameControl:
      return "DrawFrameControl " + RectText(c.rect) + " " + std::to_string(c.a) + " " +
             std::to_string(c.b);
    case DrawCall::Kind::Line:
      return "Line " + Num(c.x1) + "," + Num(c.y1) + " " + Num(c.x2) + "," + Num(c.y2);
  }
  return {};
}

std::vector<std::string> FormatDrawCalls(const std::vector<DrawCall>& calls) {
  std::vector<std::string> out;
  out.reserve(calls.size());
  for (const DrawCall& c : calls) {
    out.push_back(FormatDrawCall(c));
  }
  return out;
}

// ---- HeadlessDesktop: construction and the toolkit ----

HeadlessDesktop::HeadlessDesktop() : state_(std::make_shared<State>()) {
  state_->metrics[SM_CYHSCROLL] = 16;
  state_->metrics[SM_CXBORDER] = 1;
}

HeadlessDesktop::~HeadlessDesktop() = default;

namespace {

std::int64_t ParentId(State& st, Widget& parent) {
  auto* n = dynamic_cast<Node*>(&parent);
  return n != nullptr && n->state == &st ? n->id : 0;
}

}  // namespace

std::unique_ptr<UserControlSurface> HeadlessDesktop::CreateUserControl(Hwnd container,
                                                                       std::string_view name) {
  Node* c = state_->FindWindow(container);
  return MakeSurface(state_.get(), c != nullptr ? c->id : 0, name);
}
std::unique_ptr<TextBox> HeadlessDesktop::CreateTextBox(Widget& parent, std::string_view name) {
  return MakeTextBox(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<PictureBox> HeadlessDesktop::CreatePictureBox(Widget& parent,
                                                              std::string_view name) {
  return MakePictureBox(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<Label> HeadlessDesktop::CreateLabel(Widget& parent, std::string_view name) {
  return MakeLabel(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<ListBox> HeadlessDesktop::CreateListBox(Widget& parent, std::string_view name) {
  return MakeListBox(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<CommandButton> HeadlessDesktop::CreateCommandButton(Widget& parent,
                                                                    std::string_view name) {
  return MakeCommandButton(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<LineShape> HeadlessDesktop::CreateLine(Widget& parent, std::string_view name) {
  return MakeLine(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<ImageBox> HeadlessDesktop::CreateImage(Widget& parent, std::string_view name) {
  return MakeImage(state_.get(), ParentId(*state_, parent), name);
}
std::unique_ptr<Form> HeadlessDesktop::CreateForm(std::string_view name) {
  return MakeForm(state_.get(), name);
}

float HeadlessDesktop::TwipsPerPixelX() {
  return state_->tpp_x;
}
float HeadlessDesktop::TwipsPerPixelY() {
  return state_->tpp_y;
}

void HeadlessDesktop::DoEvents() {
  State& s = *state_;
  while (!s.queue.empty()) {
    auto message = std::move(s.queue.front());
    s.queue.pop_front();
    if (message) {
      message();
    }
  }
}

// ---- Windowing ----

Hwnd HeadlessDesktop::GetDesktopWindow() {
  return State::kDesktop;
}

Hwnd HeadlessDesktop::GetParent(Hwnd hwnd) {
  Node* n = state_->FindWindow(hwnd);
  if (n == nullptr || n->orphan) {
    return kNoWindow;
  }
  return n->parent != 0 ? n->parent : State::kDesktop;
}

Hwnd HeadlessDesktop::SetParent(Hwnd hwnd, Hwnd parent) {
  State& s = *state_;
  WindowCall call;
  call.kind = WindowCall::Kind::SetParent;
  call.hwnd = hwnd;
  call.parent = parent;
  s.Log(call);
  Node* n = s.FindWindow(hwnd);
  if (n == nullptr) {
    return kNoWindow;
  }
  Node* p = nullptr;
  if (parent != kNoWindow && parent != State::kDesktop) {
    p = s.FindWindow(parent);
    if (p == nullptr || p == n || s.IsAncestor(n->id, p->id)) {
      return kNoWindow;  // no such parent, or a cycle
    }
  }
  Hwnd previous = n->orphan ? kNoWindow : (n->parent != 0 ? n->parent : State::kDesktop);
  // The window keeps its pixel offset, now from the new parent's client origin.
  Rect r = s.ParentRelativeRect(*n);
  n->left = static_cast<float>(r.left) * s.tpp_x;
  n->top = static_cast<float>(r.top) * s.tpp_y;
  if (auto* list = s.SiblingList(*n)) {
    std::erase(*list, n->id);
  }
  n->orphan = false;
  n->parent = p != nullptr ? p->id : 0;
  if (p != nullptr) {
    n->topmost = false;
    p->children.push_back(n->id);
  } else {
    s.top_level.push_back(n->id);
    s.BringToTop(*n);
  }
  return previous;
}

std::int32_t HeadlessDesktop::GetWindowLongA(Hwnd hwnd, std::int32_t index) {
  Node* n = state_->FindWindow(hwnd);
  if (n == nullptr || index != GWL_EXSTYLE) {
    return 0;
  }
  return n->ex_style | (n->topmost ? WS_EX_TOPMOST : 0);
}

std::int32_t HeadlessDesktop::SetWindowLongA(Hwnd hwnd, std::int32_t index, std::int32_t value) {
  Node* n = state_->FindWindow(hwnd);
  if (n == nullptr || index != GWL_EXSTYLE) {
    return 0;
  }
  std::int32_t previous = GetWindowLongA(hwnd, index);
  // The topmost bit follows the z-order band; only SetWindowPos moves a window between bands.
  n->ex_style = value & ~WS_EX_TOPMOST;
  return previous;
}

bool HeadlessDesktop::SetWindowPos(Hwnd hwnd, Hwnd insert_after, std::int32_t x, std::int32_t y,
                                   std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  State& s = *state_;
  WindowCall call;
  call.kind = WindowCall::Kind::SetWindowPos;
  call.hwnd = hwnd;
  call.insert_after = insert_after;
  call.x = x;
  call.y = y;
  call.cx = cx;
  call.cy = cy;
  call.flags = flags;
  s.Log(call);
  Node* n = s.FindWindow(hwnd);
  if (n == nullptr) {
    return false;
  }
  std::int64_t id = n->id;
  if ((flags & SWP_NOMOVE) == 0) {
    n->left = static_cast<float>(x) * s.tpp_x;
    n->top = static_cast<float>(y) * s.tpp_y;
  }
  if ((flags & SWP_NOSIZE) == 0) {
    n->width = static_cast<float>(cx) * s.tpp_x;
    n->height = static_cast<float>(cy) * s.tpp_y;
  }
  if ((flags & SWP_NOZORDER) == 0) {
    s.PlaceAfter(*n, insert_after);
  }
  if ((flags & SWP_SHOWWINDOW) != 0) {
    s.SetVisibleFlag(*n, true, false);
  } else if ((flags & SWP_HIDEWINDOW) != 0) {
    s.SetVisibleFlag(*n, false, false);
  }
  n = s.FindWindow(id);  // hiding may have run a LostFocus handler
  if (n != nullptr && (flags & SWP_NOACTIVATE) == 0 && s.IsTopLevel(*n) && s.Shown(*n)) {
    s.Activate(id);
  }
  return true;
}

bool HeadlessDesktop::ClientToScreen(Hwnd hwnd, Point& point) {
  if (hwnd == State::kDesktop) {
    return true;
  }
  Node* n = state_->FindWindow(hwnd);
  if (n == nullptr) {
    return false;
  }
  auto o = state_->ScreenOrigin(*n);
  if (!o) {
    return false;
  }
  point.x = SaturatingAdd(point.x, o->x);
  point.y = SaturatingAdd(point.y, o->y);
  return true;
}

std::int32_t HeadlessDesktop::GetSystemMetrics(std::int32_t index) {
  State& s = *state_;
  if (index == SM_CXFULLSCREEN) {
    return s.work_width;
  }
  if (index == SM_CYFULLSCREEN) {
    return s.work_height;
  }
  auto it = s.metrics.find(index);
  return it == s.metrics.end() ? 0 : it->second;
}

bool HeadlessDesktop::GetCursorPos(Point& point) {
  point = state_->cursor;
  return true;
}

Hwnd HeadlessDesktop::SetCapture(Hwnd hwnd) {
  State& s = *state_;
  WindowCall call;
  call.kind = WindowCall::Kind::SetCapture;
  call.hwnd = hwnd;
  s.Log(call);
  Hwnd previous = GetCapture();
  if (s.FindWindow(hwnd) == nullptr) {
    return kNoWindow;
  }
  s.capture = hwnd;
  return previous;
}

bool HeadlessDesktop::ReleaseCapture() {
  WindowCall call;
  call.kind = WindowCall::Kind::ReleaseCapture;
  state_->Log(call);
  state_->capture = kNoWindow;
  return true;
}

Hwnd HeadlessDesktop::GetCapture() {
  return state_->FindWindow(state_->capture) != nullptr ? state_->capture : kNoWindow;
}

bool HeadlessDesktop::DrawEdge(Hdc hdc, Rect& rect, std::uint32_t edge, std::uint32_t flags) {
  Node* n = state_->FindWindow(hdc);
  if (n == nullptr) {
    return false;
  }
  DrawCall c;
  c.kind = DrawCall::Kind::DrawEdge;
  c.rect = rect;
  c.a = edge;
  c.b = flags;
  n->drawing.push_back(c);
  return true;
}

bool HeadlessDesktop::DrawFrameControl(Hdc hdc, Rect& rect, std::uint32_t type, std::uint32_t st) {
  Node* n = state_->FindWindow(hdc);
  if (n == nullptr) {
    return false;
  }
  DrawCall c;
  c.kind = DrawCall::Kind::DrawFrameControl;
  c.rect = rect;
  c.a = type;
  c.b = st;
  n->drawing.push_back(c);
  return true;
}

// ---- Clock and configuration ----

Date HeadlessDesktop::Now() {
  if (state_->now) {
    return *state_->now;
  }
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  Date day = DateFromCivil(CivilDate{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday});
  double seconds = tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec;
  return Date{day.serial + seconds / 86400.0};
}

void HeadlessDesktop::SetTwipsPerPixel(float x, float y) {
  if (x > 0.0f && y > 0.0f) {
    state_->tpp_x = x;
    state_->tpp_y = y;
  }
}

void HeadlessDesktop::SetWorkArea(std::int32_t width, std::int32_t height) {
  state_->work_width = width;
  state_->work_height = height;
}

void HeadlessDesktop::SetSystemMetric(std::int32_t index, std::int32_t value) {
  if (index == SM_CXFULLSCREEN) {
    state_->work_width = value;
  } else if (index == SM_CYFULLSCREEN) {
    state_->work_height = value;
  } else {
    state_->metrics[index] = value;
  }
}

void HeadlessDesktop::SetNow(Date now) {
  state_->now = now;
}

void HeadlessDesktop::UseSystemClock() {
  state_->now.reset();
}

// ---- Host side ----

std::unique_ptr<Form> HeadlessDesktop::CreateContainer(std::string_view name, std::int32_t x,
                                                       std::int32_t y, std::int32_t width,
                                                       std::int32_t height) {
  auto form = MakeForm(state_.get(), name);
  form->SetLeft(static_cast<float>(x) * state_->tpp_x);
  form->SetTop(static_cast<float>(y) * state_->tpp_y);
  form->SetWidth(static_cast<float>(width) * state_->tpp_x);
  form->SetHeight(static_cast<float>(height) * state_->tpp_y);
  form->SetVisible(true);
  return form;
}

void HeadlessDesktop::Post(std::function<void()> message) {
  state_->Post(std::move(message));
}

std::size_t HeadlessDesktop::PendingMessages() const {
  return state_->queue.size();
}

void HeadlessDesktop::Blur() {
  state_->MoveFocus(0);
}

void HeadlessDesktop::SetModalDriver(ModalDriver driver) {
  state_->modal_driver = std::move(driver);
}

void HeadlessDesktop::SetModalListener(ModalListener listener) {
  state_->modal_listener = std::move(listener);
}

// ---- Inspection ----

bool HeadlessDesktop::IsWindow(Hwnd hwnd) const {
  return hwnd == State::kDesktop || state_->FindWindow(hwnd) != nullptr;
}

std::optional<WindowInfo> HeadlessDesktop::Inspect(Hwnd hwnd) const {
  const State& s = *state_;
  Node* n = s.FindWindow(hwnd);
  if (n == nullptr) {
    return std::nullopt;
  }
  WindowInfo info;
  info.hwnd = hwnd;
  info.parent = n->orphan ? kNoWindow : (n->parent != 0 ? n->parent : State::kDesktop);
  info.name = n->name;
  info.ex_style = n->ex_style | (n->topmost ? WS_EX_TOPMOST : 0);
  info.topmost = n->topmost;
  info.visible = n->visible;
  info.shown = s.Shown(*n);
  info.rect = s.ParentRelativeRect(*n);
  info.screen_rect = s.ScreenRectOf(*n).value_or(Rect{});
  info.icon = n->IconImages();
  return info;
}

bool HeadlessDesktop::IsTopmost(Hwnd hwnd) const {
  Node* n = state_->FindWindow(hwnd);
  return n != nullptr && n->topmost;
}

bool HeadlessDesktop::IsVisible(Hwnd hwnd) const {
  Node* n = state_->FindWindow(hwnd);
  return n != nullptr && state_->Shown(*n);
}

Rect HeadlessDesktop::ScreenRect(Hwnd hwnd) const {
  Node* n = state_->FindWindow(hwnd);
  return n != nullptr ? state_->ScreenRectOf(*n).value_or(Rect{}) : Rect{};
}

std::string HeadlessDesktop::WindowName(Hwnd hwnd) const {
  Node* n = state_->FindWindow(hwnd);
  return n != nullptr ? n->name : std::string();
}

std::vector<Hwnd> HeadlessDesktop::TopLevelWindows() const {
  return {state_->top_level.rbegin(), state_->top_level.rend()};
}

Hwnd HeadlessDesktop::WindowFromPoint(Point screen) const {
  Node* n = state_->HitWindow(screen);
  return n != nullptr ? n->id : kNoWindow;
}

const Widget* HeadlessDesktop::WidgetAt(Point screen) const {
  Node* n = state_->HitTarget(screen);
  return n != nullptr ? &n->AsWidget() : nullptr;
}

std::vector<const Widget*> HeadlessDesktop::ChildWidgets(const Widget& parent) const {
  std::vector<const Widget*> out;
  const auto* p = dynamic_cast<const Node*>(&parent);
  if (p == nullptr || p->state != state_.get()) {
    return out;
  }
  for (std::int64_t id : p->children) {
    if (Node* c = state_->Find(id)) {
      out.push_back(&c->AsWidget());
    }
  }
  return out;
}

const TextBox* HeadlessDesktop::Focused() const {
  Node* n = state_->Find(state_->focus);
  return n != nullptr ? dynamic_cast<const TextBox*>(&n->AsWidget()) : nullptr;
}

std::string HeadlessDesktop::FocusedName() const {
  Node* n = state_->Find(state_->focus);
  return n != nullptr ? n->name : std::string();
}

std::string HeadlessDesktop::CaptureName() const {
  Node* n = state_->FindWindow(state_->capture);
  return n != nullptr ? n->name : std::string();
}

Hwnd HeadlessDesktop::ActiveWindow() const {
  return state_->FindWindow(state_->active) != nullptr ? state_->active : kNoWindow;
}

const std::vector<WindowCall>& HeadlessDesktop::Calls() const {
  return state_->calls;
}

std::vector<std::string> HeadlessDesktop::FormattedCalls() const {
  const State& s = *state_;
  Namer namer = [&s](Hwnd h) -> std::string {
    if (h == State::kDesktop) {
      return "desktop";
    }
    if (Node* n = s.FindWindow(h)) {
      return n->name;
    }
    return std::to_string(h);
  };
  std::vector<std::string> out;
  for (const WindowCall& c : s.calls) {
    out.push_back(FormatCall(c, namer));
  }
  return out;
}

void HeadlessDesktop::ClearCalls() {
  state_->calls.clear();
}

std::vector<DrawCall> HeadlessDesktop::Drawing(Hwnd hwnd) const {
  Node* n = state_->FindWindow(hwnd);
  return n != nullptr ? n->drawing : std::vector<DrawCall>{};
}

std::vector<DrawCall> HeadlessDesktop::Repaint(Hwnd hwnd) {
  std::int64_t id = hwnd;
  state_->BackendPaint(id);
  return Drawing(id);
}

}  // namespace datewell::headless
