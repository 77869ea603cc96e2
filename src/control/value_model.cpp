#include <string>

#include "control/datewell.h"
#include "control/str_conv.h"
#include "datewell/version.h"

namespace datewell {

// The value model: DateValue, StringValue, DateFormat, AllowEmptyDate and Version.
//
// The value lives in two places: the field's text, which is what the user sees and what dates
// are read from, and m_Value, which only decides emptiness and is what gets saved.

std::string Datewell::Version() const {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

Variant Datewell::DateValue() {
  if (IsEmptyValue(m_Value)) {
    return Variant(std::int16_t{0});
  }
  // Read from the text, so that a picked or typed date counts before the field loses focus.
  return Variant(ParseDateText(txtDate->Text()));
}

void Datewell::SetDateValue(const Variant& value) {
  if (value.is(VarKind::Date)) {
    // A date the control could not show or read back is refused before anything changes.
    if (!IsDateInRange(value.date())) {
      throw HostError(kErrInvalidProcedureCall);
    }
    m_Value = value;
    txtDate->SetText(FormatForField(value.date()));
  } else if (m_AllowEmptyDate) {
    m_Value = Variant(std::int16_t{0});
    txtDate->SetText("");
  } else {
    // Not a date: keep the date the field shows, re-formatted (today when it shows none).
    SetDateValue(Variant(ParseDateText(txtDate->Text())));
  }
  host_.PropertyChanged("DateValue");
}

std::string Datewell::StringValue() const {
  return txtDate->Text();
}

void Datewell::SetStringValue(std::string_view text) {
  if (TrimSpaces(text).empty() && m_AllowEmptyDate) {
    // A blank text where empty dates are allowed empties the control, as leaving a blank
    // field does, instead of turning into today's date.
    m_Value = Variant(std::int16_t{0});
    txtDate->SetText("");
  } else {
    m_Value = Variant(ParseDateText(text));
    const Date shown = ParseDateText(Str(m_Value, locale_));
    txtDate->SetText(FormatForField(shown));
  }
  host_.PropertyChanged("StringValue");
}

std::int32_t Datewell::DateFormat() const {
  return m_DateFormat;
}

void Datewell::SetDateFormat(std::int32_t format) {
  // An unknown format is refused and not kept, so that no saved form can fail to load.
  const auto name = FormatNameFor(format);
  if (!name) {
    throw HostError(kErrInvalidUseOfNull);
  }
  m_DateFormat = format;
  m_FormatName = std::string(*name);
  txtDate->SetText(FormatForField(ParseDateText(txtDate->Text())));
  SetStringValue(txtDate->Text());
  host_.PropertyChanged("DateFormat");
}

bool Datewell::AllowEmptyDate() const {
  return m_AllowEmptyDate;
}

void Datewell::SetAllowEmptyDate(bool allow) {
  m_AllowEmptyDate = allow;
}

}  // namespace datewell
