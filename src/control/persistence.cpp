#include <cmath>
#include <memory>
#include <string>

#include "control/datewell.h"
#include "control/limits.h"
#include "control/setting_error.h"
#include "control/str_conv.h"
#include "control/variant_convert.h"
#include "entry/parse_date_text.h"

namespace datewell {

// Saving and restoring the settings through the host's property store: 22 entries under 21
// keys, "Enabled" twice (the field's own enabled state, then the control's).

namespace {

// The default "0" of the table: the 16-bit integer 0, which also stands for False.
Variant Zero() {
  return Variant(std::int16_t{0});
}

// Every saved setting, read and converted before any of them is applied, so that a value the
// control cannot take fails the load with the control as it was.
struct SavedSettings {
  FontRef font;
  OleColor fore_color = kColorWindowText;
  OleColor back_color = kColorWindowBackground;
  bool field_enabled = true;
  bool font_underline = false;
  bool font_transparent = false;
  bool font_strikethru = false;
  float font_size = 8.0f;
  std::string font_name;
  bool font_italic = false;
  bool font_bold = false;
  bool selected = false;
  std::int32_t sel_length = 0;
  std::int32_t sel_start = 0;
  std::string sel_text;
  std::string tool_tip_text;
  std::int32_t whats_this_help_id = 0;
  Variant value;
  bool dropped = false;
  std::int32_t date_format = LongDate;
  bool enabled = true;
  bool allow_empty_date = false;
};

// A restored font is the control's own object: changing the field's font attributes later must
// not change the container's font or an object the store keeps.
FontRef FontFrom(const Variant& v) {
  if (!v.is(VarKind::Font) || !v.font()) {
    throw HostError(kErrTypeMismatch);
  }
  if (!IsFontWithinLimits(*v.font())) {
    throw HostError(kErrInvalidPropertyValue);
  }
  return std::make_shared<Font>(*v.font());
}

std::string TextFrom(const Variant& v, std::size_t limit, LocaleServices& locale) {
  std::string text = ToString(v, locale);
  if (!IsTextWithinLimit(text, limit)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  return text;
}

// A stored value that the control could neither show nor save again is refused.
Variant StoredValueFrom(const Variant& v) {
  const bool bad_date = v.is(VarKind::Date) && !IsDateInRange(v.date());
  const bool bad_single = v.is(VarKind::Single) && !std::isfinite(v.single());
  const bool bad_double = v.is(VarKind::Double) && !std::isfinite(v.double_());
  if (bad_date || bad_single || bad_double) {
    throw HostError(kErrInvalidProcedureCall);
  }
  return v;
}

std::int32_t NonNegative(std::int32_t n) {
  if (n < 0) {
    throw HostError(kErrInvalidPropertyValue);
  }
  return n;
}

float FontSizeFrom(float points) {
  if (!IsFontSizeWithinLimits(points)) {
    throw HostError(kErrInvalidPropertyValue);
  }
  return points;
}

// The stored value as it is saved. A date text (what the field writes back on losing the focus)
// is in the locale's short form and would read back as another date under another locale, so it
// is saved as the date it names. The date of day number 0 would read back as no date at all;
// that one is saved as its year-first text, which every locale reads alike. Any other value,
// and a text that names no date, is saved as it is.
Variant ValueToSave(const Variant& value, LocaleServices& locale) {
  if (!value.is(VarKind::String)) {
    return value;
  }
  const std::optional<Date> date = RecogniseDateText(locale, value.string(), locale.Today());
  if (!date) {
    return value;
  }
  if (IsEmptyValue(Variant(*date))) {
    return Variant("1899-12-30");
  }
  return Variant(*date);
}

// Reads one entry with its default and converts it; a value the control cannot take raises
// the conversion's error with the key named.
template <typename Convert>
auto Read(PropertyBag& bag, const char* key, const Variant& default_value, Convert convert) {
  try {
    return convert(bag.ReadProperty(key, default_value));
  } catch (const SettingError&) {
    throw;
  } catch (const HostError& e) {
    throw SettingError(e.number(), key);
  }
}

// Every entry in the order of the table, each with its default when reading.
SavedSettings ReadSettings(PropertyBag& bag, const FontRef& ambient, LocaleServices& locale) {
  auto as_bool = [](const Variant& v) { return ToBool(v); };
  auto text = [&](std::size_t limit) {
    return [&locale, limit](const Variant& v) { return TextFrom(v, limit, locale); };
  };
  auto count = [](const Variant& v) { return NonNegative(ToInt32(v)); };
  SavedSettings s;
  s.font = Read(bag, "Font", Variant(ambient), FontFrom);
  s.fore_color = Read(bag, "ForeColor", ColorVariant(kColorWindowText), ToColor);
  s.back_color = Read(bag, "BackColor", ColorVariant(kColorWindowBackground), ToColor);
  s.field_enabled = Read(bag, "Enabled", Variant(true), as_bool);
  s.font_underline = Read(bag, "FontUnderline", Zero(), as_bool);
  s.font_transparent = Read(bag, "FontTransparent", Zero(), as_bool);
  s.font_strikethru = Read(bag, "FontStrikethru", Zero(), as_bool);
  s.font_size = Read(bag, "FontSize", Variant(std::int16_t{8}),
                     [](const Variant& v) { return FontSizeFrom(ToFloat(v)); });
  s.font_name = Read(bag, "FontName", Variant("MS Sans Serif"), text(kMaxFontNameBytes));
  s.font_italic = Read(bag, "FontItalic", Zero(), as_bool);
  s.font_bold = Read(bag, "FontBold", Zero(), as_bool);
  s.selected = Read(bag, "Selected", Zero(), as_bool);
  s.sel_length = Read(bag, "SelLength", Zero(), count);
  s.sel_start = Read(bag, "SelStart", Zero(), count);
  s.sel_text = Read(bag, "SelText", Variant(""), text(kMaxTextBytes));
  s.tool_tip_text = Read(bag, "ToolTipText", Variant(""), text(kMaxTextBytes));
  s.whats_this_help_id = Read(bag, "WhatsThisHelpID", Zero(), ToInt32);
  s.value = Read(bag, "Value", Zero(), StoredValueFrom);
  s.dropped = Read(bag, "Dropped", Zero(), as_bool);
  s.date_format = Read(bag, "DateFormat", Variant(std::int32_t{LongDate}), ToInt32);
  s.enabled = Read(bag, "Enabled", Variant(true), as_bool);
  s.allow_empty_date = Read(bag, "AllowEmptyDate", Variant(false), as_bool);
  return s;
}

}  // namespace

void Datewell::CheckProperties(PropertyBag& bag, LocaleServices& locale) {
  ReadSettings(bag, std::make_shared<datewell::Font>(), locale);
}

void Datewell::ReadProperties(PropertyBag& bag) {
  // A container without an ambient font, or with one the control could not save, gets the
  // control's standard font instead.
  FontRef ambient = host_.AmbientFont();
  if (!ambient || !IsFontWithinLimits(*ambient)) {
    ambient = std::make_shared<datewell::Font>();
  }
  const SavedSettings s = ReadSettings(bag, ambient, locale_);

  // Entries 1 to 19. The font goes through its setter (report and layout); because it comes
  // first, the single font attributes after it override the restored object's.
  SetFont(s.font);
  txtDate->SetForeColor(s.fore_color);
  txtDate->SetBackColor(s.back_color);
  txtDate->SetEnabled(s.field_enabled);
  txtDate->SetFontUnderline(s.font_underline);
  m_FontTransparent = s.font_transparent;
  txtDate->SetFontStrikethru(s.font_strikethru);
  txtDate->SetFontSize(s.font_size);
  txtDate->SetFontName(s.font_name);
  txtDate->SetFontItalic(s.font_italic);
  m_FontBold = s.font_bold;  // boldness itself comes from the font object
  m_Selected = s.selected;
  txtDate->SetSelLength(s.sel_length);
  txtDate->SetSelStart(s.sel_start);
  txtDate->SetSelText(s.sel_text);
  txtDate->SetToolTipText(s.tool_tip_text);
  txtDate->SetWhatsThisHelpID(s.whats_this_help_id);
  m_Value = s.value;
  m_Dropped = s.dropped;

  // Entry 20. A format the control cannot show stops the load here and keeps the format the
  // control had, so the field is never written with an unknown format.
  const auto format_name = FormatNameFor(s.date_format);
  if (!format_name) {
    throw SettingError(kErrInvalidUseOfNull, "DateFormat");
  }
  m_DateFormat = s.date_format;
  m_FormatName = std::string(*format_name);

  // The field shows the stored value's date; a saved date text reads back as its date, and the
  // empty value (" 0") is no date, so the field shows today while DateValue stays 0.
  txtDate->SetText(FormatForField(ParseDateText(Str(m_Value, locale_))));

  // Entries 21 and 22.
  UserControl->SetEnabled(s.enabled);
  m_AllowEmptyDate = s.allow_empty_date;
}

void Datewell::WriteProperties(PropertyBag& bag) {
  bag.WriteProperty("Font", Variant(txtDate->Font()), Variant(host_.AmbientFont()));
  bag.WriteProperty("ForeColor", ColorVariant(txtDate->ForeColor()),
                    ColorVariant(kColorWindowText));
  bag.WriteProperty("BackColor", ColorVariant(txtDate->BackColor()),
                    ColorVariant(kColorWindowBackground));
  bag.WriteProperty("Enabled", Variant(txtDate->Enabled()), Variant(true));
  bag.WriteProperty("FontUnderline", Variant(txtDate->FontUnderline()), Zero());
  bag.WriteProperty("FontTransparent", Variant(m_FontTransparent), Zero());
  bag.WriteProperty("FontStrikethru", Variant(txtDate->FontStrikethru()), Zero());
  bag.WriteProperty("FontSize", Variant(txtDate->FontSize()), Zero());
  bag.WriteProperty("FontName", Variant(txtDate->FontName()), Variant(""));
  bag.WriteProperty("FontItalic", Variant(txtDate->FontItalic()), Zero());
  bag.WriteProperty("FontBold", Variant(m_FontBold), Zero());
  bag.WriteProperty("Selected", Variant(m_Selected), Zero());
  bag.WriteProperty("SelLength", Variant(std::int32_t{txtDate->SelLength()}), Zero());
  bag.WriteProperty("SelStart", Variant(std::int32_t{txtDate->SelStart()}), Zero());
  bag.WriteProperty("SelText", Variant(txtDate->SelText()), Variant(""));
  bag.WriteProperty("ToolTipText", Variant(txtDate->ToolTipText()), Variant(""));
  bag.WriteProperty("WhatsThisHelpID", Variant(txtDate->WhatsThisHelpID()), Zero());
  bag.WriteProperty("Value", ValueToSave(m_Value, locale_), Zero());
  bag.WriteProperty("Dropped", Variant(m_Dropped), Zero());
  bag.WriteProperty("DateFormat", Variant(m_DateFormat), Variant(std::int32_t{LongDate}));
  bag.WriteProperty("Enabled", Variant(UserControl->Enabled()), Variant(true));
  bag.WriteProperty("AllowEmptyDate", Variant(m_AllowEmptyDate), Variant(false));
}

}  // namespace datewell
