#include "control/datewell.h"

namespace datewell {

// Writing a month into the day cells.
void Datewell::FillMonthGrid(Date) {}

}  // namespace datewell
