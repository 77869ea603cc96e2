#include "control/datewell.h"

namespace datewell {

// The pass-through members, the stored flags and the methods of the default interface.
FontRef Datewell::Font() const {
  return {};
}
void Datewell::SetFont(FontRef) {}
OleColor Datewell::ForeColor() const {
  return 0;
}
void Datewell::SetForeColor(OleColor) {}
OleColor Datewell::BackColor() const {
  return 0;
}
void Datewell::SetBackColor(OleColor) {}
bool Datewell::FontUnderline() const {
  return false;
}
void Datewell::SetFontUnderline(bool) {}
bool Datewell::FontTransparent() const {
  return false;
}
void Datewell::SetFontTransparent(bool) {}
bool Datewell::FontStrikethru() const {
  return false;
}
void Datewell::SetFontStrikethru(bool) {}
float Datewell::FontSize() const {
  return 0;
}
void Datewell::SetFontSize(float) {}
std::string Datewell::FontName() const {
  return {};
}
void Datewell::SetFontName(std::string_view) {}
bool Datewell::FontItalic() const {
  return false;
}
void Datewell::SetFontItalic(bool) {}
bool Datewell::FontBold() const {
  return false;
}
void Datewell::SetFontBold(bool) {}
void Datewell::Refresh() {}
bool Datewell::Selected() const {
  return false;
}
void Datewell::SetSelected(bool) {}
std::int32_t Datewell::SelLength() const {
  return 0;
}
void Datewell::SetSelLength(std::int32_t) {}
std::int32_t Datewell::SelStart() const {
  return 0;
}
void Datewell::SetSelStart(std::int32_t) {}
std::string Datewell::SelText() const {
  return {};
}
void Datewell::SetSelText(std::string_view) {}
void Datewell::Size(float&, float&) {}
std::string Datewell::ToolTipText() const {
  return {};
}
void Datewell::SetToolTipText(std::string_view) {}
std::int32_t Datewell::WhatsThisHelpID() const {
  return 0;
}
void Datewell::SetWhatsThisHelpID(std::int32_t) {}
bool Datewell::Dropped() const {
  return false;
}
void Datewell::SetDropped(bool) {}
bool Datewell::Enabled() const {
  return false;
}
void Datewell::SetEnabled(bool) {}
void Datewell::DropDown() {}
void Datewell::CloseUp() {}

}  // namespace datewell
