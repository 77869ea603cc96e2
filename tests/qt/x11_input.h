#pragma once
// Real input on the X server the tests run on: pointer motion, buttons and keys made by the
// server's test extension (loaded at run time), so that they reach whichever client the server
// gives them to, grabs included. Also reads a window's true position from the server, and the
// picture of its whole screen (what a compositor running on it shows).

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/types.h"

namespace datewell::qttest {

class X11Input {
 public:
  X11Input();
  ~X11Input();
  X11Input(const X11Input&) = delete;
  X11Input& operator=(const X11Input&) = delete;

  // Empty when the input can be made; otherwise why not.
  const std::string& Problem() const { return problem_; }

  void MoveTo(Point screen);
  void Button(int button, bool press);
  // The key with this keysym (XK_ values), pressed or released.
  void Key(unsigned long keysym, bool press);
  // Grabs the pointer for this connection, as another program can (true when it took), and
  // lets it go again.
  bool GrabPointer();
  void UngrabPointer();
  // The window's client origin on the screen, as the server has it.
  Point WindowOrigin(unsigned long window);
  // The root window's pixels.
  QImage Screen();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string problem_;
};

}  // namespace datewell::qttest
