#pragma once
// The host's tagged values as QVariants and back, so that a Qt program can read and write the
// control's members and keep its saved settings in a QVariantMap. Each kind maps to one Qt type
// and back to the same kind: 16-bit integer short, 32-bit integer int, single float, double
// double, string QString, Boolean bool, date QDate (QDateTime when it has a time of day), font
// QFont, Null std::nullptr_t, Empty an invalid QVariant.

#include <QFont>
#include <QVariant>

#include "platform/types.h"

namespace datewell {

QVariant ToQVariant(const Variant& value);
// A QVariant of a type with no kind of its own (a long long, a QByteArray...) is converted the
// way the host converts: whole numbers that fit 32 bits become Long, other numbers Double,
// anything else its text; a type with no text gives HostError 13.
Variant FromQVariant(const QVariant& value);

QFont ToQFont(const Font& font);
Font FromQFont(const QFont& font);

}  // namespace datewell
