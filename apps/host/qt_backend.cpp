// The automation host over the Qt backend (datewell-host --platform qt): the same scripts drive
// real Qt widgets, with input going in through Qt's window-system entry at screen pixels. Runs
// on Qt's offscreen platform with one 1024 x 768 screen unless QT_QPA_PLATFORM says otherwise;
// the script language's figures (twips per pixel, work area, metrics) are imposed on the
// desktop so that transcripts compare with the in-memory desktop's.

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "desktop.h"
#include "platform/headless/headless.h"
#include "platform/icu/icu_locale.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_input.h"
#include "platform/system_clock.h"

namespace datewell::host {
namespace {

// The real time, or the date a script set.
class ScriptClock final : public Clock {
 public:
  Date Now() override { return fixed_ ? *fixed_ : system_.Now(); }
  void Set(Date now) { fixed_ = now; }

 private:
  SystemClock system_;
  std::optional<Date> fixed_;
};

// Sees forms shown modally and ends them the way the script says.
class ModalWatcher : public QObject {
 public:
  std::function<ModalEnd()> driver;
  std::function<void(std::string_view, bool)> listener;

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isModal()) {
      return false;
    }
    const std::string name = dialog->objectName().toStdString();
    if (event->type() == QEvent::Show) {
      QPointer<QDialog> guard = dialog;
      QTimer::singleShot(0, dialog, [this, guard, name] {
        if (listener) {
          listener(name, true);
        }
        const ModalEnd end = driver ? driver() : ModalEnd::Close;
        if (!guard) {
          return;
        }
        if (end == ModalEnd::Ok) {
          for (QPushButton* b : guard->findChildren<QPushButton*>()) {
            if (b->isDefault()) {
              b->click();
              break;
            }
          }
        }
        if (guard && guard->isVisible()) {
          guard->close();
        }
      });
    } else if (event->type() == QEvent::Hide && listener) {
      listener(name, false);
    }
    return false;
  }
};

Qt::Key KeyOf(std::int16_t vk) {
  return static_cast<Qt::Key>(qtgeom::QtKeyFromVirtualKey(vk));
}

Qt::MouseButton ButtonOf(std::int16_t button) {
  return button == kRightButton    ? Qt::RightButton
         : button == kMiddleButton ? Qt::MiddleButton
                                   : Qt::LeftButton;
}

headless::DrawCall ToDrawCall(const QtDrawCall& c) {
  headless::DrawCall d;
  d.kind = c.kind == QtDrawCall::Kind::DrawEdge ? headless::DrawCall::Kind::DrawEdge
           : c.kind == QtDrawCall::Kind::DrawFrameControl
               ? headless::DrawCall::Kind::DrawFrameControl
               : headless::DrawCall::Kind::Line;
  d.rect = c.rect;
  d.a = c.a;
  d.b = c.b;
  d.x1 = c.x1;
  d.y1 = c.y1;
  d.x2 = c.x2;
  d.y2 = c.y2;
  d.color = c.color;
  return d;
}

// Makes the application the first time, on the offscreen platform with one 1024 x 768 screen.
class Application {
 public:
  Application() {
    if (QCoreApplication::instance()) {
      return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      config_ = std::filesystem::temp_directory_path() /
                ("datewell-host-screen-" + std::to_string(getpid()) + ".json");
      std::ofstream(config_) << R"({"windowFrameMargins": false, "screens": [{"name": "screen",
          "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96,
          "dpr": 1}]})";
      qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config_.string()).c_str());
    }
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  ~Application() {
    app_.reset();
    if (!config_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(config_, ignored);
    }
  }
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

 private:
  int argc_ = 1;
  char name_[16] = "datewell-host";
  char* argv_[2] = {name_, nullptr};
  std::filesystem::path config_;
  std::unique_ptr<QApplication> app_;
};

class QtBackend final : public Desktop {
 public:
  QtBackend() {
    qApp->installEventFilter(&modal_);
    SetTwipsPerPixel(15, 15);
    SetWorkArea(1024, 738);
    SetMetrics(16, 1);
  }
  ~QtBackend() override {
    container_.reset();
    qApp->removeEventFilter(&modal_);
  }

