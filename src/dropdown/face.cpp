#include "control/datewell.h"

namespace datewell {

// The control face: fixed height, sunken frame and drop button.
void Datewell::UserControl_Resize() {}
void Datewell::UserControl_Paint() {}
void Datewell::UserControl_MouseDown(MouseArgs&) {}
void Datewell::UserControl_MouseUp(MouseArgs&) {}

}  // namespace datewell
