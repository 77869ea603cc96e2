#include "control/datewell.h"

namespace datewell {

// Marking and picking a day cell, and the Today button.
void Datewell::HighlightDay(std::int16_t) {}
void Datewell::lblDate_Click(std::int16_t) {}
void Datewell::DayCellFromPoint(float, float) {}
void Datewell::cmdGotoToday_Click() {}
void Datewell::picCalendar_GotFocus() {}

}  // namespace datewell
