#include "control/datewell.h"

namespace datewell {

// The widget tree with its design values.
void Datewell::CreateConstituents() {}

}  // namespace datewell
