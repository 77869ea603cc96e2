#pragma once
// Window operations the control needs of the windowing system. They keep their familiar names
// and constants so that the control's code reads like the behaviour it implements. Positions
// and sizes are pixels; results are returned as the system returns them and the control does
// not examine most of them.

#include <cstdint>

#include "platform/types.h"

namespace datewell {

// A window handle; 0 is no window.
using Hwnd = std::int64_t;
// A device context: the drawing surface of one window.
using Hdc = std::int64_t;

inline constexpr Hwnd kNoWindow = 0;

// Insert-after handles of SetWindowPos.
inline constexpr Hwnd HWND_TOP = 0;
inline constexpr Hwnd HWND_TOPMOST = -1;
inline constexpr Hwnd HWND_NOTOPMOST = -2;

// SetWindowPos flags.
inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t SWP_NOZORDER = 0x0004;
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr std::uint32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;

// Window longs and extended styles.
inline constexpr std::int32_t GWL_EXSTYLE = -20;
inline constexpr std::int32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr std::int32_t WS_EX_TOPMOST = 0x00000008;

// System metrics.
inline constexpr std::int32_t SM_CYHSCROLL = 3;
inline constexpr std::int32_t SM_CXBORDER = 5;
inline constexpr std::int32_t SM_CXFULLSCREEN = 16;
inline constexpr std::int32_t SM_CYFULLSCREEN = 17;

// DrawEdge edges and border flags.
inline constexpr std::uint32_t BDR_RAISEDOUTER = 0x1;
inline constexpr std::uint32_t BDR_SUNKENOUTER = 0x2;
inline constexpr std::uint32_t BDR_RAISEDINNER = 0x4;
inline constexpr std::uint32_t BDR_SUNKENINNER = 0x8;
inline constexpr std::uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;  // 5
inline constexpr std::uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;  // 10
inline constexpr std::uint32_t BF_LEFT = 0x1;
inline constexpr std::uint32_t BF_TOP = 0x2;
inline constexpr std::uint32_t BF_RIGHT = 0x4;
inline constexpr std::uint32_t BF_BOTTOM = 0x8;
inline constexpr std::uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;  // 15

// DrawFrameControl types and states.
inline constexpr std::uint32_t DFC_SCROLL = 3;
inline constexpr std::uint32_t DFC_POPUPMENU = 5;
inline constexpr std::uint32_t DFCS_SCROLLDOWN = 0x0001;
inline constexpr std::uint32_t DFCS_MENUARROWUP = 0x0008;
inline constexpr std::uint32_t DFCS_PUSHED = 0x0200;

class Windowing {
 public:
  virtual ~Windowing() = default;

  virtual Hwnd GetDesktopWindow() = 0;
  virtual Hwnd GetParent(Hwnd hwnd) = 0;
  // Makes hwnd a child of parent; under the desktop it becomes a top-level window placed in
  // screen pixels. Returns the previous parent.
  virtual Hwnd SetParent(Hwnd hwnd, Hwnd parent) = 0;
  virtual std::int32_t GetWindowLongA(Hwnd hwnd, std::int32_t index) = 0;
  virtual std::int32_t SetWindowLongA(Hwnd hwnd, std::int32_t index, std::int32_t value) = 0;
  virtual bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
  virtual bool ClientToScreen(Hwnd hwnd, Point& point) = 0;
  virtual std::int32_t GetSystemMetrics(std::int32_t index) = 0;
  virtual bool GetCursorPos(Point& point) = 0;
  // All mouse input goes to hwnd until released. Returns the previous holder.
  virtual Hwnd SetCapture(Hwnd hwnd) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual Hwnd GetCapture() = 0;
  // A two-pixel three-dimensional edge inside rect.
  virtual bool DrawEdge(Hdc hdc, Rect& rect, std::uint32_t edge, std::uint32_t flags) = 0;
  virtual bool DrawFrameControl(Hdc hdc, Rect& rect, std::uint32_t type, std::uint32_t state) = 0;
  // The work area the floating panel is placed and clamped in: the available area of the screen
  // that shows hwnd, in screen pixels, origin included. On one screen at the origin this is the
  // full-screen client size, which is what a backend that does not override it gives.
  virtual Rect GetWorkArea(Hwnd /*hwnd*/) {
    return Rect{0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
  }
  // The bounding rectangle of all screens of the desktop, in screen pixels: screens left of or
  // above the primary one lie at negative coordinates. A backend that does not override it has
  // one screen at the origin, its full-screen client size.
  virtual Rect GetVirtualScreenRect() {
    return Rect{0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
  }
};

}  // namespace datewell
