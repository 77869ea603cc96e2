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

struct HarnessOptions {
  std::string locale = "en_US";
  CivilDate today{2010, 6, 15};  // a Tuesday
  double time_of_day = 0.5;      // the clock's fraction of a day; today's date has none
  float twips_per_pixel = 15.0f;
  float twips_per_pixel_y = 0.0f;  // 0: the same as across
  // The host's form, in screen pixels.
  std::int32_t container_x = 100;
  std::int32_t container_y = 100;
  std::int32_t container_width = 600;
  std::int32_t container_height = 400;
  // The control inside the form, twips.
  float control_left = 0.0f;
  float control_top = 0.0f;
  float control_width = 1815.0f;
  float control_height = 300.0f;
  // The start-up steps a host performs for a new control.
  bool init_properties = true;
  bool show = true;
  // Forget what the host saw during start-up (events, reports, window calls).
  bool clear_after_start = true;
};

class Harness {
 public:
  explicit Harness(HarnessOptions options = {})
      : options_(std::move(options)), locale(desktop, options_.locale) {
    const float tpp_y =
        options_.twips_per_pixel_y > 0 ? options_.twips_per_pixel_y : options_.twips_per_pixel;
    desktop.SetTwipsPerPixel(options_.twips_per_pixel, tpp_y);
    desktop.SetNow(Date{DateFromCivil(options_.today).serial + options_.time_of_day});
    container = desktop.CreateContainer("Form1", options_.container_x, options_.container_y,
                                        options_.container_width, options_.container_height);
    auto surface = desktop.CreateUserControl(container->hWnd(), "Datewell1");
    surface->SetVisible(false);
    surface->SetLeft(options_.control_left);
    surface->SetTop(options_.control_top);
    control = std::make_unique<Datewell>(platform, host, std::move(surface));
    w = control->Inspect();
    if (options_.init_properties) {
      control->InitProperties();
    }
    float width = options_.control_width;
    float height = options_.control_height;
    control->Size(width, height);
    if (options_.show) {
      w.surface->SetVisible(true);
    }
    desktop.DoEvents();
    if (options_.clear_after_start) {
      host.Clear();
      desktop.ClearCalls();
    }
  }

  // ---- Dates ----
  static Date D(int year, int month, int day) { return DateFromCivil({year, month, day}); }
  Date Today() const { return DateFromCivil(options_.today); }
  // A date as the field shows it in a named format or mask.
  std::string Format(Date d, std::string_view mask) { return locale.FormatDate(d, mask); }

  // ---- Widgets ----
  TextBox& field() const { return *w.txtDate; }
  PictureBox& panel() const { return *w.picCalendar; }
  ListBox& list() const { return *w.lstSelectMonth; }
  bool PanelOpen() const { return w.picCalendar->Visible(); }

  // ---- Screen positions, in pixels ----
  // A point inside a window, given in twips of its client area.
  Point ScreenPoint(const Widget& widget, float x_twips, float y_twips) {
    const Rect r = desktop.ScreenRect(widget.hWnd());
    return {r.left + static_cast<std::int32_t>(std::nearbyint(x_twips / TppX())),
            r.top + static_cast<std::int32_t>(std::nearbyint(y_twips / TppY()))};
  }
  Point ScreenCenter(const Widget& widget) {
    const Rect r = desktop.ScreenRect(widget.hWnd());
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The middle of a windowless label of the panel.
  Point LabelCenter(const Label& label) {
    return ScreenPoint(panel(), label.Left() + label.Width() / 2, label.Top() + label.Height() / 2);
  }
  float TppX() { return desktop.TwipsPerPixelX(); }
  float TppY() { return desktop.TwipsPerPixelY(); }

  // ---- Input ----
  // Gives the field the keyboard focus the way a program does (GotFocus runs).
  void FocusField() { field().SetFocus(); }
  // Moves the focus away from the field (LostFocus runs).
  void LeaveField() { desktop.Blur(); }
  // A left click in the middle of the field, at screen pixels.
  std::string ClickField() {
    const Point p = ScreenCenter(field());
    return desktop.Click(p.x, p.y);
  }
  // Replaces the field's whole text by typing it: select all, then type.
  void TypeOver(std::string_view text) {
    FocusField();
    field().SetSelStart(0);
    field().SetSelLength(static_cast<int>(field().Text().size()) + 1);
    desktop.Type(text);
  }
  // Shows the panel the way the drop-down does it, without filling the grid.
  void ShowPanel() { control->ShowCalendar(panel().hWnd(), true); }
  void HidePanel() { control->ShowCalendar(panel().hWnd(), false); }

  // ---- What the host saw ----
  void ClearLog() {
    host.Clear();
    desktop.ClearCalls();
  }

 private:
  HarnessOptions options_;

 public:
  headless::HeadlessDesktop desktop;
  IcuLocale locale;
  RecordingHost host;
  Platform platform{desktop, desktop, locale};
  std::unique_ptr<Form> container;
  std::unique_ptr<Datewell> control;
  Datewell::Constituents w{};
};

}  // namespace datewell::testing
