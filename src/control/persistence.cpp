#include "control/datewell.h"

namespace datewell {

// Saving and restoring the settings through the host's property store.
void Datewell::ReadProperties(PropertyBag&) {}
void Datewell::WriteProperties(PropertyBag&) {}

}  // namespace datewell
