#include <string_view>

#include "calendar/colors.h"
#include "control/datewell.h"

namespace datewell {

namespace {

// A day cell is hit strictly inside its outline: a point on an edge belongs to no cell.
bool StrictlyInside(const Label& cell, float x, float y) {
  const float right = cell.Left() + cell.Width();  // single-precision sums
  const float bottom = cell.Top() + cell.Height();
  return cell.Left() < x && x < right && cell.Top() < y && y < bottom;
}

// The length of a UTF-8 text in characters, the unit of the text field's selection.
int CharacterCount(std::string_view text) {
  int count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) {
      ++count;
    }
  }
  return count;
}

}  // namespace

// Marking and picking a day cell, and the Today button.
void Datewell::HighlightDay(std::int16_t index) {
  if (index < kDayCellFirst || index > kDayCellLast) {
    return;
  }
  if (m_SelectedDay != 0) {
    // Its back style stays opaque: the restored back colour is the panel's, so nothing shows.
    Label& previous = *lblDate[static_cast<std::size_t>(m_SelectedDay)];
    previous.SetBackColor(m_SavedBackColor);
    previous.SetForeColor(m_SavedForeColor);
    previous.SetBorderStyle(m_SavedBorderStyle);
  }
  m_SelectedDay = index;
  Label& cell = *lblDate[static_cast<std::size_t>(index)];
  m_SavedBackColor = cell.BackColor();
  m_SavedForeColor = cell.ForeColor();
  m_SavedBorderStyle = static_cast<std::int16_t>(cell.BorderStyle());
  cell.SetBackStyle(kBackOpaque);
  cell.SetBorderStyle(kBorderFixedSingle);
  cell.SetForeColor(kColorMarkFore);
  cell.SetBackColor(kColorMarkBack);
}

void Datewell::lblDate_Click(std::int16_t index) {
  if (index < kDayCellFirst || index > kDayCellLast) {
    return;  // a weekday header
  }
  HighlightDay(index);
  // A cell of a grid never filled holds no date: it marks, but writes nothing into the field.
  if (const auto picked = locale_.RecogniseDate(lblDate[static_cast<std::size_t>(index)]->Tag())) {
    txtDate->SetText(FormatForField(*picked));
  }
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
    txtDate->SetFocus();
  }
}

void Datewell::DayCellFromPoint(float x, float y) {
  for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
    // Rows overlap by a little: the upper cell, tested first, takes the overlap.
    if (StrictlyInside(*lblDate[static_cast<std::size_t>(i)], x, y)) {
      lblDate_Click(static_cast<std::int16_t>(i));
      return;
    }
  }
}

void Datewell::cmdGotoToday_Click() {
  const Date today = locale_.Today();
  txtDate->SetText(FormatForField(today));
  FillMonthGrid(today);
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
    txtDate->SetFocus();
  }
}

void Datewell::picCalendar_GotFocus() {
  txtDate->SetSelLength(CharacterCount(txtDate->Text()));
}

}  // namespace datewell
