// Injected input on the headless desktop beyond the shared conformance suite: which events each
// widget gets, clicks and double clicks, disabled and hidden widgets, coordinates at the ends of
// the range, and the key order of the text box with the control's key preview.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace datewell::headless {
namespace {

std::string At(const char* who, const MouseArgs& a) {
  return std::string(who) + " " + std::to_string(a.button) + " " +
         std::to_string(static_cast<int>(a.x)) + "," + std::to_string(static_cast<int>(a.y));
}

// A host window at (100, 100) holding the control's surface (400 x 300 pixels) with a text box
// at pixels (10, 10)-(110, 30), a list box at (10, 100)-(110, 200), a command button at
// (150, 10)-(200, 40) and a picture box at (200, 100)-(300, 200) holding a label at its pixels
// (10, 10)-(60, 30).
class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = d.CreateContainer("frmHost", 100, 100, 400, 300);
    ctl = d.CreateUserControl(host->hWnd(), "ctlDate");
    ctl->Size(6000, 4500);
    ctl->SetVisible(true);
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
         .DblClick = [&] { log.push_back("txt dblclick"); },
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

  HeadlessDesktop d;
  std::unique_ptr<Form> host;
  std::unique_ptr<UserControlSurface> ctl;
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

TEST_F(InputTest, DoubleClickRaisesDblClickOnTheSecondPress) {
  d.DoubleClick(115, 115);
  EXPECT_EQ(log, (Log{"txt got", "txt down 1 75,75", "txt click", "txt dblclick"}));
  log.clear();
  d.DoubleClick(312, 215);  // a label has no double click: two ordinary clicks
  EXPECT_EQ(log, (Log{"lbl down 1 30,75", "lbl up 1 30,75", "lbl click", "lbl down 1 30,75",
                      "lbl up 1 30,75", "lbl click"}));
}

TEST_F(InputTest, ADisabledWidgetOrControlGetsNoInput) {
  text->SetEnabled(false);
  d.Click(115, 115);
  EXPECT_EQ(d.FocusedName(), "");
  text->SetEnabled(true);
  text->SetFocus();
  ctl->SetEnabled(false);
  EXPECT_FALSE(d.PressKey('A'));
  d.Click(312, 215);
  d.Click(150, 350);
  ctl->SetEnabled(true);
  EXPECT_EQ(log, (Log{"txt got"}));
  EXPECT_EQ(text->Text(), "");
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

TEST_F(InputTest, KeysWithoutFocusGoNowhere) {
  EXPECT_FALSE(d.KeyDown('A'));
  EXPECT_FALSE(d.PressKey('A'));
  EXPECT_FALSE(d.Type("abc"));
  EXPECT_FALSE(d.KeyUp('A'));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(text->Text(), "");
}

TEST_F(InputTest, KeyOrderWithTheControlPreviewingKeys) {
  const struct {
    const char* name;
    bool preview;
    std::int16_t key;
    const char* want;
  } rows[] = {
      {"a character with preview", true, 'A',
       "ctl key 65, txt keydown 65, txt keypress 97, txt change a, txt keyup 65"},
      {"a character without preview", false, 'B',
       "txt keydown 66, txt keypress 98, txt change ab, txt keyup 66"},
      {"a key without a character", true, kKeyUp, "ctl key 38, txt keydown 38, txt keyup 38"},
      {"a modifier alone", true, kKeyShift, "ctl key 16, txt keydown 16, txt keyup 16"},
      {"Enter without a default button", true, kKeyReturn,
       "ctl key 13, txt keydown 13, txt keypress 13, txt keyup 13"},
  };
  ctl->SetHandlers(
      {.KeyDown = [&](KeyArgs& a) { log.push_back("ctl key " + std::to_string(a.key_code)); }});
  text->SetFocus();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ctl->SetKeyPreview(row.preview);
    log.clear();
    EXPECT_TRUE(d.PressKey(row.key));
    EXPECT_EQ(Joined(log), row.want);
  }
}

TEST_F(InputTest, HandlersCanChangeOrCancelTheKey) {
  text->SetFocus();
  text->SetText("abc");
  text->SetSelStart(1);
  // The preview cancels Delete; KeyPress turns letters upper case.
  ctl->SetKeyPreview(true);
  ctl->SetHandlers({.KeyDown = [&](KeyArgs& a) {
    if (a.key_code == kKeyDelete) {
      a.key_code = 0;
    }
  }});
  text->SetHandlers({.KeyPress = [&](KeyPressArgs& a) {
    if (a.key_ascii >= 'a' && a.key_ascii <= 'z') {
      a.key_ascii = static_cast<std::int16_t>(a.key_ascii - 32);
    }
  }});
  d.PressKey(kKeyDelete);
  EXPECT_EQ(text->Text(), "abc");
  d.Type("x");
  EXPECT_EQ(text->Text(), "aXbc");
  EXPECT_EQ(text->SelStart(), 2);
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
