// The headless desktop beyond the shared conformance suite: the message and paint queues, the
// drawing log, z-order, destruction, resizing, modal forms, focus, clock and scale. (The call
// log is read exactly by the drop-down tests.)

#include <gtest/gtest.h>

#include <cmath>
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

// ---- Message queue ----

TEST_F(DesktopTest, DoEventsDrainsMessagesPostedWhileDraining) {
  std::vector<std::string> order;
  d.Post([&] {
    order.push_back("first");
    d.Post([&] { order.push_back("posted by first"); });
  });
  d.Post([&] { order.push_back("second"); });
  EXPECT_EQ(d.PendingMessages(), 2u);
  d.DoEvents();
  EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "posted by first"}));
  EXPECT_EQ(d.PendingMessages(), 0u);
}

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

TEST_F(DesktopTest, ABackendPaintReplacesTheLogAndOutsideDrawingIsAppended) {
  auto pic = d.CreatePictureBox(*ctl, "picCalendar");
  pic->SetHandlers({.Paint = [&] {
    Rect frame{0, 0, 165, 165};
    d.DrawEdge(pic->hDC(), frame, EDGE_RAISED, BF_RECT);
    Rect band{5, 5, 161, 22};
    d.DrawFrameControl(pic->hDC(), band, 5, 8);
    pic->SetForeColor(0);
    pic->Line(225, 130, 225, 265);
  }});
  Rect extra{1, 2, 3, 4};
  d.DrawEdge(pic->hDC(), extra, EDGE_SUNKEN, BF_RECT);
  EXPECT_EQ(FormatDrawCalls(d.Drawing(pic->hWnd())),
            std::vector<std::string>{"DrawEdge 1,2,3,4 10 15"});

  const std::vector<std::string> painted = {
      "DrawEdge 0,0,165,165 5 15", "DrawFrameControl 5,5,161,22 5 8", "Line 225,130 225,265"};
  EXPECT_EQ(FormatDrawCalls(d.Repaint(pic->hWnd())), painted);
  EXPECT_EQ(FormatDrawCalls(d.Repaint(pic->hWnd())), painted);  // twice gives the same

  pic->Line(1.5f, 2, 3, 4);  // outside a paint: appended
  auto calls = d.Drawing(pic->hWnd());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(FormatDrawCall(calls.back()), "Line 1.5,2 3,4");
  EXPECT_EQ(pic->CurrentX(), 3.0f);
  EXPECT_EQ(pic->CurrentY(), 4.0f);

  pic->Refresh();  // Refresh is a backend paint as well
  EXPECT_EQ(FormatDrawCalls(d.Drawing(pic->hWnd())), painted);
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

TEST_F(DesktopTest, SetParentRefusesCyclesAndUnknownWindows) {
  auto pic = d.CreatePictureBox(*ctl, "picA");
  EXPECT_EQ(d.SetParent(ctl->hWnd(), pic->hWnd()), kNoWindow);  // its own child
  EXPECT_EQ(d.SetParent(pic->hWnd(), pic->hWnd()), kNoWindow);
  EXPECT_EQ(d.SetParent(pic->hWnd(), 424242), kNoWindow);
  EXPECT_EQ(d.GetParent(pic->hWnd()), ctl->hWnd());
  EXPECT_EQ(d.GetParent(ctl->hWnd()), host->hWnd());
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

TEST(HeadlessLifetime, WidgetsOutlivingTheDesktopAreInert) {
  std::unique_ptr<TextBox> text;
  std::unique_ptr<PictureBox> pic;
  std::unique_ptr<Form> form;
  {
    HeadlessDesktop d;
    form = d.CreateForm("frmAbout");
    text = d.CreateTextBox(*form, "txtDate");
    pic = d.CreatePictureBox(*form, "picCalendar");
  }
  text->SetText("kept");
  text->SetFocus();
  text->SetVisible(false);
  pic->Refresh();
  form->ShowModal();
  EXPECT_EQ(text->Text(), "kept");
  EXPECT_FALSE(text->HasFocus());
  EXPECT_FALSE(text->Visible());
}

// ---- Resize, show and hide of the control's surface ----

TEST_F(DesktopTest, ResizeRunsAtOnceOnlyForARealChangeAndNests) {
  struct Row {
    const char* name;
    enum Op { Size, Width, Height } op;
    float a, b;
    std::vector<std::string> want;  // the size seen by each Resize call
  };
  const Row rows[] = {
      {"a new size", Row::Size, 3000, 900, {"3000x900", "3000x300"}},
      {"the same size", Row::Size, 3000, 300, {}},
      {"a new width", Row::Width, 2400, 0, {"2400x300"}},
      {"a new height is put back", Row::Height, 500, 0, {"2400x500", "2400x300"}},
      {"a width that is no number is refused", Row::Width, std::nanf(""), 0, {}},
  };
  std::vector<std::string> seen;
  ctl->SetHandlers({.Resize = [&] {
    seen.push_back(std::to_string(static_cast<int>(ctl->Width())) + "x" +
                   std::to_string(static_cast<int>(ctl->Height())));
    ctl->SetHeight(300);  // a control with a fixed height
  }});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    seen.clear();
    switch (row.op) {
      case Row::Size:
        ctl->Size(row.a, row.b);
        break;
      case Row::Width:
        ctl->SetWidth(row.a);
        break;
      case Row::Height:
        ctl->SetHeight(row.a);
        break;
    }
    EXPECT_EQ(seen, row.want);
    EXPECT_EQ(ctl->Height(), 300.0f);
  }
  EXPECT_EQ(ctl->Width(), 2400.0f);  // the refused sizes left it alone
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

// ---- Clock, metrics, scale ----

TEST(HeadlessClock, NowIsTheSetTimeUntilTheSystemClockIsChosenAgain) {
  HeadlessDesktop d;
  Date fixed = DateFromCivil({2004, 1, 5});
  fixed.serial += 0.5;
  d.SetNow(fixed);
  EXPECT_EQ(d.Now(), fixed);
  d.UseSystemClock();
  Date real = d.Now();
  EXPECT_NE(real, fixed);
  EXPECT_GE(CivilFromDate(real).year, 2024);
  EXPECT_LT(real.serial - DateOnly(real).serial, 1.0);
}

TEST(HeadlessScale, TwipsPerPixelIsReadAfreshByGeometry) {
  HeadlessDesktop d;
  EXPECT_EQ(d.TwipsPerPixelX(), 15.0f);
  EXPECT_EQ(d.TwipsPerPixelY(), 15.0f);
  auto form = d.CreateContainer("frmHost", 10, 10, 100, 100);
  auto pic = d.CreatePictureBox(*form, "picA");
  pic->SetLeft(120);
  pic->SetTop(120);
  pic->SetWidth(240);
  pic->SetHeight(240);
  EXPECT_EQ(d.ScreenRect(pic->hWnd()), (Rect{18, 18, 34, 34}));
  d.SetTwipsPerPixel(12, 20);
  EXPECT_EQ(d.TwipsPerPixelX(), 12.0f);
  EXPECT_EQ(d.TwipsPerPixelY(), 20.0f);
  // The container was placed in pixels; its child follows the new scale.
  EXPECT_EQ(d.ScreenRect(pic->hWnd()).right - d.ScreenRect(pic->hWnd()).left, 20);
  EXPECT_EQ(d.ScreenRect(pic->hWnd()).bottom - d.ScreenRect(pic->hWnd()).top, 12);
  d.SetTwipsPerPixel(0, 15);  // refused
  EXPECT_EQ(d.TwipsPerPixelX(), 12.0f);
}

}  // namespace
}  // namespace datewell::headless
