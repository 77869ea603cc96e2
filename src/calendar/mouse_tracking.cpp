#include "control/datewell.h"

namespace datewell {

// The open panel's mouse handling.
void Datewell::picCalendar_MouseDown(MouseArgs&) {}
void Datewell::picCalendar_MouseMove(MouseArgs&) {}
void Datewell::picCalendar_MouseUp(MouseArgs&) {}
void Datewell::StepMonth(int) {}

}  // namespace datewell
