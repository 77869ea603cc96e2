// The About box: the form as shown (caption, controls, default button), its pictures well formed,
// a fresh form for every showing, and each way of closing it returning and releasing the form.

#include "control/about/frm_about.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "control/about/datewell_icon.xpm.h"
#include "support/harness.h"

namespace datewell {
namespace {

using testing::Harness;

// Reads an XPM header line "W H COLOURS CHARS_PER_PIXEL" and checks the image against it.
void ExpectXpm(XpmImage image, int width, int height) {
  int w = 0, h = 0, colours = 0, cpp = 0;
  ASSERT_EQ(std::sscanf(image[0], "%d %d %d %d", &w, &h, &colours, &cpp), 4);
  EXPECT_EQ(w, width);
  EXPECT_EQ(h, height);
  EXPECT_LE(colours, 17) << "16 colours and transparency at most";
  ASSERT_EQ(image.size(), static_cast<std::size_t>(1 + colours + h));
  for (int row = 0; row < h; ++row) {
    EXPECT_EQ(std::string(image[1 + colours + row]).size(), static_cast<std::size_t>(w * cpp));
  }
}

TEST(AboutBox, PicturesAreXpmOfTheirSizes) {
  ExpectXpm(kDatewellIcon32, 32, 32);
  ExpectXpm(kDatewellIcon16, 16, 16);
  ExpectXpm(kDatewellToolbox, 16, 15);
}

TEST(AboutBox, ShownModallyWithItsControls) {
  Harness h;
  int shown = 0;
  h.desktop.SetModalDriver([&](Form& form) {
    ++shown;
    EXPECT_EQ(form.Caption(), "About Daypane Control");
    EXPECT_TRUE(form.Loaded());
    std::vector<std::string> names;
    for (const Widget* w : h.desktop.ChildWidgets(form)) {
      names.emplace_back(w->Name());
      if (const auto* ok = dynamic_cast<const CommandButton*>(w)) {
        EXPECT_EQ(ok->Caption(), "&OK");
        EXPECT_TRUE(ok->Default()) << "Enter presses OK";
      }
      if (const auto* title = dynamic_cast<const Label*>(w); title && w->Name() == "Label1") {
        EXPECT_EQ(title->Caption(), "Quorvane Daypane Control");
        EXPECT_EQ(title->Alignment(), kAlignCenter);
      }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"cmdOK", "Image1", "Label2", "Label1"}));
    EXPECT_EQ(h.desktop.Inspect(form.hWnd())->icon,
              (std::vector<std::string>{kDatewellIcon32[0], kDatewellIcon16[0]}))
        << "the window icon carries both sizes";
    return headless::ModalAction::Ok;
  });
  h.control->ShowAboutBox();
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(h.host.Log().empty()) << "the control's state is not touched";
}

// The window's close command and a click on OK each end the form and release it; the about-box
// scenario shows Enter on the default OK button and the close command, each showing and closing.
TEST(AboutBox, EveryWayOfClosingReturnsAndReleasesAFreshForm) {
  Harness h;
  auto click_ok = [&h](Form& form) {
    for (const Widget* w : h.desktop.ChildWidgets(form)) {
      if (w->Name() == "cmdOK") {
        const Rect r = h.desktop.ScreenRect(w->hWnd());
        EXPECT_EQ(h.desktop.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2), "cmdOK");
      }
    }
    EXPECT_FALSE(form.Loaded()) << "OK unloads the form";
    // Had the click missed, the close command would still end the loop; the check above is
    // what tells the click worked.
    return headless::ModalAction::Close;
  };
  const std::function<headless::ModalAction(Form&)> closings[] = {
      [](Form&) { return headless::ModalAction::Close; }, click_ok};
  std::vector<Hwnd> forms;
  for (const auto& close : closings) {
    h.desktop.SetModalDriver([&](Form& form) {
      forms.push_back(form.hWnd());
      return close(form);
    });
    h.control->ShowAboutBox();
  }
  ASSERT_EQ(forms.size(), std::size(closings));
  EXPECT_EQ(std::set<Hwnd>(forms.begin(), forms.end()).size(), forms.size())
      << "each time a freshly created form";
  for (Hwnd form : forms) {
    EXPECT_FALSE(h.desktop.IsWindow(form)) << "the form is released";
  }
}

}  // namespace
}  // namespace datewell
