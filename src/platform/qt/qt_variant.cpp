#include "platform/qt/qt_variant.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <limits>

namespace datewell {

namespace {

constexpr double kSecondsPerDay = 86400.0;

QDate ToQDate(Date d) {
  const CivilDate c = CivilFromDate(d);
  return QDate(c.year, c.month, c.day);
}

Date FromQDate(const QDate& d) {
  return DateFromCivil({d.year(), d.month(), d.day()});
}

}  // namespace

QFont ToQFont(const Font& font) {
  QFont f(QString::fromStdString(font.name));
  if (font.size > 0.0f && std::isfinite(font.size)) {
    f.setPointSizeF(font.size);
  }
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethru);
  return f;
}

Font FromQFont(const QFont& font) {
  Font f;
  f.name = font.family().toStdString();
  f.size = font.pointSizeF() > 0 ? static_cast<float>(font.pointSizeF()) : f.size;
  f.bold = font.bold();
  f.italic = font.italic();
  f.underline = font.underline();
  f.strikethru = font.strikeOut();
  return f;
}

QVariant ToQVariant(const Variant& value) {
  switch (value.kind()) {
    case VarKind::Empty:
      return QVariant();
    case VarKind::Null:
    case VarKind::Nothing:
      return QVariant::fromValue(nullptr);
    case VarKind::Integer:
      return QVariant::fromValue<short>(value.integer());
    case VarKind::Long:
      return QVariant::fromValue<int>(value.long_());
    case VarKind::Single:
      return QVariant::fromValue<float>(value.single());
    case VarKind::Double:
      return QVariant::fromValue<double>(value.double_());
    case VarKind::String:
      return QVariant(QString::fromStdString(value.string()));
    case VarKind::Boolean:
      return QVariant(value.boolean());
    case VarKind::Date: {
      const Date d = value.date();
      const double fraction = std::fabs(d.serial - std::trunc(d.serial));
      if (fraction == 0.0) {
        return QVariant(ToQDate(d));
      }
      const int msecs = static_cast<int>(std::lround(fraction * kSecondsPerDay * 1000.0));
      return QVariant(QDateTime(ToQDate(d), QTime::fromMSecsSinceStartOfDay(msecs)));
    }
    case VarKind::Font:
      return value.font() ? QVariant(ToQFont(*value.font())) : QVariant::fromValue(nullptr);
  }
  return QVariant();
}

Variant FromQVariant(const QVariant& value) {
  if (!value.isValid()) {
    return Variant();
  }
  switch (value.metaType().id()) {
    case QMetaType::Nullptr:
      return Variant::Null();
    case QMetaType::Short:
      return Variant(static_cast<std::int16_t>(value.value<short>()));
    case QMetaType::Int:
      return Variant(static_cast<std::int32_t>(value.toInt()));
    case QMetaType::Float:
      return Variant(value.toFloat());
    case QMetaType::Double:
      return Variant(value.toDouble());
    case QMetaType::QString:
      return Variant(value.toString().toStdString());
    case QMetaType::Bool:
      return Variant(value.toBool());
    case QMetaType::QDate: {
      const QDate d = value.toDate();
      if (!d.isValid()) {
        return Variant::Null();
      }
      return Variant(FromQDate(d));
    }
    case QMetaType::QDateTime: {
      const QDateTime dt = value.toDateTime();
      if (!dt.isValid()) {
        return Variant::Null();
      }
      const Date day = FromQDate(dt.date());
      const double fraction = dt.time().msecsSinceStartOfDay() / (kSecondsPerDay * 1000.0);
      // Before the epoch the time of day still counts forward (day numbers are negative).
      return Variant(Date{day.serial >= 0 ? day.serial + fraction : day.serial - fraction});
    }
    case QMetaType::QFont:
      return Variant(std::make_shared<Font>(FromQFont(value.value<QFont>())));
    default:
      break;
  }
  bool ok = false;
  const qlonglong whole = value.toLongLong(&ok);
  if (ok && whole >= std::numeric_limits<std::int32_t>::min() &&
      whole <= std::numeric_limits<std::int32_t>::max()) {
    return Variant(static_cast<std::int32_t>(whole));
  }
  const double number = value.toDouble(&ok);
  if (ok) {
    return Variant(number);
  }
  if (value.canConvert<QString>()) {
    return Variant(value.toString().toStdString());
  }
  throw HostError(kErrTypeMismatch);
}

}  // namespace datewell
