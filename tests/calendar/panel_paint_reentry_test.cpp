// Messages that arrive in the middle of a handler: the panel's paint handler does not run inside
// itself (delivered through a platform that runs a paint inside its drawing call), and the month
// list's highlight is set after showing it pumped pending moves.

#include <gtest/gtest.h>

#include <functional>

#include "support/harness.h"

namespace datewell {
namespace {

// Forwards every window operation to the desktop; the first DrawEdge also runs a callback, the
// way a platform call that processes pending messages would deliver a paint in the middle.
class PumpingWindowing : public Windowing {
 public:
  explicit PumpingWindowing(Windowing& inner) : inner_(inner) {}
  std::function<void()> during_draw_edge;

  Hwnd GetDesktopWindow() override { return inner_.GetDesktopWindow(); }
  Hwnd GetParent(Hwnd h) override { return inner_.GetParent(h); }
  Hwnd SetParent(Hwnd h, Hwnd p) override { return inner_.SetParent(h, p); }
  std::int32_t GetWindowLongA(Hwnd h, std::int32_t i) override {
    return inner_.GetWindowLongA(h, i);
  }
  std::int32_t SetWindowLongA(Hwnd h, std::int32_t i, std::int32_t v) override {
    return inner_.SetWindowLongA(h, i, v);
  }
  bool SetWindowPos(Hwnd h, Hwnd a, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t f) override {
    return inner_.SetWindowPos(h, a, x, y, cx, cy, f);
  }
  bool ClientToScreen(Hwnd h, Point& p) override { return inner_.ClientToScreen(h, p); }
  std::int32_t GetSystemMetrics(std::int32_t i) override { return inner_.GetSystemMetrics(i); }
  bool GetCursorPos(Point& p) override { return inner_.GetCursorPos(p); }
  Hwnd SetCapture(Hwnd h) override { return inner_.SetCapture(h); }
  bool ReleaseCapture() override { return inner_.ReleaseCapture(); }
  Hwnd GetCapture() override { return inner_.GetCapture(); }
  bool DrawEdge(Hdc hdc, Rect& r, std::uint32_t e, std::uint32_t f) override {
    const bool ok = inner_.DrawEdge(hdc, r, e, f);
    if (during_draw_edge) {
      auto callback = std::move(during_draw_edge);
      during_draw_edge = nullptr;
      callback();
    }
    return ok;
  }
  bool DrawFrameControl(Hdc hdc, Rect& r, std::uint32_t t, std::uint32_t s) override {
    return inner_.DrawFrameControl(hdc, r, t, s);
  }

 private:
  Windowing& inner_;
};

TEST(PanelPaintReentry, PaintArrivingDuringAPaintIsDroppedAndTheNextOneRuns) {
  testing::Harness h;
  PumpingWindowing windowing(h.desktop);
  const Platform platform{h.desktop, windowing, h.locale};
  Datewell control(platform, h.host, h.desktop.CreateUserControl(h.container->hWnd(), "Second"));
  PictureBox& panel = *control.Inspect().picCalendar;
  const std::size_t before = h.desktop.Drawing(panel.hWnd()).size();

  windowing.during_draw_edge = [&] { control.picCalendar_Paint(); };
  control.picCalendar_Paint();
  const std::size_t one_paint = h.desktop.Drawing(panel.hWnd()).size() - before;
  EXPECT_EQ(one_paint, 13u);  // two edges, the band and ten strokes, once

  control.picCalendar_Paint();
  EXPECT_EQ(h.desktop.Drawing(panel.hWnd()).size() - before, 2 * one_paint);
}

// A move already queued when the caption is pressed arrives in the pump that showing the list
// runs; the highlight set after it still marks the shown month.
TEST(MonthListPump, MovesDeliveredWhileTheListIsShownDoNotOverrideTheShownMonth) {
  testing::Harness h;
  h.control->DropDown();
  ASSERT_TRUE(h.PanelOpen());
  const Point caption = h.PanelPixel(80, 12);
  // On the panel itself, between the grid and Today: far below the list's bands.
  const Point far_below = h.PanelPixel(80, 130);
  bool moved_while_shown = false;
  h.desktop.Post([&] {
    moved_while_shown = h.list().Visible();
    h.desktop.MouseMove(far_below.x, far_below.y, kLeftButton);
  });
  h.desktop.MouseDown(caption.x, caption.y);
  EXPECT_TRUE(moved_while_shown);
  EXPECT_TRUE(h.list().Visible());
  EXPECT_EQ(h.list().ListIndex(), 3);
  // The same move made now does reach the list: the last band.
  h.desktop.MouseMove(far_below.x, far_below.y, kLeftButton);
  EXPECT_EQ(h.list().ListIndex(), 6);
}

}  // namespace
}  // namespace datewell
