// The platform-conformance suite on the Qt backend, on the platform the test program runs on
// (Qt's offscreen platform in the default run).

#include <QString>

#include "platform/conformance/conformance_suite.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_input.h"

namespace datewell::conformance {
namespace {

Qt::KeyboardModifiers ModifiersOf(std::int16_t shift) {
  Qt::KeyboardModifiers m;
  if (shift & kShiftMask) {
    m |= Qt::ShiftModifier;
  }
  if (shift & kCtrlMask) {
    m |= Qt::ControlModifier;
  }
  if (shift & kAltMask) {
    m |= Qt::AltModifier;
  }
  return m;
}

Qt::MouseButton ButtonOf(std::int16_t button) {
  return button == kRightButton    ? Qt::RightButton
         : button == kMiddleButton ? Qt::MiddleButton
                                   : Qt::LeftButton;
}

Qt::Key KeyOf(std::int16_t vk) {
  return static_cast<Qt::Key>(qtgeom::QtKeyFromVirtualKey(vk));
}

class QtBackend final : public ConformanceBackend {
 public:
  Toolkit& toolkit() override { return desktop_; }
  Windowing& windowing() override { return desktop_; }
  std::unique_ptr<Form> CreateContainer(std::string_view name, int x, int y, int width,
                                        int height) override {
    return desktop_.CreateContainer(name, x, y, width, height);
  }
  void MouseDown(int x, int y, std::int16_t button) override {
    input_.MouseDown({x, y}, ButtonOf(button));
  }
  void MouseUp(int x, int y, std::int16_t button) override {
    input_.MouseUp({x, y}, ButtonOf(button));
  }
  void MouseMove(int x, int y) override { input_.MouseMove({x, y}); }
  void KeyDown(std::int16_t key, std::int16_t shift) override {
    input_.KeyDown(KeyOf(key), ModifiersOf(shift));
  }
  void KeyUp(std::int16_t key, std::int16_t shift) override {
    input_.KeyUp(KeyOf(key), ModifiersOf(shift));
  }
  void PressKey(std::int16_t key, std::int16_t shift) override {
    input_.PressKey(KeyOf(key), ModifiersOf(shift));
  }
  void Type(std::string_view utf8) override {
    input_.Type(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  }
  void Pump() override { desktop_.DoEvents(); }

 private:
  QtDesktop desktop_;
  QtInput input_{desktop_};
};

INSTANTIATE_TEST_SUITE_P(Qt, PlatformConformance,
                         ::testing::Values(BackendParam{
                             "Qt", [] { return std::make_unique<QtBackend>(); }}),
                         BackendParamName);

}  // namespace
}  // namespace datewell::conformance
