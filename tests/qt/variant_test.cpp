// Host values as QVariants: every kind goes out to one Qt type and comes back as itself.

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QSize>
#include <QVariant>
#include <string>
#include <vector>

#include "platform/qt/qt_variant.h"

namespace datewell {
namespace {

TEST(QtVariant, EveryKindRoundTripsThroughItsQtType) {
  struct Row {
    std::string name;
    Variant value;
    int qt_type;  // QMetaType id, or -1 for an invalid QVariant
  };
  const std::vector<Row> rows = {
      {"empty", Variant(), -1},
      {"null", Variant::Null(), QMetaType::Nullptr},
      {"16-bit integer", Variant(std::int16_t{-7}), QMetaType::Short},
      {"32-bit integer", Variant(std::int32_t{70000}), QMetaType::Int},
      {"single", Variant(8.25f), QMetaType::Float},
      {"double", Variant(2.5), QMetaType::Double},
      {"non-ASCII string", Variant("5. März 2004"), QMetaType::QString},
      {"true", Variant(true), QMetaType::Bool},
      {"false", Variant(false), QMetaType::Bool},
      {"the epoch", Variant(Date{0.0}), QMetaType::QDate},
      {"year 100", Variant(DateFromCivil({100, 1, 1})), QMetaType::QDate},
      {"year 9999", Variant(DateFromCivil({9999, 12, 31})), QMetaType::QDate},
      {"a date with a time of day", Variant(Date{38356.75}), QMetaType::QDateTime},
      {"before the epoch with a time", Variant(Date{-1.25}), QMetaType::QDateTime},
      {"a font keeps its attributes",
       Variant(std::make_shared<Font>(Font{"Arial", 9.75f, true, true, false, true})),
       QMetaType::QFont},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QVariant q = ToQVariant(row.value);
    EXPECT_EQ(q.isValid() ? q.metaType().id() : -1, row.qt_type);
    EXPECT_EQ(FromQVariant(q), row.value);
  }
}

TEST(QtVariant, DatesAreTheCalendarDaysTheyName) {
  EXPECT_EQ(ToQVariant(Variant(Date{37991.0})).toDate(), QDate(2004, 1, 5));
  EXPECT_EQ(ToQVariant(Variant(Date{-1.25})).toDateTime(),
            QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
  EXPECT_EQ(FromQVariant(QVariant(QDate(1899, 12, 30))), Variant(Date{0.0}));
  EXPECT_EQ(FromQVariant(QVariant(QDate())), Variant::Null());  // an invalid date is no date
}

TEST(QtVariant, OtherQtTypesConvertTheWayTheHostConverts) {
  struct Row {
    std::string name;
    QVariant in;
    Variant want;
  };
  const std::vector<Row> rows = {
      {"a long long that fits", QVariant(qlonglong{12}), Variant(std::int32_t{12})},
      {"a long long too big", QVariant(qlonglong{1} << 40), Variant(1099511627776.0)},
      {"an unsigned int", QVariant(uint{5}), Variant(std::int32_t{5})},
      {"a byte array", QVariant(QByteArray("1/5/2004")), Variant("1/5/2004")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FromQVariant(row.in), row.want);
  }
  try {
    FromQVariant(QVariant(QSize(3, 4)));
    FAIL() << "a size has no host kind";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kErrTypeMismatch);
  }
}

}  // namespace
}  // namespace datewell
