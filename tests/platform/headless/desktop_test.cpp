// The headless desktop beyond the shared conformance suite: the paint queue, the drawing log,
// z-order, destruction, resizing, modal forms and focus. (The clock and the scale are every
// scenario's `today` and `tpp`; the call log is read exactly by the drop-down tests.) Then injected
// input: which events each widget gets, clicks, hidden widgets, coordinates at the ends of the
// range, and keys the preview cancels. Key order and a disabled control are the conformance suite's
// and the scenarios'.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace datewell::headless {
namespace {

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = d.CreateContainer("frmHost", 100, 100, 400, 300);
    ctl = d.CreateUserControl(host->hWnd(), "ctlDate");
    ctl->Size(6000, 4500);
    ctl->SetVisible(true);
    d.DoEvents();
  }

  // A picture box of the control moved to the desktop at screen pixels, hidden.
  std::unique_ptr<PictureBox> Floating(std::string_view name, int x, int y, int w, int h) {
    auto p = d.CreatePictureBox(*ctl, name);
    p->SetVisible(false);
    p->SetWidth(static_cast<float>(w) * 15);
    p->SetHeight(static_cast<float>(h) * 15);
    d.SetParent(p->hWnd(), d.GetDesktopWindow());
    d.SetWindowPos(p->hWnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return p;
  }

  HeadlessDesktop d;
  std::unique_ptr<Form> host;
  std::unique_ptr<UserControlSurface> ctl;
};

// ---- Paint queue ----

TEST_F(DesktopTest, ShowingQueuesOnePaintThatTheMessagePumpDelivers) {
  auto panel = Floating("picCalendar", 300, 200, 165, 165);
  int paints = 0;
  panel->SetHandlers({.Paint = [&] {
    ++paints;
    Rect r{0, 0, 165, 165};
    d.DrawEdge(panel->hDC(), r, EDGE_RAISED, BF_RECT);
  }});
  d.SetWindowPos(panel->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  EXPECT_EQ(paints, 0);  // not before the pump
  d.SetWindowPos(panel->hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, 0x93);
  d.SetWindowPos(panel->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  d.DoEvents();
  EXPECT_EQ(paints, 1);  // coalesced
  EXPECT_EQ(FormatDrawCalls(d.Drawing(panel->hWnd())),
            std::vector<std::string>{"DrawEdge 0,0,165,165 5 15"});

  // A window hidden again before the pump is not painted.
  d.SetWindowPos(panel->hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, 0x93);
  d.SetWindowPos(panel->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  d.SetWindowPos(panel->hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, 0x93);
  d.DoEvents();
  EXPECT_EQ(paints, 1);
}

// ---- Drawing log ----

// A backend paint replaces the log (the scenarios' paint dumps and the control's paint tests read
// it); drawing outside a paint is appended to it.
TEST_F(DesktopTest, DrawingOutsideAPaintIsAppendedToTheLastPaintsLog) {
  auto pic = d.CreatePictureBox(*ctl, "picCalendar");
  pic->SetHandlers({.Paint = [&] { pic->Line(225, 130, 225, 265); }});
  d.Repaint(pic->hWnd());
  pic->Line(1.5f, 2, 3, 4);
  EXPECT_EQ(FormatDrawCalls(d.Drawing(pic->hWnd())),
            (std::vector<std::string>{"Line 225,130 225,265", "Line 1.5,2 3,4"}));
  EXPECT_EQ(pic->CurrentX(), 3.0f);
  EXPECT_EQ(pic->CurrentY(), 4.0f);
}

// ---- Z-order ----

struct ZRow {
  const char* name;
  std::vector<std::string>
      steps;         // "show A", "show B", "top A", "topmost A", "notopmost B", "hide B"
  std::string want;  // the window that gets the press in the overlap
};

TEST_F(DesktopTest, PressesGoToTheFrontWindowOfTheFrontBand) {
  const ZRow rows[] = {
      {"later shown above earlier", {"show A", "show B"}, "picB"},
      {"earlier raised", {"show A", "show B", "top A"}, "picA"},
      {"topmost above a later ordinary window", {"topmost A", "show B"}, "picA"},
      {"ordinary raise stays below topmost", {"topmost A", "show B", "top B"}, "picA"},
      {"dropping topmost", {"topmost A", "topmost B", "notopmost B"}, "picA"},
      {"both topmost, later on top", {"topmost B", "topmost A"}, "picA"},
      {"hidden windows are skipped", {"show A", "topmost B", "hide B"}, "picA"},
      {"nothing shown falls to the host", {}, "ctlDate"},
  };
  for (const ZRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto a = Floating("picA", 150, 150, 100, 100);
    auto b = Floating("picB", 200, 200, 100, 100);
    std::string got;
    a->SetHandlers({.MouseDown = [&](MouseArgs&) { got = "picA"; }});
    b->SetHandlers({.MouseDown = [&](MouseArgs&) { got = "picB"; }});
    ctl->SetHandlers({.MouseDown = [&](MouseArgs&) { got = "ctlDate"; }});
    for (const std::string& step : row.steps) {
      Hwnd h = step.back() == 'A' ? a->hWnd() : b->hWnd();
      std::string op = step.substr(0, step.size() - 2);
      if (op == "show") {
        d.SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, 0x53);
      } else if (op == "top") {
        d.SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, 0x13);
      } else if (op == "topmost") {
        d.SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, 0x53);
      } else if (op == "notopmost") {
        d.SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, 0x13);
      } else if (op == "hide") {
        d.SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, 0x93);
      }
    }
    d.Click(220, 220);
    EXPECT_EQ(got, row.want);
    EXPECT_EQ(d.WindowName(d.WindowFromPoint({220, 220})), row.want);
  }
}

