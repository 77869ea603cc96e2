#include "control/datewell.h"

namespace datewell {

// Showing and hiding a floating window, with the mouse capture.
void Datewell::ShowCalendar(Hwnd, bool) {}

}  // namespace datewell
