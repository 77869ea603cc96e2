#include "control/datewell.h"
#include "control/str_conv.h"

namespace datewell {

// The text field's handlers and the Enter key. Key and mouse events reach the host from here,
// raised first, with the text box's own parameters.

void Datewell::txtDate_Change() {
  RaiseEvent(EventId::Change);
}

void Datewell::txtDate_Click() {
  RaiseEvent(EventId::Click);
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
    txtDate->SetFocus();
  }
}

void Datewell::txtDate_DblClick() {
  RaiseEvent(EventId::DblClick);
}

void Datewell::txtDate_KeyDown(KeyArgs& args) {
  RaiseEvent(EventId::KeyDown, args.key_code, args.shift);
}

void Datewell::txtDate_KeyPress(KeyPressArgs& args) {
  RaiseEvent(EventId::KeyPress, args.key_ascii);
}

void Datewell::txtDate_KeyUp(KeyArgs& args) {
  RaiseEvent(EventId::KeyUp, args.key_code, args.shift);
}

void Datewell::txtDate_GotFocus() {
  txtDate->SetSelLength(CharCount(txtDate->Text()));
}

void Datewell::txtDate_MouseDown(MouseArgs&) {
  const int length = CharCount(txtDate->Text());
  if (txtDate->SelLength() != length) {
    txtDate->SetSelLength(length);
  }
}

// Leaving the field validates what was typed and writes it back in the display format; the
// stored value catches up with the text here. A blank field where empty dates are allowed
// empties the control and touches nothing else (the panel stays as it is).
void Datewell::txtDate_LostFocus() {
  const bool allow_empty = AllowEmptyDate();
  const std::string text = txtDate->Text();
  const std::string_view trimmed = TrimSpaces(text);
  if (trimmed.empty() && allow_empty) {
    m_Value = Variant(std::int16_t{0});
    return;
  }
  const Date d = ParseDateText(trimmed);
  const std::string s = locale_.DateToText(d);
  // The plain text reads back to the same date; the recogniser is asked anyway so that the
  // field shows exactly the date the stored text names.
  const Date shown = locale_.RecogniseDate(s).value_or(d);
  txtDate->SetText(FormatForField(shown));
  m_Value = Variant(s);
  FillMonthGrid(shown);
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
  }
}

// Enter: rewrite the field's date in the display format and close the panel. The text is not
// trimmed and empty dates are not considered: an empty field gets today's date.
void Datewell::cmdDefault_Click() {
  txtDate->SetFocus();
  txtDate->SetText(FormatForField(ParseDateText(txtDate->Text())));
  if (picCalendar->Visible()) {
    ShowCalendar(picCalendar->hWnd(), false);
  }
}

}  // namespace datewell