// ---- Destruction ----

TEST_F(DesktopTest, ADestroyedWindowDropsCaptureAndFocusAndItsHandleGoesStale) {
  auto pic = Floating("picCalendar", 300, 200, 165, 165);
  auto text = d.CreateTextBox(*ctl, "txtDate");
  int lost = 0;
  text->SetHandlers({.LostFocus = [&] { ++lost; }});
  text->SetFocus();
  d.SetCapture(pic->hWnd());
  Hwnd ph = pic->hWnd();
  Hwnd th = text->hWnd();
  d.SetWindowPos(ph, HWND_TOPMOST, 0, 0, 0, 0, 0x53);  // leaves a paint pending
  pic.reset();
  text.reset();
  d.DoEvents();
  EXPECT_EQ(d.GetCapture(), kNoWindow);
  EXPECT_EQ(d.FocusedName(), "");
  EXPECT_EQ(lost, 0);  // no handler runs on a widget being destroyed
  Point p{1, 1};
  Rect r{0, 0, 1, 1};
  for (Hwnd h : {ph, th}) {
    EXPECT_FALSE(d.IsWindow(h));
    EXPECT_EQ(d.GetParent(h), kNoWindow);
    EXPECT_EQ(d.SetParent(h, d.GetDesktopWindow()), kNoWindow);
    EXPECT_EQ(d.GetWindowLongA(h, GWL_EXSTYLE), 0);
    EXPECT_EQ(d.SetWindowLongA(h, GWL_EXSTYLE, 1), 0);
    EXPECT_FALSE(d.SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, 0x53));
    EXPECT_FALSE(d.ClientToScreen(h, p));
    EXPECT_EQ(d.SetCapture(h), kNoWindow);
    EXPECT_EQ(d.GetCapture(), kNoWindow);
    EXPECT_FALSE(d.DrawEdge(h, r, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(d.Inspect(h).has_value());
  }
  EXPECT_EQ(p, (Point{1, 1}));
}

// ---- Resize, show and hide of the control's surface ----

// A real change of size runs Resize at once, nested when the handler sets the height back, and
// the same size not at all: the first-use scenario's lines. A size that is no number never
// compares equal and would resize forever.
TEST_F(DesktopTest, ASizeThatIsNoNumberIsRefused) {
  int resizes = 0;
  ctl->SetHandlers({.Resize = [&] { ++resizes; }});
  ctl->SetWidth(std::nanf(""));
  ctl->SetHeight(std::numeric_limits<float>::infinity());
  EXPECT_EQ(resizes, 0);
  EXPECT_EQ(ctl->Width(), 6000.0f);
  EXPECT_EQ(ctl->Height(), 4500.0f);
}

// ---- Modal forms ----

TEST(HeadlessModal, TheDriverEndsTheFormByOkOrClose) {
  const struct {
    const char* name;
    bool has_driver;
    ModalAction action;
    bool ok_unloads;  // the OK button's Click unloads the form itself
    const char* want;
  } rows[] = {
      {"no driver closes", false, ModalAction::Close, true, "shown, unload, closed"},
      {"close", true, ModalAction::Close, true, "shown, driver sees OK, unload, closed"},
      {"ok clicks the default button", true, ModalAction::Ok, true,
       "shown, driver sees OK, click, unload, closed"},
      {"ok that does not unload is closed", true, ModalAction::Ok, false,
       "shown, driver sees OK, click, unload, closed"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HeadlessDesktop d;
    std::vector<std::string> log;
    d.SetModalListener([&](std::string_view name, ModalEvent e) {
      EXPECT_EQ(name, "frmAbout");
      log.push_back(e == ModalEvent::Shown ? "shown" : "closed");
    });
    auto form = d.CreateForm("frmAbout");
    auto ok = d.CreateCommandButton(*form, "cmdOK");
    ok->SetCaption("OK");
    ok->SetDefault(true);
    auto cancel = d.CreateCommandButton(*form, "cmdOther");
    cancel->SetHandlers({.Click = [&] { log.push_back("wrong button"); }});
    bool unloads = row.ok_unloads;
    ok->SetHandlers({.Click = [&] {
      log.push_back("click");
      if (unloads) {
        form->Unload();
      }
    }});
    form->SetHandlers({.Unload = [&] { log.push_back("unload"); }});
    if (row.has_driver) {
      ModalAction action = row.action;
      d.SetModalDriver([&, action](Form& f) {
        EXPECT_EQ(&f, form.get());
        EXPECT_TRUE(d.IsVisible(f.hWnd()));
        log.push_back("driver sees " + ok->Caption());
        return action;
      });
    }
    form->ShowModal();
    std::string seen;
    for (const std::string& entry : log) {
      seen += (seen.empty() ? "" : ", ") + entry;
    }
    EXPECT_EQ(seen, row.want);
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(d.IsVisible(form->hWnd()));
  }
}

// ---- Focus ----

TEST_F(DesktopTest, HidingOrDisablingTheFocusedBoxMovesTheFocusNowhere) {
  struct Row {
    const char* name;
    bool hide;  // else disable
  };
  for (Row row : {Row{"hidden", true}, Row{"disabled", false}}) {
    SCOPED_TRACE(row.name);
    auto text = d.CreateTextBox(*ctl, "txtDate");
    int lost = 0;
    text->SetHandlers({.LostFocus = [&] { ++lost; }});
    text->SetFocus();
    if (row.hide) {
      text->SetVisible(false);
    } else {
      text->SetEnabled(false);
    }
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(text->HasFocus());
    text->SetFocus();
    EXPECT_EQ(text->HasFocus(), row.hide);  // a hidden box may take it, a disabled one not
  }
}

TEST_F(DesktopTest, ALostFocusHandlerThatMovesTheFocusWins) {
  auto a = d.CreateTextBox(*ctl, "txtA");
  auto b = d.CreateTextBox(*ctl, "txtB");
  auto c = d.CreateTextBox(*ctl, "txtC");
  std::vector<std::string> seen;
  a->SetHandlers({.LostFocus = [&] {
    seen.push_back("a lost");
    c->SetFocus();
  }});
  b->SetHandlers({.GotFocus = [&] { seen.push_back("b got"); }});
  c->SetHandlers({.GotFocus = [&] { seen.push_back("c got"); }});
  a->SetFocus();
  b->SetFocus();
  EXPECT_EQ(d.FocusedName(), "txtC");
  EXPECT_EQ(seen, (std::vector<std::string>{"a lost", "c got"}));
}

// ---- Injected input ----

std::string At(const char* who, const MouseArgs& a) {
  return std::string(who) + " " + std::to_string(a.button) + " " +
         std::to_string(static_cast<int>(a.x)) + "," + std::to_string(static_cast<int>(a.y));
}

// A host window at (100, 100) holding the control's surface (400 x 300 pixels) with a text box
// at pixels (10, 10)-(110, 30), a list box at (10, 100)-(110, 200), a command button at
// (150, 10)-(200, 40) and a picture box at (200, 100)-(300, 200) holding a label at its pixels
// (10, 10)-(60, 30).
class InputTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    text = d.CreateTextBox(*ctl, "txtDate");
    Place(*text, 10, 10, 100, 20);
    list = d.CreateListBox(*ctl, "lstSelectMonth");
    Place(*list, 10, 100, 100, 100);
    button = d.CreateCommandButton(*ctl, "cmdGotoToday");
    Place(*button, 150, 10, 50, 30);
    pic = d.CreatePictureBox(*ctl, "picCalendar");
    Place(*pic, 200, 100, 100, 100);
    label = d.CreateLabel(*pic, "lblDate");
    Place(*label, 10, 10, 50, 20);
    d.DoEvents();

    ctl->SetHandlers({.MouseDown = [&](MouseArgs& a) { log.push_back(At("ctl down", a)); },
                      .MouseUp = [&](MouseArgs& a) { log.push_back(At("ctl up", a)); }});
    text->SetHandlers(
        {.Change = [&] { log.push_back("txt change " + text->Text()); },
         .Click = [&] { log.push_back("txt click"); },
         .GotFocus = [&] { log.push_back("txt got"); },
         .LostFocus = [&] { log.push_back("txt lost"); },
         .KeyDown = [&](KeyArgs& a) { log.push_back("txt keydown " + std::to_string(a.key_code)); },
         .KeyUp = [&](KeyArgs& a) { log.push_back("txt keyup " + std::to_string(a.key_code)); },
         .KeyPress =
             [&](KeyPressArgs& a) { log.push_back("txt keypress " + std::to_string(a.key_ascii)); },
         .MouseDown = [&](MouseArgs& a) { log.push_back(At("txt down", a)); }});
    list->SetHandlers({.MouseMove = [&](MouseArgs& a) { log.push_back(At("lst move", a)); }});
    button->SetHandlers({.Click = [&] { log.push_back("cmd click"); }});
    pic->SetHandlers({.MouseDown = [&](MouseArgs& a) { log.push_back(At("pic down", a)); },
                      .MouseMove = [&](MouseArgs& a) { log.push_back(At("pic move", a)); },
                      .MouseUp = [&](MouseArgs& a) { log.push_back(At("pic up", a)); }});
    label->SetHandlers({.Click = [&] { log.push_back("lbl click"); },
                        .MouseDown = [&](MouseArgs& a) { log.push_back(At("lbl down", a)); },
                        .MouseMove = [&](MouseArgs& a) { log.push_back(At("lbl move", a)); },
                        .MouseUp = [&](MouseArgs& a) { log.push_back(At("lbl up", a)); }});
  }

  static void Place(Widget& w, int x, int y, int width, int height) {
    w.SetLeft(static_cast<float>(x) * 15);
    w.SetTop(static_cast<float>(y) * 15);
    w.SetWidth(static_cast<float>(width) * 15);
    w.SetHeight(static_cast<float>(height) * 15);
  }

  std::unique_ptr<TextBox> text;
  std::unique_ptr<ListBox> list;
  std::unique_ptr<CommandButton> button;
  std::unique_ptr<PictureBox> pic;
  std::unique_ptr<Label> label;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

std::string Joined(const Log& log) {
  std::string text;
  for (const std::string& entry : log) {
    text += (text.empty() ? "" : ", ") + entry;
  }
  return text;
}

// ---- Mouse ----

TEST_F(InputTest, EachWidgetGetsTheEventsItHas) {
  const struct {
    const char* name;
    int x, y;
    std::int16_t button;
    const char* want;
  } rows[] = {
      {"surface outside its children", 150, 350, kLeftButton,
       "ctl down 1 750,3750, ctl up 1 750,3750"},
      {"text box: focus, then its press, then Click", 115, 115, kLeftButton,
       "txt got, txt down 1 75,75, txt click"},
      {"text box with the right button: only the left button clicks", 120, 112, kRightButton,
       "txt down 2 150,30"},
      {"command button", 255, 115, kLeftButton, "cmd click"},
      {"label in the picture box, in its own twips", 312, 215, kLeftButton,
       "lbl down 1 30,75, lbl up 1 30,75, lbl click"},
      {"label with the middle button", 312, 215, kMiddleButton, "lbl down 4 30,75, lbl up 4 30,75"},
      {"picture box outside the label", 390, 290, kLeftButton,
       "pic down 1 1350,1350, pic up 1 1350,1350"},
      {"list box has no press events", 150, 250, kLeftButton, ""},
      {"the desktop", 900, 700, kLeftButton, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    log.clear();
    d.MouseDown(row.x, row.y, row.button);
    d.MouseUp(row.x, row.y, row.button);
    EXPECT_EQ(Joined(log), row.want);
  }
}

TEST_F(InputTest, AReleaseOnAnotherWidgetIsNoClick) {
  d.MouseDown(312, 215);  // label
  d.MouseUp(390, 290);    // picture box
  d.MouseDown(255, 115);  // button
  d.MouseUp(150, 350);    // surface
  EXPECT_EQ(log, (Log{"lbl down 1 30,75", "pic up 1 1350,1350", "ctl up 1 750,3750"}));
}

TEST_F(InputTest, PointsAtTheEndsOfTheCoordinateRangeAreDeliveredSafely) {
  MouseArgs got;
  pic->SetHandlers({.MouseDown = [&](MouseArgs& a) { got = a; }});
  d.SetCapture(pic->hWnd());
  d.MouseDown(INT32_MIN, INT32_MAX);
  // The picture box's client origin is (300, 200) on the screen.
  EXPECT_FLOAT_EQ(got.x, static_cast<float>((double{INT32_MIN} - 300.0) * 15.0));
  EXPECT_FLOAT_EQ(got.y, static_cast<float>((double{INT32_MAX} - 200.0) * 15.0));
  d.ReleaseCapture();
  d.SetWindowPos(host->hWnd(), HWND_TOP, INT32_MAX - 10, 0, 0, 0, SWP_NOSIZE);
  Point p{100, 0};
  ASSERT_TRUE(d.ClientToScreen(text->hWnd(), p));
  EXPECT_EQ(p.x, INT32_MAX);
}

TEST_F(InputTest, HiddenWindowsAndLabelsLetThePressThrough) {
  label->SetVisible(false);
  d.Click(312, 215);
  pic->SetVisible(false);
  d.Click(312, 215);
  EXPECT_EQ(log, (Log{"pic down 1 180,225", "pic up 1 180,225", "ctl down 1 3180,1725",
                      "ctl up 1 3180,1725"}));
}

// ---- Keys ----

// (A KeyPress handler's new character is the keys scenario's.)
TEST_F(InputTest, AKeyCodeSetToNothingByThePreviewCancelsTheKey) {
  text->SetFocus();
  text->SetText("abc");
  text->SetSelStart(1);
  ctl->SetKeyPreview(true);
  ctl->SetHandlers({.KeyDown = [&](KeyArgs& a) {
    if (a.key_code == kKeyDelete) {
      a.key_code = 0;
    }
  }});
  d.PressKey(kKeyDelete);
  EXPECT_EQ(text->Text(), "abc");
  d.PressKey(kKeyBack);
  EXPECT_EQ(text->Text(), "bc");
}

TEST_F(InputTest, CharactersBeyondSixteenBitsAreInsertedWithoutAKeyPress) {
  text->SetFocus();
  log.clear();
  EXPECT_TRUE(d.Type("\xF0\x9F\x98\x80"));  // U+1F600
  EXPECT_EQ(text->Text(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(text->SelStart(), 1);
  EXPECT_EQ(log, (Log{"txt keydown 231", "txt change \xF0\x9F\x98\x80", "txt keyup 231"}));
  log.clear();
  d.Type("\xE5\xB9\xB4");  // U+5E74 fits: a KeyPress with the code point
  EXPECT_EQ(log, (Log{"txt keydown 231", "txt keypress 24180",
                      "txt change \xF0\x9F\x98\x80\xE5\xB9\xB4", "txt keyup 231"}));
}

}  // namespace
}  // namespace datewell::headless