  void SetToday(Date today) override { clock_.Set(today); }
  void SetTwipsPerPixel(float x, float y) override { desktop_.OverrideTwipsPerPixel(x, y); }
  void SetWorkArea(std::int32_t width, std::int32_t height) override {
    desktop_.OverrideWorkArea(Rect{0, 0, width, height});
  }
  void SetMetrics(std::int32_t cy_hscroll, std::int32_t cx_border) override {
    desktop_.OverrideSystemMetric(SM_CYHSCROLL, cy_hscroll);
    desktop_.OverrideSystemMetric(SM_CXBORDER, cx_border);
  }

  Platform MakePlatform(std::string_view locale) override {
    locale_ = std::make_unique<IcuLocale>(clock_, std::string(locale));
    return Platform{desktop_, desktop_, *locale_};
  }
  std::unique_ptr<UserControlSurface> CreateSurface(std::int32_t x, std::int32_t y) override {
    container_.reset();
    container_ = desktop_.CreateContainer("Form1", x, y, kContainerWidth, kContainerHeight);
    desktop_.DoEvents();
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
    desktop_.DoEvents();  // a user presses on what the window system has already painted
    input_.MouseDown({x, y}, ButtonOf(button));
  }
  void MouseUp(std::int32_t x, std::int32_t y, std::int16_t button) override {
    desktop_.DoEvents();
    input_.MouseUp({x, y}, ButtonOf(button));
  }
  void MouseMove(std::int32_t x, std::int32_t y, std::int16_t) override {
    desktop_.DoEvents();
    input_.MouseMove({x, y});
  }
  void DoubleClick(std::int32_t x, std::int32_t y) override { input_.DoubleClick({x, y}); }
  void Blur() override {
    if (QWidget* w = QApplication::focusWidget()) {
      w->clearFocus();
    }
    desktop_.DoEvents();
  }
  void KeyDown(std::int16_t key_code) override { input_.KeyDown(KeyOf(key_code)); }
  void KeyUp(std::int16_t key_code) override { input_.KeyUp(KeyOf(key_code)); }
  void PressKey(std::int16_t key_code) override { input_.PressKey(KeyOf(key_code)); }
  void Type(std::string_view utf8) override {
    input_.Type(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  }
  void SetModal(std::function<ModalEnd()> driver,
                std::function<void(std::string_view, bool)> listener) override {
    modal_.driver = std::move(driver);
    modal_.listener = std::move(listener);
  }

  WindowView Window(Hwnd hwnd) override {
    WindowView view;
    QWidget* w = desktop_.WidgetOf(hwnd);
    if (!w) {
      return view;
    }
    view.visible = !w->isHidden();
    view.topmost = desktop_.IsTopmost(hwnd);
    Point origin{0, 0};
    desktop_.ClientToScreen(hwnd, origin);
    view.x = origin.x;
    view.y = origin.y;
    view.on_desktop = desktop_.GetParent(hwnd) == desktop_.GetDesktopWindow();
    return view;
  }
  std::string CaptureName() override { return desktop_.WindowName(desktop_.GetCapture()); }
  std::string FocusName() override {
    return desktop_.WindowName(desktop_.HandleOf(QApplication::focusWidget()));
  }
  std::vector<std::string> LastPaint(Hwnd hwnd) override {
    // The last paint and what was drawn since; a window shown but not painted yet paints now.
    std::vector<QtDrawCall> drawing = desktop_.Drawing(hwnd);
    QWidget* w = desktop_.WidgetOf(hwnd);
    if (drawing.empty() && w && w->isVisible()) {
      drawing = desktop_.Repaint(hwnd);
    }
    std::vector<headless::DrawCall> calls;
    for (const QtDrawCall& c : drawing) {
      calls.push_back(ToDrawCall(c));
    }
    return headless::FormatDrawCalls(calls);
  }

 private:
  static constexpr std::int32_t kContainerWidth = 1000;
  static constexpr std::int32_t kContainerHeight = 700;

  // Declared in the order they are needed; destroyed in reverse.
  Application application_;
  ScriptClock clock_;
  QtDesktop desktop_;
  QtInput input_{desktop_};
  ModalWatcher modal_;
  std::unique_ptr<IcuLocale> locale_;
  std::unique_ptr<Form> container_;
};

}  // namespace

std::unique_ptr<Desktop> MakeQtDesktop() {
  return std::make_unique<QtBackend>();
}

}  // namespace datewell::host
