#include "calendar/day_marks.h"
#include "calendar/month_grid_math.h"
#include "calendar/panel_regions.h"
#include "control/datewell.h"

namespace datewell {

namespace {

TwipsBox BoxOf(const Widget& w) {
  return TwipsBox{w.Left(), w.Top(), w.Width(), w.Height()};
}

}  // namespace

// The open panel's mouse handling. The panel holds the capture, so every press, move and
// release on the screen arrives here; a press is told apart by the cursor's screen position
// against regions recomputed from the current geometry, never from state kept between events.
void Datewell::picCalendar_MouseDown(MouseArgs& args) {
  if (windowing_.GetCapture() == kNoWindow) {
    return;
  }
  const float tx = toolkit_.TwipsPerPixelX();
  const float ty = toolkit_.TwipsPerPixelY();
  const Hwnd panel = picCalendar->hWnd();
  const PanelClientRegions client =
      ComputePanelClientRegions(picCalendar->Width(), BoxOf(*lblDate[kDayCellFirst]),
                                BoxOf(*lblDate[kDayCellLast]), BoxOf(*cmdGotoToday), tx, ty);
  const auto to_screen = [&](const Rect& r) {
    Point top_left{r.left, r.top};
    Point bottom_right{r.right, r.bottom};
    windowing_.ClientToScreen(panel, top_left);
    windowing_.ClientToScreen(panel, bottom_right);
    return Rect{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
  };
  PanelRegions regions;
  regions.bound =
      BoundRegion(windowing_.GetSystemMetrics(SM_CXFULLSCREEN),
                  windowing_.GetSystemMetrics(SM_CYFULLSCREEN), windowing_.GetVirtualScreenRect());
  // While open the panel's container is the desktop: its Left and Top are its screen position.
  regions.panel = PixelBox(BoxOf(*picCalendar), tx, ty);
  regions.day_area = to_screen(client.day_area);
  regions.today = to_screen(client.today);
  regions.prev_month = to_screen(client.prev_month);
  regions.caption = to_screen(client.caption);
  regions.next_month = to_screen(client.next_month);
  Point cursor;
  windowing_.GetCursorPos(cursor);

  switch (ClassifyPanelPress(regions, cursor)) {
    case PanelPress::Outside:
      ShowCalendar(panel, false);
      windowing_.ReleaseCapture();
      break;
    case PanelPress::DayArea:
      // The panel is gone before the day is picked, so the pick leaves the focus where it is.
      windowing_.ReleaseCapture();
      ShowCalendar(panel, false);
      DayCellFromPoint(args.x, args.y);
      break;
    case PanelPress::Caption:
      windowing_.ReleaseCapture();
      lblMonthYear_MouseDown(args);
      break;
    case PanelPress::PrevMonth:
      StepMonth(-1);
      break;
    case PanelPress::NextMonth:
      StepMonth(1);
      break;
    case PanelPress::Today:
      cmdGotoToday_Click();
      break;
    case PanelPress::Nothing:
      break;
  }
}

void Datewell::picCalendar_MouseMove(MouseArgs& args) {
  if (lstSelectMonth->Visible()) {
    lblMonthYear_MouseMove(args);
  }
}

void Datewell::picCalendar_MouseUp(MouseArgs& args) {
  if (lstSelectMonth->Visible()) {
    lblMonthYear_MouseUp(args);
    return;
  }
  // The release of the press on the drop button that opened the panel ends here: the panel
  // keeps the capture and the button comes back up.
  windowing_.SetCapture(picCalendar->hWnd());
  ButtonPressed = false;
  UserControl_Paint();
}

// The shown month is read back from the mid-month cell, never from the selected day, so that
// stepping from the 31st does not skip a month. No cell stays marked afterwards. At the first
// and the last month of the years 100 to 9999 the step stays where it is.
void Datewell::StepMonth(int months) {
  Date d = ParseDateText(lblDate[kMidMonthCell]->Tag());
  ClearDayMarks(lblDate);
  d = locale_.MonthAdd(d, MonthStepWithinRange(d, months));
  FillMonthGrid(d);
  lblMonthYear->SetCaption(locale_.FormatDate(d, kMonthYearMask));
}

}  // namespace datewell
