#pragma once
// The platform-conformance suite: what every backend of the platform contract must do the same
// way, written only against Toolkit, Windowing and a small ConformanceBackend that creates a
// host window and injects input. A backend's test program includes this header once and
// instantiates the suite:
//
//   INSTANTIATE_TEST_SUITE_P(Headless, PlatformConformance,
//                            ::testing::Values(BackendParam{"Headless", MakeHeadless}),
//                            BackendParamName);
//
// Contract points the suite fixes beyond the interface comments:
// - GetWindowLongA(GWL_EXSTYLE) reports WS_EX_TOPMOST while a window is in the topmost band.
// - The mouse goes to the capture holder wherever it is pressed, in its client twips (which may
//   be negative); without a capture it goes to the topmost shown window under the point, then
//   the child window under it, then the windowless label under the point.
// - A press on a text box gives it the focus before its MouseDown.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"
#include "platform/windowing.h"

// Handler sets are written with designated initializers naming only the handlers a test needs;
// the others are empty on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace datewell::conformance {

class ConformanceBackend {
 public:
  virtual ~ConformanceBackend() = default;
  virtual Toolkit& toolkit() = 0;
  virtual Windowing& windowing() = 0;
  // A shown top-level host window whose client area starts at screen pixel (x, y).
  virtual std::unique_ptr<Form> CreateContainer(std::string_view name, int x, int y, int width,
                                                int height) = 0;
  // Input at screen pixels; keys go to the focused widget.
  virtual void MouseDown(int x, int y, std::int16_t button) = 0;
  virtual void MouseUp(int x, int y, std::int16_t button) = 0;
  virtual void MouseMove(int x, int y) = 0;
  virtual void KeyDown(std::int16_t key_code, std::int16_t shift) = 0;
  virtual void KeyUp(std::int16_t key_code, std::int16_t shift) = 0;
  // Down, the key's character if it has one, up.
  virtual void PressKey(std::int16_t key_code, std::int16_t shift) = 0;
  virtual void Type(std::string_view utf8) = 0;
  // Lets every pending event arrive.
  virtual void Pump() = 0;
};

struct BackendParam {
  std::string name;
  std::function<std::unique_ptr<ConformanceBackend>()> make;
};

inline void PrintTo(const BackendParam& param, std::ostream* os) {
  *os << param.name;
}

inline std::string BackendParamName(const ::testing::TestParamInfo<BackendParam>& info) {
  return info.param.name;
}

class PlatformConformance : public ::testing::TestWithParam<BackendParam> {
 protected:
  void SetUp() override {
    backend_ = GetParam().make();
    ASSERT_NE(backend_, nullptr);
    tx_ = tk().TwipsPerPixelX();
    ty_ = tk().TwipsPerPixelY();
  }
  void TearDown() override {
    // Widgets go before the backend that made them, children before their parents.
    while (!widgets_.empty()) {
      widgets_.pop_back();
    }
    backend_.reset();
  }

  Toolkit& tk() { return backend_->toolkit(); }
  Windowing& win() { return backend_->windowing(); }
  float Tx(int px) const { return static_cast<float>(px) * tx_; }
  float Ty(int px) const { return static_cast<float>(px) * ty_; }

  // Keeps a widget alive for the test and returns it.
  template <class W>
  W& Keep(std::unique_ptr<W> w) {
    W& ref = *w;
    widgets_.push_back(std::shared_ptr<W>(std::move(w)));
    return ref;
  }

  // A host window at (100, 100), 400 x 300 pixels, holding a shown surface that fills it.
  UserControlSurface& HostSurface() {
    Form& host = Keep(backend_->CreateContainer("frmHost", 100, 100, 400, 300));
    UserControlSurface& s = Keep(tk().CreateUserControl(host.hWnd(), "ctlHost"));
    s.SetLeft(0);
    s.SetTop(0);
    s.Size(Tx(400), Ty(300));
    s.SetVisible(true);
    backend_->Pump();
    return s;
  }

