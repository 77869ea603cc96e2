#pragma once
// Taking the selected-day mark's background and border off every day cell, as a month change
// does; the text colours are the next fill's business.

#include <array>
#include <memory>

#include "control/datewell.h"

namespace datewell {

inline void ClearDayMarks(const std::array<std::unique_ptr<Label>, 49>& cells) {
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    Label& cell = *cells[static_cast<std::size_t>(i)];
    cell.SetBackColor(kColorWindowBackground);
    cell.SetBorderStyle(kBorderNone);
  }
}

}  // namespace datewell
