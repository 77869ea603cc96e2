#include "control/datewell.h"

namespace datewell {

// The About box.
void Datewell::ShowAboutBox() {}

}  // namespace datewell
