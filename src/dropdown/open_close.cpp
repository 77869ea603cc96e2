#include "control/datewell.h"

namespace datewell {

// Moving the panel to the desktop, placing it, opening and closing it.
void Datewell::UserControl_Initialize() {}
void Datewell::UserControl_Show() {}
void Datewell::UserControl_Hide() {}
void Datewell::UserControl_KeyDown(KeyArgs&) {}
void Datewell::SetExtendedStyle(Hwnd, bool, std::int32_t) {}
void Datewell::PositionCalendar() {}
void Datewell::OpenCalendar() {}

}  // namespace datewell
