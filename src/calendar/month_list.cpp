#include "calendar/day_marks.h"
#include "calendar/month_grid_math.h"
#include "calendar/month_list_band.h"
#include "control/datewell.h"

namespace datewell {

// The month quick-select list. The panel keeps the capture throughout; its handlers route the
// moves and the release here while the list is up. The shown month is read from the grid on
// press and on release alike; the list's highlighted index is the only state between them.
void Datewell::lblMonthYear_MouseDown(MouseArgs&) {
  const Date shown = ParseDateText(lblDate[kMidMonthCell]->Tag());
  lstSelectMonth->Clear();
  for (const Date month : MonthListDates(shown)) {
    lstSelectMonth->AddItem(locale_.FormatDate(month, kMonthYearMask));
  }
  ClearDayMarks(lblDate);  // not restored on release
  PositionCalendar();
  ShowCalendar(lstSelectMonth->hWnd(), true);
  // After the show: moves handled while it pumped messages must not leave another month lit.
  lstSelectMonth->SetListIndex(kMonthListShownItem);
}

void Datewell::lblMonthYear_MouseMove(MouseArgs& args) {
  if (lstSelectMonth->Visible()) {
    lstSelectMonth_MouseMove(args);
  }
}

void Datewell::lstSelectMonth_MouseMove(MouseArgs& args) {
  lstSelectMonth->SetListIndex(MonthListIndexAt(args.y, lstSelectMonth->Height()));
}

void Datewell::lblMonthYear_MouseUp(MouseArgs&) {
  Date d = ParseDateText(lblDate[kMidMonthCell]->Tag());
  int k = lstSelectMonth->ListIndex();
  // A release with nothing highlighted (the list never shown) keeps the shown month.
  if (k < 0 || k >= kMonthListItems) {
    k = kMonthListShownItem;
  }
  d = locale_.MonthAdd(d, MonthStepWithinRange(d, k - kMonthListShownItem));
  FillMonthGrid(d);
  lblMonthYear->SetCaption(locale_.FormatDate(d, kMonthYearMask));
  ShowCalendar(lstSelectMonth->hWnd(), false);
  windowing_.SetCapture(picCalendar->hWnd());
}

}  // namespace datewell
