#include <array>

#include "control/datewell.h"

namespace datewell {

// Raising the control's events to the host. The parameters are the handler's own variables,
// passed by address, so that what the host writes into them is what the handler goes on with.
void Datewell::RaiseEvent(EventId id) {
  host_.RaiseEvent(id, {});
}

void Datewell::RaiseEvent(EventId id, std::int16_t& a) {
  const std::array<std::int16_t*, 1> params{&a};
  host_.RaiseEvent(id, params);
}

void Datewell::RaiseEvent(EventId id, std::int16_t& a, std::int16_t& b) {
  const std::array<std::int16_t*, 2> params{&a, &b};
  host_.RaiseEvent(id, params);
}

}  // namespace datewell
