#include "control/datewell.h"
#include "dropdown/placement.h"

namespace datewell {

namespace {

constexpr std::uint32_t kMoveOnly = SWP_NOSIZE | SWP_NOACTIVATE;
constexpr std::uint32_t kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;

bool IsModifierKey(std::int16_t key_code) {
  return key_code == kKeyShift || key_code == kKeyControl || key_code == kKeyMenu;
}

}  // namespace

// Moving the panel to the desktop, placing it, opening and closing it. Whether the panel is open
// is the panel window's visibility, read at the moment it matters; no flag shadows it.
void Datewell::UserControl_Initialize() {
  // Tool windows get no taskbar button once they are top-level.
  SetExtendedStyle(picCalendar->hWnd(), true, WS_EX_TOOLWINDOW);
  SetExtendedStyle(lstSelectMonth->hWnd(), true, WS_EX_TOOLWINDOW);
}

void Datewell::UserControl_Show() {
  RaiseEvent(EventId::Show);
  const Hwnd desktop = windowing_.GetDesktopWindow();
  windowing_.SetParent(picCalendar->hWnd(), desktop);
  windowing_.SetParent(lstSelectMonth->hWnd(), desktop);
  PositionCalendar();
}

void Datewell::UserControl_Hide() {
  RaiseEvent(EventId::Hide);
  const Hwnd own = UserControl->hWnd();
  windowing_.SetParent(picCalendar->hWnd(), own);
  windowing_.SetParent(lstSelectMonth->hWnd(), own);
  ShowCalendar(picCalendar->hWnd(), false);
}

void Datewell::UserControl_KeyDown(KeyArgs& args) {
  if (args.key_code == kKeyUp || (args.key_code == kKeyDown && args.shift == kAltMask)) {
    OpenCalendar();
    return;
  }
  // A modifier pressed on its own is the first half of a combination (Alt before Alt+Down):
  // closing on it would make Alt+Down reopen an open panel instead of closing it.
  if (IsModifierKey(args.key_code)) {
    return;
  }
  ShowCalendar(picCalendar->hWnd(), false);
}

void Datewell::SetExtendedStyle(Hwnd hwnd, bool set, std::int32_t style) {
  const std::int32_t old_style = windowing_.GetWindowLongA(hwnd, GWL_EXSTYLE);
  windowing_.SetWindowLongA(hwnd, GWL_EXSTYLE, set ? (style | old_style) : (~style & old_style));
  windowing_.SetParent(hwnd, windowing_.GetParent(hwnd));
  windowing_.SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kFrameChanged);
}

void Datewell::PositionCalendar() {
  const float tx = toolkit_.TwipsPerPixelX();
  const float ty = toolkit_.TwipsPerPixelY();
  PlacementGeometry g;
  g.txt_left = txtDate->Left();
  g.txt_top = txtDate->Top();
  g.txt_height = txtDate->Height();
  g.control_width = UserControl->Width();
  g.control_height = UserControl->Height();
  g.panel_width = picCalendar->Width();
  g.panel_height = picCalendar->Height();
  Point corner = PanelClientPosition(g, tx, ty);
  windowing_.ClientToScreen(UserControl->hWnd(), corner);
  const PanelPlacement placed =
      PlacePanel(corner, g, tx, ty, windowing_.GetWorkArea(UserControl->hWnd()));
  PanelX = placed.panel.x;
  PanelY = placed.panel.y;
  ListX = placed.list.x;
  ListY = placed.list.y;
  windowing_.SetWindowPos(picCalendar->hWnd(), HWND_TOP, PanelX, PanelY, 0, 0, kMoveOnly);
  windowing_.SetWindowPos(lstSelectMonth->hWnd(), HWND_TOP, ListX, ListY, 0, 0, kMoveOnly);
}

// The toggle behind the drop button, Up, Alt+Down, DropDown and CloseUp. It refills the grid
// from the field and places the panel also when the effect is to close.
void Datewell::OpenCalendar() {
  const Date d = ParseDateText(txtDate->Text());
  FillMonthGrid(d);
  lblMonthYear->SetCaption(locale_.FormatDate(d, kMonthYearMask));
  PositionCalendar();
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
    txtDate->SetFocus();
  } else {
    ShowCalendar(picCalendar->hWnd(), true);
  }
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    const auto cell = locale_.RecogniseDate(lblDate[static_cast<std::size_t>(i)]->Tag());
    if (cell && DateOnly(*cell) == DateOnly(d)) {
      HighlightDay(static_cast<std::int16_t>(i));
      return;
    }
  }
}

}  // namespace datewell
