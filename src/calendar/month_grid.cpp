#include <string>

#include "calendar/month_grid_math.h"
#include "control/datewell.h"

namespace datewell {

// Writing a month into the day cells. Only Tag, Caption, FontBold and ForeColor change: the
// selection mark's back colour and border are left to the selection code.
void Datewell::FillMonthGrid(Date d) {
  const auto cells = MonthGridCells(d, locale_.Today());
  for (int k = 0; k < kGridCells; ++k) {
    const DayCellContent& cell = cells[static_cast<std::size_t>(k)];
    Label& label = *lblDate[static_cast<std::size_t>(kDayCellFirst + k)];
    label.SetTag(locale_.DateToText(cell.date));
    label.SetCaption(DayCaption(cell.day_of_month));
    label.SetFontBold(cell.bold);
    label.SetForeColor(cell.fore_color);
  }
}

}  // namespace datewell
