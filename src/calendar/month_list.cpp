#include "control/datewell.h"

namespace datewell {

// The month quick-select list.
void Datewell::lblMonthYear_MouseDown(MouseArgs&) {}
void Datewell::lblMonthYear_MouseMove(MouseArgs&) {}
void Datewell::lblMonthYear_MouseUp(MouseArgs&) {}
void Datewell::lstSelectMonth_MouseMove(MouseArgs&) {}

}  // namespace datewell
