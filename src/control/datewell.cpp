#include "control/datewell.h"

namespace datewell {

// Construction, destruction and the shared helpers of the control object.
Datewell::Datewell(const Platform& platform, ComponentHost& host,
                   std::unique_ptr<UserControlSurface> surface)
    : platform_(platform), host_(host), UserControl(std::move(surface)) {}

Datewell::~Datewell() = default;

Datewell::Constituents Datewell::Inspect() const {
  return {};
}

std::string Datewell::FormatForField(Date) {
  return {};
}

}  // namespace datewell
