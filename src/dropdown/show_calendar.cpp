#include "control/datewell.h"

namespace datewell {

// Showing and hiding a floating window (the panel or the month list), with the mouse capture.
// Whatever is shown, the panel takes the capture, so that the list's input too arrives through
// the panel's handlers. Hiding always releases the capture, even for a window already hidden.
// The list never outlives the panel: whoever closes the panel takes the list down with it, so
// that no stray list is left on top and no later release commits its highlight.
void Datewell::ShowCalendar(Hwnd hwnd, bool visible) {
  if (visible) {
    windowing_.SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Pending messages (paints, input, the host's own) run here, with the window already up.
    toolkit_.DoEvents();
    windowing_.SetCapture(picCalendar->hWnd());
    toolkit_.DoEvents();
  } else {
    constexpr std::uint32_t kHide = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW;
    windowing_.ReleaseCapture();
    if (hwnd == picCalendar->hWnd() && lstSelectMonth->Visible()) {
      windowing_.SetWindowPos(lstSelectMonth->hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kHide);
    }
    windowing_.SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kHide);
  }
}

}  // namespace datewell
