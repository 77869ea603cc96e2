#include "control/datewell.h"

namespace datewell {

// Construction, destruction and the shared helpers of the control object.
Datewell::Datewell(const Platform& platform, ComponentHost& host,
                   std::unique_ptr<UserControlSurface> surface)
    : platform_(platform), host_(host), UserControl(std::move(surface)) {
  CreateConstituents();
  UserControl_Initialize();
}

Datewell::~Datewell() {
  // A control destroyed while its panel is open must not leave the mouse captured by a window
  // that is about to vanish, nor a topmost panel on the screen.
  const Hwnd panel = picCalendar->hWnd();
  const Hwnd list = lstSelectMonth->hWnd();
  const Hwnd holder = windowing_.GetCapture();
  if (holder != kNoWindow && (holder == panel || holder == list)) {
    windowing_.ReleaseCapture();
  }
  if (lstSelectMonth->Visible()) {
    windowing_.SetWindowPos(list, HWND_NOTOPMOST, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  if (picCalendar->Visible()) {
    windowing_.SetWindowPos(panel, HWND_NOTOPMOST, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  // The widgets outlive this body by a moment; nothing they report may reach a control that is
  // being taken apart (a focused field losing its focus, for one).
  UserControl->SetHandlers({});
  cmdDefault->SetHandlers({});
  txtDate->SetHandlers({});
  lstSelectMonth->SetHandlers({});
  picCalendar->SetHandlers({});
  cmdGotoToday->SetHandlers({});
  lblMonthYear->SetHandlers({});
  for (auto& label : lblDate) {
    label->SetHandlers({});
  }
}

Datewell::Constituents Datewell::Inspect() const {
  Constituents c{UserControl.get(),  cmdDefault.get(),
                 txtDate.get(),      lstSelectMonth.get(),
                 picCalendar.get(),  cmdGotoToday.get(),
                 lblMonthYear.get(), Line2.get(),
                 Line1.get(),        {}};
  for (std::size_t i = 0; i < lblDate.size(); ++i) {
    c.lblDate[i] = lblDate[i].get();
  }
  return c;
}

std::string Datewell::FormatForField(Date d) {
  // Before the first InitProperties or ReadProperties no format is chosen yet; a date then
  // shows in its general form, as formatting with no mask gives.
  if (m_FormatName.empty()) {
    return locale_.DateToText(d);
  }
  return locale_.FormatDate(d, m_FormatName);
}

}  // namespace datewell
