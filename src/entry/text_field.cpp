#include "control/datewell.h"

namespace datewell {

// The text field's handlers and the Enter key.
void Datewell::txtDate_Change() {}
void Datewell::txtDate_Click() {}
void Datewell::txtDate_DblClick() {}
void Datewell::txtDate_KeyDown(KeyArgs&) {}
void Datewell::txtDate_KeyPress(KeyPressArgs&) {}
void Datewell::txtDate_KeyUp(KeyArgs&) {}
void Datewell::txtDate_GotFocus() {}
void Datewell::txtDate_MouseDown(MouseArgs&) {}
void Datewell::txtDate_LostFocus() {}
void Datewell::cmdDefault_Click() {}

}  // namespace datewell
