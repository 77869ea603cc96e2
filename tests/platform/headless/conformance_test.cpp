// The platform-conformance suite on the headless desktop.

#include "platform/conformance/conformance_suite.h"
#include "platform/headless/headless.h"

namespace datewell::conformance {
namespace {

class HeadlessBackend final : public ConformanceBackend {
 public:
  Toolkit& toolkit() override { return desktop_; }
  Windowing& windowing() override { return desktop_; }
  std::unique_ptr<Form> CreateContainer(std::string_view name, int x, int y, int width,
                                        int height) override {
    return desktop_.CreateContainer(name, x, y, width, height);
  }
  void MouseDown(int x, int y, std::int16_t button) override { desktop_.MouseDown(x, y, button); }
  void MouseUp(int x, int y, std::int16_t button) override { desktop_.MouseUp(x, y, button); }
  void MouseMove(int x, int y) override { desktop_.MouseMove(x, y); }
  void KeyDown(std::int16_t key, std::int16_t shift) override { desktop_.KeyDown(key, shift); }
  void KeyUp(std::int16_t key, std::int16_t shift) override { desktop_.KeyUp(key, shift); }
  void PressKey(std::int16_t key, std::int16_t shift) override { desktop_.PressKey(key, shift); }
  void Type(std::string_view utf8) override { desktop_.Type(utf8); }
  void Pump() override { desktop_.DoEvents(); }

 private:
  headless::HeadlessDesktop desktop_;
};

INSTANTIATE_TEST_SUITE_P(Headless, PlatformConformance,
                         ::testing::Values(BackendParam{
                             "Headless", [] { return std::make_unique<HeadlessBackend>(); }}),
                         BackendParamName);

}  // namespace
}  // namespace datewell::conformance
