#include "control/datewell.h"

namespace datewell {

// The control's one conversion from text to a date.
Date Datewell::ParseDateText(std::string_view) {
  return {};
}

}  // namespace datewell
