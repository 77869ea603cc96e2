#include "x11_input.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

namespace datewell::qttest {

namespace {
using FakeMotion = int (*)(Display*, int, int, int, unsigned long);
using FakeButton = int (*)(Display*, unsigned int, int, unsigned long);
using FakeKey = int (*)(Display*, unsigned int, int, unsigned long);
}  // namespace

struct X11Input::Impl {
  Display* display = nullptr;
  void* library = nullptr;
  FakeMotion motion = nullptr;
  FakeButton button = nullptr;
  FakeKey key = nullptr;
};

X11Input::X11Input() : impl_(std::make_unique<Impl>()) {
  impl_->display = XOpenDisplay(nullptr);
  if (!impl_->display) {
    problem_ = "no X display";
    return;
  }
  impl_->library = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!impl_->library) {
    problem_ = "the X test extension's library libXtst.so.6 is missing";
    return;
  }
  impl_->motion = reinterpret_cast<FakeMotion>(dlsym(impl_->library, "XTestFakeMotionEvent"));
  impl_->button = reinterpret_cast<FakeButton>(dlsym(impl_->library, "XTestFakeButtonEvent"));
  impl_->key = reinterpret_cast<FakeKey>(dlsym(impl_->library, "XTestFakeKeyEvent"));
  if (!impl_->motion || !impl_->button || !impl_->key) {
    problem_ = "libXtst.so.6 lacks the fake input calls";
  }
}

X11Input::~X11Input() {
  if (impl_->display) {
    XCloseDisplay(impl_->display);
  }
  if (impl_->library) {
    dlclose(impl_->library);
  }
}

void X11Input::MoveTo(Point screen) {
  impl_->motion(impl_->display, -1, screen.x, screen.y, 0);
  XSync(impl_->display, False);
}

void X11Input::Button(int button, bool press) {
  impl_->button(impl_->display, static_cast<unsigned int>(button), press ? True : False, 0);
  XSync(impl_->display, False);
}

void X11Input::Key(unsigned long keysym, bool press) {
  const KeyCode code = XKeysymToKeycode(impl_->display, keysym);
  impl_->key(impl_->display, code, press ? True : False, 0);
  XSync(impl_->display, False);
}

bool X11Input::GrabPointer() {
  const int status = XGrabPointer(impl_->display, DefaultRootWindow(impl_->display), False, 0,
                                  GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
  XSync(impl_->display, False);
  return status == GrabSuccess;
}

void X11Input::UngrabPointer() {
  XUngrabPointer(impl_->display, CurrentTime);
  XSync(impl_->display, False);
}

Point X11Input::WindowOrigin(unsigned long window) {
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(impl_->display, window, DefaultRootWindow(impl_->display), 0, 0, &x, &y,
                        &child);
  return {x, y};
}

}  // namespace datewell::qttest

namespace datewell::qttest {

QImage X11Input::Screen() {
  Display* d = impl_->display;
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a{};
  XGetWindowAttributes(d, root, &a);
  XImage* image = XGetImage(d, root, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
  if (!image) {
    return {};
  }
  QImage picture(a.width, a.height, QImage::Format_RGB32);
  for (int y = 0; y < a.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < a.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      line[x] = qRgb(static_cast<int>((p & image->red_mask) >> 16),
                     static_cast<int>((p & image->green_mask) >> 8),
                     static_cast<int>(p & image->blue_mask));
    }
  }
  XDestroyImage(image);
  return picture;
}

}  // namespace datewell::qttest
