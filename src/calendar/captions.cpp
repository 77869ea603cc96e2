#include <string>

#include "calendar/month_grid_math.h"
#include "control/datewell.h"
#include "dropdown/layout_geometry.h"

namespace datewell {

std::string Datewell::DayCaption(int day_of_month) {
  return m_LocalizedCaptions ? locale_.DayOfMonthText(day_of_month) : std::to_string(day_of_month);
}

// Rewrites the captions of the headers, the Today button and the day cells; nothing else of a
// cell (its Tag, colours, boldness or highlight) changes.
void Datewell::SetLocalizedCaptions(bool on) {
  if (on == m_LocalizedCaptions) {
    return;
  }
  m_LocalizedCaptions = on;
  const auto names = locale_.NarrowWeekdayNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    lblDate[i]->SetCaption(on ? names[i] : std::string(kWeekdayHeaders[i]));
  }
  cmdGotoToday->SetCaption(on ? locale_.TodayCaption() : std::string(kTodayCaption));

  // The days of the month the grid shows, read from it; before its first fill, the design
  // sample's.
  const std::string mid = lblDate[kMidMonthCell]->Tag();
  if (mid.empty()) {
    for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
      lblDate[static_cast<std::size_t>(i)]->SetCaption(DayCaption(DesignSampleDay(i).day));
    }
    return;
  }
  const auto cells = MonthGridCells(ParseDateText(mid), locale_.Today());
  for (int k = 0; k < kGridCells; ++k) {
    lblDate[static_cast<std::size_t>(kDayCellFirst + k)]->SetCaption(
        DayCaption(cells[static_cast<std::size_t>(k)].day_of_month));
  }
}

}  // namespace datewell
