#pragma once
// An end-to-end harness for tests of the control on the headless desktop: a desktop with a fixed
// clock, the locale services, a recording host, a container window and one Datewell started the
// way a host starts a new control (created, InitProperties, sized, shown). Helpers find widgets
// on the screen and inject input there, so that tests drive the control as a user would.
//
//   testing::Harness h;                       // en_US, today 15 June 2010 at noon
//   h.FocusField();
//   h.desktop.Type("x");
//   EXPECT_EQ(h.host.Events(), ...);

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "control/datewell.h"
#include "platform/headless/headless.h"
#include "platform/icu/icu_locale.h"
#include "platform/toolkit.h"
#include "platform/types.h"
#include "support/recording_host.h"

namespace datewell::testing {

// The host error a call raised: its number and description (number 0 when it returned).
struct Raised {
  int number = 0;
  std::string text;
};
inline Raised ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const HostError& e) {
    return {e.number(), e.what()};
  }
  return {};
}

struct HarnessOptions {
  const char* locale = "en_US";
  float twips_per_pixel = 15.0f;
  float twips_per_pixel_y = 0.0f;  // 0: the same as across
  // The host's form, in screen pixels, and the control's size in it, twips.
  std::int32_t container_x = 100;
  std::int32_t container_y = 100;
  float control_width = 1815.0f;
  float control_height = 300.0f;
  // The start-up steps a host performs for a new control.
  bool init_properties = true;
  bool show = true;
};

class Harness {
 public:
  // en_US unless the options say otherwise, today 15 June 2010 (a Tuesday) at noon; today's
  // date has no time of day.
  static constexpr CivilDate kToday{2010, 6, 15};

  explicit Harness(const HarnessOptions& o = {}) : locale(desktop, o.locale) {
    desktop.SetTwipsPerPixel(o.twips_per_pixel,
                             o.twips_per_pixel_y > 0 ? o.twips_per_pixel_y : o.twips_per_pixel);
    desktop.SetNow(Date{DateFromCivil(kToday).serial + 0.5});
    container = desktop.CreateContainer("Form1", o.container_x, o.container_y, 600, 400);
    auto surface = desktop.CreateUserControl(container->hWnd(), "Datewell1");
    surface->SetVisible(false);
    control = std::make_unique<Datewell>(platform, host, std::move(surface));
    w = control->Inspect();
    if (o.init_properties) {
      control->InitProperties();
    }
    float width = o.control_width;
    float height = o.control_height;
    control->Size(width, height);
    if (o.show) {
      w.surface->SetVisible(true);
    }
    desktop.DoEvents();
    // What the host saw during start-up (events, reports, window calls) is forgotten.
    ClearLog();
  }

  // ---- Dates ----
  static Date D(int year, int month, int day) { return DateFromCivil({year, month, day}); }
  static Date Today() { return DateFromCivil(kToday); }
  // A date as the field shows it in a named format or mask.
  std::string Format(Date d, std::string_view mask) { return locale.FormatDate(d, mask); }

  // ---- Widgets ----
  TextBox& field() const { return *w.txtDate; }
  PictureBox& panel() const { return *w.picCalendar; }
  ListBox& list() const { return *w.lstSelectMonth; }
  bool PanelOpen() const { return w.picCalendar->Visible(); }

  // ---- Screen positions, in pixels ----
  // A point of the panel, given in its client pixels.
  Point PanelPixel(std::int32_t x, std::int32_t y) {
    const Rect r = desktop.ScreenRect(panel().hWnd());
    return {r.left + x, r.top + y};
  }
  // The middle of a windowless label of the panel.
  Point LabelCenter(const Label& label) {
    return PanelPixel(static_cast<std::int32_t>(std::nearbyint((label.Left() + label.Width() / 2) /
                                                               desktop.TwipsPerPixelX())),
                      static_cast<std::int32_t>(std::nearbyint((label.Top() + label.Height() / 2) /
                                                               desktop.TwipsPerPixelY())));
  }

  // ---- Input ----
  // Gives the field the keyboard focus the way a program does (GotFocus runs).
  void FocusField() { field().SetFocus(); }
  // Moves the focus away from the field (LostFocus runs).
  void LeaveField() { desktop.Blur(); }
  // A left click in the middle of the field, at screen pixels.
  std::string ClickField() {
    const Rect r = desktop.ScreenRect(field().hWnd());
    return desktop.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // Shows the panel the way the drop-down does it, without filling the grid.
  void ShowPanel() { control->ShowCalendar(panel().hWnd(), true); }
  void HidePanel() { control->ShowCalendar(panel().hWnd(), false); }

  // ---- What the host saw ----
  void ClearLog() {
    host.Clear();
    desktop.ClearCalls();
  }

  headless::HeadlessDesktop desktop;
  IcuLocale locale;
  RecordingHost host;
  Platform platform{desktop, desktop, locale};
  std::unique_ptr<Form> container;
  std::unique_ptr<Datewell> control;
  Datewell::Constituents w{};
};

}  // namespace datewell::testing
