#include "control/datewell.h"
#include "entry/parse_date_text.h"

namespace datewell {

// The control's one conversion from text to a date.
Date Datewell::ParseDateText(std::string_view text) {
  return datewell::ParseDateText(locale_, text);
}

}  // namespace datewell
