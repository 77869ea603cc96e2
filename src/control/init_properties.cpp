#include "control/datewell.h"

namespace datewell {

// A new control's settings: today's date in the long format, the container's font name at
// 8 points, no font styles, the stored flags cleared.
void Datewell::InitProperties() {
  // One reading of the clock, so that the field and the stored value agree across midnight.
  const Date today = locale_.Today();

  m_DateFormat = LongDate;
  m_FormatName = std::string(kLongDate);
  txtDate->SetText(locale_.FormatDate(today, kLongDate));
  m_FontTransparent = false;
  m_FontBold = false;

  // Only the ambient font's name: size, weight and style come from the setters below.
  if (const FontRef ambient = host_.AmbientFont()) {
    txtDate->SetFontName(ambient->name);
  }

  SetFontUnderline(false);
  SetFontTransparent(false);
  SetFontStrikethru(false);
  SetFontSize(8.0f);
  SetFontItalic(false);
  SetFontBold(false);

  m_Selected = false;
  m_Value = Variant(today);
  m_Dropped = false;
}

}  // namespace datewell
