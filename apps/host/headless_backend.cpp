// The automation host over the in-memory desktop.

#include <memory>
#include <optional>

#include "desktop.h"
#include "platform/headless/headless.h"
#include "platform/icu/icu_locale.h"

namespace datewell::host {
namespace {

class HeadlessBackend : public Desktop {
 public:
  // The script language's defaults, set here so that they hold whatever the desktop's own are.
  HeadlessBackend() {
    desktop_.SetTwipsPerPixel(15, 15);
    desktop_.SetWorkArea(1024, 738);
    SetMetrics(16, 1);
  }

  void SetToday(Date today) override { desktop_.SetNow(today); }
  void SetTwipsPerPixel(float x, float y) override { desktop_.SetTwipsPerPixel(x, y); }
  void SetWorkArea(std::int32_t width, std::int32_t height) override {
    desktop_.SetWorkArea(width, height);
  }
  void SetMetrics(std::int32_t cy_hscroll, std::int32_t cx_border) override {
    desktop_.SetSystemMetric(SM_CYHSCROLL, cy_hscroll);
    desktop_.SetSystemMetric(SM_CXBORDER, cx_border);
  }

  Platform MakePlatform(std::string_view locale) override {
    locale_ = std::make_unique<IcuLocale>(desktop_, std::string(locale));
    return Platform{desktop_, desktop_, *locale_};
  }

  std::unique_ptr<UserControlSurface> CreateSurface(std::int32_t x, std::int32_t y) override {
    container_.reset();
    // The container is the host's form; it is large enough that the control never needs more.
    container_ = desktop_.CreateContainer("Form1", x, y, kContainerSize, kContainerSize);
    return desktop_.CreateUserControl(container_->hWnd(), "Datewell1");
  }

  void MoveContainer(std::int32_t x, std::int32_t y) override {
    if (container_) {
      desktop_.SetWindowPos(container_->hWnd(), HWND_TOP, x, y, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  void Pump() override { desktop_.DoEvents(); }

  void MouseDown(std::int32_t x, std::int32_t y, std::int16_t button) override {
    desktop_.MouseDown(x, y, button);
  }
  void MouseUp(std::int32_t x, std::int32_t y, std::int16_t button) override {
    desktop_.MouseUp(x, y, button);
  }
  void MouseMove(std::int32_t x, std::int32_t y, std::int16_t button) override {
    desktop_.MouseMove(x, y, button);
  }
  void DoubleClick(std::int32_t x, std::int32_t y) override { desktop_.DoubleClick(x, y); }
  void Blur() override { desktop_.Blur(); }
  void KeyDown(std::int16_t key_code) override { desktop_.KeyDown(key_code); }
  void KeyUp(std::int16_t key_code) override { desktop_.KeyUp(key_code); }
  void PressKey(std::int16_t key_code) override { desktop_.PressKey(key_code); }
  void Type(std::string_view utf8) override { desktop_.Type(utf8); }

  void SetModal(std::function<ModalEnd()> driver,
                std::function<void(std::string_view, bool)> listener) override {
    desktop_.SetModalDriver([driver = std::move(driver)](Form&) {
      return driver() == ModalEnd::Ok ? headless::ModalAction::Ok : headless::ModalAction::Close;
    });
    desktop_.SetModalListener(
        [listener = std::move(listener)](std::string_view form, headless::ModalEvent event) {
          listener(form, event == headless::ModalEvent::Shown);
        });
  }

  WindowView Window(Hwnd hwnd) override {
    WindowView view;
    if (std::optional<headless::WindowInfo> info = desktop_.Inspect(hwnd)) {
      view.visible = info->visible;
      view.topmost = info->topmost;
      view.x = info->screen_rect.left;
      view.y = info->screen_rect.top;
      view.on_desktop = info->parent == desktop_.GetDesktopWindow();
    }
    return view;
  }
  std::string CaptureName() override { return desktop_.CaptureName(); }
  std::string FocusName() override { return desktop_.FocusedName(); }
  std::vector<std::string> LastPaint(Hwnd hwnd) override {
    // The control also paints by calling its paint procedure directly, and those calls append to
    // the window's log; painting a shown window afresh gives exactly one paint of what it shows.
    std::optional<headless::WindowInfo> info = desktop_.Inspect(hwnd);
    if (info && info->visible) {
      return headless::FormatDrawCalls(desktop_.Repaint(hwnd));
    }
    return headless::FormatDrawCalls(desktop_.Drawing(hwnd));
  }

 private:
  static constexpr std::int32_t kContainerSize = 4000;

  // Declared first so that it is destroyed last: everything below uses it.
  headless::HeadlessDesktop desktop_;
  std::unique_ptr<IcuLocale> locale_;
  std::unique_ptr<Form> container_;
};

}  // namespace

std::unique_ptr<Desktop> MakeHeadlessDesktop() {
  return std::make_unique<HeadlessBackend>();
}

}  // namespace datewell::host
