// The Qt tests run in one QApplication: on Qt's offscreen platform by default, on the X server
// of DISPLAY when DATEWELL_TEST_X11 is set and on the Wayland compositor of WAYLAND_DISPLAY when
// DATEWELL_TEST_WAYLAND is set (tests/qt/run_x11.sh does that), and on an offscreen
// desktop of several screens when DATEWELL_TEST_SCREENS names a configuration file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* x11 = std::getenv("DATEWELL_TEST_X11");
  const char* wayland = std::getenv("DATEWELL_TEST_WAYLAND");
  const char* screens = std::getenv("DATEWELL_TEST_SCREENS");
  if (screens && *screens) {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screens);
  } else if (x11 && *x11) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  } else if (wayland && *wayland) {
    qputenv("QT_QPA_PLATFORM", "wayland");
  } else {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