  // A floating window: a picture box of the surface moved to the desktop at screen pixels.
  PictureBox& FloatingPanel(UserControlSurface& s, std::string_view name, int x, int y, int w,
                            int h) {
    PictureBox& p = Keep(tk().CreatePictureBox(s, name));
    p.SetVisible(false);
    p.SetWidth(Tx(w));
    p.SetHeight(Ty(h));
    win().SetParent(p.hWnd(), win().GetDesktopWindow());
    win().SetWindowPos(p.hWnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return p;
  }

  // A press and release at screen pixels, then every pending event.
  void Click(int x, int y, std::int16_t button = kLeftButton) {
    backend_->MouseDown(x, y, button);
    backend_->MouseUp(x, y, button);
    backend_->Pump();
  }
  // A mouse handler that logs "who x y" (client twips) into seen_, and that line for a point
  // given in client pixels.
  std::function<void(MouseArgs&)> Logs(const std::string& who) {
    return [this, who](MouseArgs& a) {
      seen_.push_back(who + " " + std::to_string(a.x) + " " + std::to_string(a.y));
    };
  }
  std::string At(const std::string& who, int dx, int dy) const {
    return who + " " + std::to_string(Tx(dx)) + " " + std::to_string(Ty(dy));
  }

  std::unique_ptr<ConformanceBackend> backend_;
  std::vector<std::shared_ptr<void>> widgets_;
  std::vector<std::string> seen_;
  float tx_ = 15.0f;
  float ty_ = 15.0f;
};

// ---- Capture routing ----

struct CaptureRow {
  std::string name;
  int x, y;    // screen pixels of the press
  int dx, dy;  // expected offset from the panel's client origin, pixels
};

TEST_P(PlatformConformance, CaptureHolderReceivesEveryPressInItsClientTwips) {
  const std::vector<CaptureRow> rows = {
      {"inside the panel", 350, 250, 50, 50},
      {"panel origin", 300, 200, 0, 0},
      {"on the host window", 150, 150, -150, -50},
      {"on the empty desktop", 800, 600, 500, 400},
  };
  UserControlSurface& s = HostSurface();
  PictureBox& panel = FloatingPanel(s, "picPanel", 300, 200, 165, 165);
  win().SetWindowPos(panel.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  backend_->Pump();
  panel.SetHandlers(
      {.MouseDown = Logs("panel"), .MouseUp = [&](MouseArgs&) { seen_.push_back("panel up"); }});
  s.SetHandlers({.MouseDown = [&](MouseArgs&) { seen_.push_back("surface"); }});
  win().SetCapture(panel.hWnd());
  for (const CaptureRow& row : rows) {
    SCOPED_TRACE(row.name);
    seen_.clear();
    Click(row.x, row.y);
    EXPECT_EQ(seen_, (std::vector<std::string>{At("panel", row.dx, row.dy), "panel up"}));
    Point cursor;
    ASSERT_TRUE(win().GetCursorPos(cursor));
    EXPECT_EQ(cursor, (Point{row.x, row.y}));
  }
}

TEST_P(PlatformConformance, WithoutCaptureThePressGoesToTheWindowUnderIt) {
  UserControlSurface& s = HostSurface();
  PictureBox& panel = FloatingPanel(s, "picPanel", 300, 200, 165, 165);
  win().SetWindowPos(panel.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  backend_->Pump();
  panel.SetHandlers({.MouseDown = [&](MouseArgs&) { seen_.push_back("panel"); }});
  s.SetHandlers({.MouseDown = Logs("surface")});
  PictureBox& other = FloatingPanel(s, "picOther", 40, 10, 20, 20);
  EXPECT_EQ(win().SetCapture(other.hWnd()), kNoWindow);
  EXPECT_EQ(win().SetCapture(panel.hWnd()), other.hWnd()) << "the previous holder";
  EXPECT_EQ(win().GetCapture(), panel.hWnd());
  EXPECT_TRUE(win().ReleaseCapture());
  EXPECT_EQ(win().GetCapture(), kNoWindow);

  Click(150, 160);                // on the host window only
  Click(310, 210, kRightButton);  // the panel lies over the host window here
  EXPECT_EQ(seen_, (std::vector<std::string>{At("surface", 50, 60), "panel"}));
}

// ---- Show, hide, topmost ----

struct ShowRow {
  std::string name;
  Hwnd after;
  std::uint32_t flags;
  bool visible;
  bool topmost;
};

TEST_P(PlatformConformance, SetWindowPosShowsHidesAndSetsTheBandWithoutMovingOrTakingFocus) {
  const std::vector<ShowRow> rows = {
      {"show topmost without activating", HWND_TOPMOST, 0x53, true, true},
      {"raising keeps it shown", HWND_TOP, 0x13, true, true},
      {"frame change keeps the band", HWND_NOTOPMOST, 0x27, true, true},
      {"hide and drop topmost", HWND_NOTOPMOST, 0x93, false, false},
      {"hide again", HWND_NOTOPMOST, 0x93, false, false},
      {"show again", HWND_TOPMOST, 0x53, true, true},
  };
  UserControlSurface& s = HostSurface();
  TextBox& text = Keep(tk().CreateTextBox(s, "txtField"));
  text.SetWidth(Tx(100));
  text.SetHeight(Ty(20));
  std::vector<std::string> focus_events;
  text.SetHandlers({.GotFocus = [&] { focus_events.push_back("got"); },
                    .LostFocus = [&] { focus_events.push_back("lost"); }});
  text.SetFocus();
  backend_->Pump();
  PictureBox& panel = FloatingPanel(s, "picPanel", 250, 260, 165, 165);
  backend_->Pump();
  for (const ShowRow& row : rows) {
    SCOPED_TRACE(row.name);
    win().SetWindowPos(panel.hWnd(), row.after, 0, 0, 0, 0, row.flags);
    backend_->Pump();
    EXPECT_EQ(panel.Visible(), row.visible);
    EXPECT_EQ((win().GetWindowLongA(panel.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, row.topmost);
    EXPECT_EQ(panel.Left(), Tx(250));
    EXPECT_EQ(panel.Top(), Ty(260));
    EXPECT_EQ(panel.Width(), Tx(165));
    EXPECT_TRUE(text.HasFocus());
  }
  EXPECT_EQ(focus_events, std::vector<std::string>{"got"});
}

// ---- Client to screen and pixel geometry ----

struct ClientRow {
  std::string name;
  int child_x, child_y;  // the child's position in the surface, pixels
  Point client;          // a point in the child's client pixels
  Point screen;          // expected
};

TEST_P(PlatformConformance, ClientToScreenAddsTheClientOriginsOfEveryAncestor) {
  const std::vector<ClientRow> rows = {
      {"point inside", 2, 20, {5, 7}, {107, 127}},
      {"negative point", 10, 10, {-20, -5}, {90, 105}},
  };
  UserControlSurface& s = HostSurface();
  TextBox& child = Keep(tk().CreateTextBox(s, "txtChild"));
  child.SetWidth(Tx(50));
  child.SetHeight(Ty(20));
  for (const ClientRow& row : rows) {
    SCOPED_TRACE(row.name);
    child.SetLeft(Tx(row.child_x));
    child.SetTop(Ty(row.child_y));
    backend_->Pump();
    Point p = row.client;
    ASSERT_TRUE(win().ClientToScreen(child.hWnd(), p));
    EXPECT_EQ(p, row.screen);
  }
  Point d{3, 4};
  EXPECT_TRUE(win().ClientToScreen(win().GetDesktopWindow(), d));
  EXPECT_EQ(d, (Point{3, 4}));
}

TEST_P(PlatformConformance, MovingToTheDesktopKeepsTheStyleAndThePixelOffset) {
  UserControlSurface& s = HostSurface();
  PictureBox& panel = Keep(tk().CreatePictureBox(s, "picPanel"));
  const Hwnd h = panel.hWnd();
  panel.SetVisible(false);
  panel.SetLeft(30);  // 2 pixels at 15 twips per pixel, whatever the backend's scale
  panel.SetTop(300);
  panel.SetWidth(2475);
  panel.SetHeight(2475);
  // A twips value that was set reads back exactly.
  EXPECT_EQ(panel.Left(), 30.0f);
  EXPECT_EQ(panel.Width(), 2475.0f);
  const std::int32_t before = win().GetWindowLongA(h, GWL_EXSTYLE);
  EXPECT_EQ(win().SetWindowLongA(h, GWL_EXSTYLE, before | WS_EX_TOOLWINDOW), before);
  EXPECT_EQ(win().SetParent(h, win().GetParent(h)), s.hWnd());
  win().SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, 0x27);
  EXPECT_EQ(win().SetParent(h, win().GetDesktopWindow()), s.hWnd());
  EXPECT_EQ(win().GetParent(h), win().GetDesktopWindow());
  EXPECT_NE(win().GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(panel.Left(), Tx(static_cast<int>(std::nearbyint(30.0f / tx_))));
  EXPECT_EQ(panel.Top(), Ty(static_cast<int>(std::nearbyint(300.0f / ty_))));
  win().SetWindowPos(h, HWND_TOP, 517, 333, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(panel.Left(), Tx(517));
  EXPECT_EQ(panel.Top(), Ty(333));
  EXPECT_EQ(panel.Width(), 2475.0f);
  Point origin{0, 0};
  ASSERT_TRUE(win().ClientToScreen(h, origin));
  EXPECT_EQ(origin, (Point{517, 333}));
  EXPECT_EQ(win().SetParent(h, s.hWnd()), win().GetDesktopWindow());
  EXPECT_EQ(win().GetParent(h), s.hWnd());
}

// ---- Text box: changes and key sequences ----

// One input step of a row, played on the backend.
using KeyStep = std::function<void(ConformanceBackend&)>;
inline KeyStep Press(std::int16_t key, std::int16_t shift = 0) {
  return [=](ConformanceBackend& b) { b.PressKey(key, shift); };
}
inline KeyStep Down(std::int16_t key) {
  return [=](ConformanceBackend& b) { b.KeyDown(key, 0); };
}
inline KeyStep Up(std::int16_t key) {
  return [=](ConformanceBackend& b) { b.KeyUp(key, 0); };
}
inline KeyStep Typed(std::string text) {
  return [=](ConformanceBackend& b) { b.Type(text); };
}
template <class... S>
std::vector<KeyStep> Steps(S... steps) {
  return {steps...};
}

struct TextRow {
  std::string name;
  std::string initial;
  int sel_start, sel_length;
  std::vector<KeyStep> steps;
  bool swallow_keypress;  // the KeyPress handler sets KeyAscii to 0
  std::string want_text;
  int want_sel_start;
  std::string want_events;
};

TEST_P(PlatformConformance, TextBoxRaisesKeyEventsAndChangeInOrder) {
  const std::vector<TextRow> rows = {
      {"a letter into an empty field", "", 0, 0, Steps(Press('A')), false, "a", 1,
       "KeyDown 65 0, KeyPress 97, Change a, KeyUp 65 0"},
      {"a shifted letter replaces the selection", "1/5/2004", 2, 1, Steps(Press('B', kShiftMask)),
       false, "1/B/2004", 3, "KeyDown 66 1, KeyPress 66, Change 1/B/2004, KeyUp 66 1"},
      {"KeyAscii 0 swallows the character", "abc", 3, 0, Steps(Press('D')), true, "abc", 3,
       "KeyDown 68 0, KeyPress 100, KeyUp 68 0"},
      {"backspace deletes before the caret", "abc", 2, 0, Steps(Press(kKeyBack)), false, "ac", 1,
       "KeyDown 8 0, KeyPress 8, Change ac, KeyUp 8 0"},
      {"backspace at the start changes nothing", "abc", 0, 0, Steps(Press(kKeyBack)), false, "abc",
       0, "KeyDown 8 0, KeyPress 8, KeyUp 8 0"},
      {"delete removes the selection without a KeyPress", "abcdef", 1, 3, Steps(Press(kKeyDelete)),
       false, "aef", 1, "KeyDown 46 0, Change aef, KeyUp 46 0"},
      {"home then typing inserts at the start", "bc", 2, 0, Steps(Press(kKeyHome), Typed("a")),
       false, "abc", 1,
       "KeyDown 36 0, KeyUp 36 0, KeyDown 65 0, KeyPress 97, Change abc, KeyUp 65 0"},
      {"arrows move the caret and change nothing", "abc", 1, 0,
       Steps(Press(kKeyRight), Press(kKeyLeft), Press(kKeyLeft)), false, "abc", 0,
       "KeyDown 39 0, KeyUp 39 0, KeyDown 37 0, KeyUp 37 0, KeyDown 37 0, KeyUp 37 0"},
      {"a held Alt marks the keys that follow", "x", 1, 0,
       Steps(Down(kKeyMenu), Press(kKeyDown), Up(kKeyMenu)), false, "x", 1,
       "KeyDown 18 4, KeyDown 40 4, KeyUp 40 4, KeyUp 18 0"},
      // Non-ASCII characters have no key code of their own; only the event name is compared.
      {"typed text, non-ASCII included", "", 0, 0, Steps(Typed("5é")), false, "5é", 2,
       "KeyDown 53 0, KeyPress 53, Change 5, KeyUp 53 0, KeyDown, KeyPress 233, Change 5é, "
       "KeyUp"},
  };
  UserControlSurface& s = HostSurface();
  TextBox& text = Keep(tk().CreateTextBox(s, "txtField"));
  text.SetLeft(Tx(5));
  text.SetTop(Ty(5));
  text.SetWidth(Tx(200));
  text.SetHeight(Ty(20));
  bool previewed = false;  // KeyPreview is off: the surface sees none of these keys
  s.SetHandlers({.KeyDown = [&](KeyArgs&) { previewed = true; }});
  for (const TextRow& row : rows) {
    SCOPED_TRACE(row.name);
    std::string events;
    const auto seen = [&](const std::string& e) { events += (events.empty() ? "" : ", ") + e; };
    const auto key = [](const char* name, const KeyArgs& a) {
      return a.key_code >= 0x80 ? std::string(name)
                                : std::string(name) + " " + std::to_string(a.key_code) + " " +
                                      std::to_string(a.shift);
    };
    text.SetHandlers({});
    text.SetText(row.initial);
    text.SetFocus();
    text.SetSelStart(row.sel_start);
    text.SetSelLength(row.sel_length);
    backend_->Pump();
    const bool swallow = row.swallow_keypress;
    text.SetHandlers({.Change = [&] { seen("Change " + text.Text()); },
                      .KeyDown = [&](KeyArgs& a) { seen(key("KeyDown", a)); },
                      .KeyUp = [&](KeyArgs& a) { seen(key("KeyUp", a)); },
                      .KeyPress =
                          [&](KeyPressArgs& a) {
                            seen("KeyPress " + std::to_string(a.key_ascii));
                            if (swallow) {
                              a.key_ascii = 0;
                            }
                          }});
    for (const KeyStep& step : row.steps) {
      step(*backend_);
      backend_->Pump();
    }
    EXPECT_EQ(text.Text(), row.want_text);
    EXPECT_EQ(text.SelStart(), row.want_sel_start);
    EXPECT_EQ(events, row.want_events);
  }
  EXPECT_FALSE(previewed);
}

struct SelectionRow {
  std::string name;
  std::string initial;
  int sel_start, sel_length;
  enum Op { Select, SetText, SetSelText } op;  // after selecting, the call made
  std::string value;
  std::string want_text;
  int want_changes;
  int want_sel_start, want_sel_length;
  std::string want_sel_text;
};

TEST_P(PlatformConformance, SelectionClampsAndTextRaisesChangeOnlyOnARealChange) {
  using R = SelectionRow;
  const std::vector<SelectionRow> rows = {
      {"inside", "1/5/2004", 2, 1, R::Select, "", "1/5/2004", 0, 2, 1, "5"},
      {"length past the end", "1/5/2004", 6, 10, R::Select, "", "1/5/2004", 0, 6, 2, "04"},
      {"start past the end", "abc", 9, 1, R::Select, "", "abc", 0, 3, 0, ""},
      {"negative start", "abc", -4, 2, R::Select, "", "abc", 0, 0, 2, "ab"},
      {"negative length", "abc", 1, -1, R::Select, "", "abc", 0, 1, 0, ""},
      {"multibyte characters", "März 2004", 1, 3, R::Select, "", "März 2004", 0, 1, 3, "ärz"},
      {"new text", "abc", 0, 0, R::SetText, "xyz", "xyz", 1, 0, 0, ""},
      {"same text", "abc", 1, 1, R::SetText, "abc", "abc", 0, 1, 1, "b"},
      {"selection replaced", "1/5/2004", 2, 1, R::SetSelText, "7", "1/7/2004", 1, 3, 0, ""},
      {"same selected text", "abc", 1, 1, R::SetSelText, "b", "abc", 0, 2, 0, ""},
      {"insert at the caret", "ac", 1, 0, R::SetSelText, "b", "abc", 1, 2, 0, ""},
      {"replace with nothing", "abc", 0, 3, R::SetSelText, "", "", 1, 0, 0, ""},
      {"characters, not bytes", "äöü", 1, 1, R::SetSelText, "o", "äoü", 1, 2, 0, ""},
  };
  UserControlSurface& s = HostSurface();
  TextBox& text = Keep(tk().CreateTextBox(s, "txtField"));
  for (const SelectionRow& row : rows) {
    SCOPED_TRACE(row.name);
    int changes = 0;
    text.SetHandlers({});
    text.SetText(row.initial);
    text.SetSelStart(row.sel_start);
    text.SetSelLength(row.sel_length);
    text.SetHandlers({.Change = [&] { ++changes; }});
    if (row.op == R::SetText) {
      text.SetText(row.value);
    } else if (row.op == R::SetSelText) {
      text.SetSelText(row.value);
    }
    EXPECT_EQ(text.Text(), row.want_text);
    EXPECT_EQ(changes, row.want_changes);
    EXPECT_EQ(text.SelStart(), row.want_sel_start);
    EXPECT_EQ(text.SelLength(), row.want_sel_length);
    EXPECT_EQ(text.SelText(), row.want_sel_text);
  }
}

TEST_P(PlatformConformance, EnterClicksTheDefaultButtonInsteadOfAKeyPress) {
  UserControlSurface& s = HostSurface();
  s.SetKeyPreview(true);
  TextBox& text = Keep(tk().CreateTextBox(s, "txtField"));
  CommandButton& button = Keep(tk().CreateCommandButton(s, "cmdDefault"));
  button.SetLeft(-10000);
  button.SetDefault(true);
  std::vector<std::string> events;
  s.SetHandlers(
      {.KeyDown = [&](KeyArgs& a) { events.push_back("preview " + std::to_string(a.key_code)); }});
  text.SetHandlers(
      {.KeyDown = [&](KeyArgs& a) { events.push_back("KeyDown " + std::to_string(a.key_code)); },
       .KeyUp = [&](KeyArgs& a) { events.push_back("KeyUp " + std::to_string(a.key_code)); },
       .KeyPress = [&](KeyPressArgs&) { events.push_back("KeyPress"); }});
  button.SetHandlers({.Click = [&] { events.push_back("Click"); }});
  text.SetFocus();
  backend_->PressKey(kKeyReturn, 0);
  backend_->Pump();
  std::vector<std::string> want = {"preview 13", "KeyDown 13", "Click", "KeyUp 13"};
  EXPECT_EQ(events, want);
}

TEST_P(PlatformConformance, TheTextBoxFontIsSharedByReference) {
  UserControlSurface& s = HostSurface();
  TextBox& a = Keep(tk().CreateTextBox(s, "txtA"));
  TextBox& b = Keep(tk().CreateTextBox(s, "txtB"));
  auto ambient = std::make_shared<Font>(Font{"Arial", 10.0f, false, false, false, false});
  a.SetFont(ambient);
  b.SetFont(ambient);
  EXPECT_EQ(a.Font(), ambient);  // the very object
  a.SetFontBold(true);
  a.SetFontSize(12.0f);
  b.SetFontItalic(true);
  EXPECT_TRUE(ambient->bold);
  EXPECT_EQ(ambient->size, 12.0f);
  EXPECT_TRUE(b.FontBold());
  EXPECT_TRUE(a.FontItalic());
  EXPECT_EQ(b.FontName(), "Arial");
  // A font of its own again: the shared object no longer follows.
  a.SetFont(std::make_shared<Font>());
  a.SetFontUnderline(true);
  EXPECT_FALSE(ambient->underline);
  EXPECT_FALSE(b.FontUnderline());
}

// ---- Focus ----

TEST_P(PlatformConformance, FocusMovesWithLostFocusBeforeGotFocus) {
  UserControlSurface& s = HostSurface();
  TextBox& a = Keep(tk().CreateTextBox(s, "txtA"));
  TextBox& b = Keep(tk().CreateTextBox(s, "txtB"));
  a.SetWidth(Tx(100));
  a.SetHeight(Ty(20));
  b.SetTop(Ty(40));
  b.SetWidth(Tx(100));
  b.SetHeight(Ty(20));
  std::vector<std::string> events;
  a.SetHandlers({.GotFocus = [&] { events.push_back("a got"); },
                 .LostFocus = [&] { events.push_back("a lost"); },
                 .MouseDown =
                     [&](MouseArgs&) {
                       events.push_back(std::string("a down, focused ") +
                                        (a.HasFocus() ? "yes" : "no"));
                     }});
  b.SetHandlers({.GotFocus = [&] { events.push_back("b got"); },
                 .LostFocus = [&] { events.push_back("b lost"); }});
  backend_->Pump();
  EXPECT_FALSE(a.HasFocus());
  EXPECT_FALSE(b.HasFocus());
  a.SetFocus();
  a.SetFocus();  // already there: nothing
  b.SetFocus();
  Click(110, 110);  // on txtA
  std::vector<std::string> want = {"a got",  "a lost", "b got",
                                   "b lost", "a got",  "a down, focused yes"};
  EXPECT_EQ(events, want);
  EXPECT_TRUE(a.HasFocus());
  EXPECT_FALSE(b.HasFocus());
}

// ---- List box ----

TEST_P(PlatformConformance, ListBoxIndexFollowsItsItems) {
  struct Row {
    std::string name;
    int set;
    int want;
  };
  const std::vector<Row> rows = {
      {"first", 0, 0},
      {"last", 6, 6},
      {"none", -1, -1},
      {"past the end keeps the index", 7, -1},
      {"below -1 keeps the index", -2, -1},
  };
  UserControlSurface& s = HostSurface();
  ListBox& list = Keep(tk().CreateListBox(s, "lstMonths"));
  for (int i = 0; i < 7; ++i) {
    list.AddItem("item " + std::to_string(i));
  }
  EXPECT_EQ(list.ListIndex(), -1);
  ASSERT_EQ(list.ListCount(), 7);
  EXPECT_EQ(list.List(6), "item 6");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    list.SetListIndex(row.set);
    EXPECT_EQ(list.ListIndex(), row.want);
  }
  list.SetListIndex(4);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

// ---- Labels ----

struct LabelRow {
  std::string name;
  int x, y;              // screen pixels
  std::string receiver;  // "label" or "panel"
  int dx, dy;            // expected coordinates, pixels from the receiver's origin
};

TEST_P(PlatformConformance, LabelsAreWindowlessAndReceiveTheMouseWhereTheyLie) {
  const std::vector<LabelRow> rows = {
      {"label's top-left pixel", 320, 215, "label", 0, 0},
      {"right edge is outside", 400, 220, "panel", 100, 20},
      {"bottom edge is outside", 330, 228, "panel", 30, 28},
      {"left of the label", 319, 220, "panel", 19, 20},
  };
  UserControlSurface& s = HostSurface();
  PictureBox& panel = FloatingPanel(s, "picPanel", 300, 200, 165, 165);
  Label& label = Keep(tk().CreateLabel(panel, "lblCaption"));
  label.SetLeft(Tx(20));
  label.SetTop(Ty(15));
  label.SetWidth(Tx(80));  // pixels 20 to 100, exclusive
  label.SetHeight(Ty(13));
  EXPECT_EQ(label.hWnd(), kNoWindow);
  win().SetWindowPos(panel.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  backend_->Pump();
  label.SetHandlers({.MouseDown = Logs("label")});
  panel.SetHandlers({.MouseDown = Logs("panel")});
  for (const LabelRow& row : rows) {
    SCOPED_TRACE(row.name);
    seen_.clear();
    Click(row.x, row.y);
    EXPECT_EQ(seen_, std::vector<std::string>{At(row.receiver, row.dx, row.dy)});
  }
}

}  // namespace datewell::conformance

#pragma GCC diagnostic pop
