#include "control/datewell.h"

namespace datewell {

// Raising the control's events to the host.
void Datewell::RaiseEvent(EventId) {}
void Datewell::RaiseEvent(EventId, std::int16_t&) {}
void Datewell::RaiseEvent(EventId, std::int16_t&, std::int16_t&) {}

}  // namespace datewell
