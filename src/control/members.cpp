#include <cmath>

#include "control/datewell.h"
#include "control/limits.h"

namespace datewell {

// The pass-through members, the stored flags and the methods of the default interface. Each
// setter writes its target, then reports and lays out in the order the member table gives.

FontRef Datewell::Font() const {
  return txtDate->Font();
}

void Datewell::SetFont(FontRef font) {
  // A font property cannot be set to no font at all.
  if (!font) {
    throw HostError(kErrObjectRequired);
  }
  if (!IsFontWithinLimits(*font)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetFont(std::move(font));
  host_.PropertyChanged("Font");
  UserControl_Resize();
}

OleColor Datewell::ForeColor() const {
  return txtDate->ForeColor();
}

void Datewell::SetForeColor(OleColor color) {
  txtDate->SetForeColor(color);
  host_.PropertyChanged("ForeColor");
}

OleColor Datewell::BackColor() const {
  return txtDate->BackColor();
}

void Datewell::SetBackColor(OleColor color) {
  UserControl->SetBackColor(color);
  txtDate->SetBackColor(color);
  UserControl_Resize();
  host_.PropertyChanged("BackColor");
}

bool Datewell::FontUnderline() const {
  return txtDate->FontUnderline();
}

void Datewell::SetFontUnderline(bool on) {
  txtDate->SetFontUnderline(on);
  host_.PropertyChanged("FontUnderline");
  UserControl_Resize();
}

bool Datewell::FontTransparent() const {
  return m_FontTransparent;
}

void Datewell::SetFontTransparent(bool on) {
  m_FontTransparent = on;
  host_.PropertyChanged("FontTransparent");
  UserControl_Resize();
}

bool Datewell::FontStrikethru() const {
  return txtDate->FontStrikethru();
}

void Datewell::SetFontStrikethru(bool on) {
  txtDate->SetFontStrikethru(on);
  host_.PropertyChanged("FontStrikethru");
  UserControl_Resize();
}

float Datewell::FontSize() const {
  return txtDate->FontSize();
}

void Datewell::SetFontSize(float points) {
  // NaN, infinities, zero and negative sizes would leave the field's font unusable.
  if (!IsFontSizeWithinLimits(points)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetFontSize(points);
  host_.PropertyChanged("FontSize");
  UserControl_Resize();
}

std::string Datewell::FontName() const {
  return txtDate->FontName();
}

void Datewell::SetFontName(std::string_view name) {
  if (!IsTextWithinLimit(name, kMaxFontNameBytes)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetFontName(name);
  host_.PropertyChanged("FontName");
  UserControl_Resize();
}

bool Datewell::FontItalic() const {
  return txtDate->FontItalic();
}

void Datewell::SetFontItalic(bool on) {
  txtDate->SetFontItalic(on);
  host_.PropertyChanged("FontItalic");
  UserControl_Resize();
}

bool Datewell::FontBold() const {
  return m_FontBold;
}

void Datewell::SetFontBold(bool on) {
  // The flag is kept as its own setting; the field's font follows it so that the property does
  // what its name says.
  m_FontBold = on;
  txtDate->SetFontBold(on);
  host_.PropertyChanged("FontBold");
  UserControl_Resize();
}

void Datewell::Refresh() {
  UserControl->Refresh();
}

bool Datewell::Selected() const {
  return m_Selected;
}

void Datewell::SetSelected(bool on) {
  m_Selected = on;
  host_.PropertyChanged("Selected");
}

std::int32_t Datewell::SelLength() const {
  return txtDate->SelLength();
}

void Datewell::SetSelLength(std::int32_t length) {
  if (length < 0) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetSelLength(length);
  host_.PropertyChanged("SelLength");
}

std::int32_t Datewell::SelStart() const {
  return txtDate->SelStart();
}

void Datewell::SetSelStart(std::int32_t start) {
  if (start < 0) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetSelStart(start);
  host_.PropertyChanged("SelStart");
}

std::string Datewell::SelText() const {
  return txtDate->SelText();
}

void Datewell::SetSelText(std::string_view text) {
  // What is saved is the selected part of the field's text, so the whole text keeps within the
  // limit, not only the part given here.
  const std::size_t result_bytes = txtDate->Text().size() - txtDate->SelText().size() + text.size();
  if (!IsTextWithinLimit(text, kMaxTextBytes) || result_bytes > kMaxTextBytes) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetSelText(text);
  host_.PropertyChanged("SelText");
}

void Datewell::Size(float& width, float& height) {
  // A size that is no length at all would poison every later layout and placement.
  if (!(std::isfinite(width) && std::isfinite(height) && width >= 0.0f && height >= 0.0f)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  UserControl->Size(width, height);
}

std::string Datewell::ToolTipText() const {
  return txtDate->ToolTipText();
}

void Datewell::SetToolTipText(std::string_view text) {
  if (!IsTextWithinLimit(text, kMaxTextBytes)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  txtDate->SetToolTipText(text);
  host_.PropertyChanged("ToolTipText");
}

std::int32_t Datewell::WhatsThisHelpID() const {
  return txtDate->WhatsThisHelpID();
}

void Datewell::SetWhatsThisHelpID(std::int32_t id) {
  txtDate->SetWhatsThisHelpID(id);
  host_.PropertyChanged("WhatsThisHelpID");
}

bool Datewell::Dropped() const {
  return m_Dropped;
}

void Datewell::SetDropped(bool on) {
  // Only what the host set; the panel's state is its window's visibility.
  m_Dropped = on;
  host_.PropertyChanged("Dropped");
}

bool Datewell::Enabled() const {
  return UserControl->Enabled();
}

void Datewell::SetEnabled(bool on) {
  UserControl->SetEnabled(on);
  host_.PropertyChanged("Enabled");
}

void Datewell::DropDown() {
  // A hidden control has its panel back among its own children (its hidden handler put it
  // there): opened then, the panel would be nowhere on the screen yet hold the capture, and
  // swallow the next press wherever it fell.
  const bool shown = windowing_.GetParent(picCalendar->hWnd()) == windowing_.GetDesktopWindow();
  if (shown && !picCalendar->Visible()) {
    OpenCalendar();
  }
}

void Datewell::CloseUp() {
  if (picCalendar->Visible()) {
    OpenCalendar();
  }
}

}  // namespace datewell
