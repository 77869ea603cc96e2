#include "control/datewell.h"

namespace datewell {

// A new control's settings.
void Datewell::InitProperties() {}

}  // namespace datewell
