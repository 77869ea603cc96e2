// The control as a Qt programmer meets it: a QtDatewell on a form, driven with input at screen
// pixels on the platform the program runs on (offscreen in the default run).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <QStyle>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/panel_paint_geometry.h"
#include "control/typelib.h"
#include "platform/qt/qt_colors.h"
#include "platform/qt/qt_geometry.h"
#include "qt_support.h"

namespace datewell::qttest {
namespace {

using QtControl = QtOffscreenTest;

TEST_F(QtControl, ConnectedSlotsChangeKeysByReference) {
  ControlOnForm& f = Place(100, 100);
  QObject::connect(f.control, &QtDatewell::KeyPress, [](short& ascii) {
    if (ascii == 'x') {
      ascii = 0;  // swallowed
    } else if (ascii == 'a') {
      ascii = '4';  // replaced
    }
  });
  std::vector<int> downs;
  QObject::connect(f.control, &QtDatewell::KeyDown,
                   [&](short& code, short& shift) { downs.push_back(code * 10 + shift); });
  f.control->setAllowEmptyDate(true);
  f.control->setStringValue(QString());
  f.dw().Inspect().txtDate->SetFocus();
  input_.Type(QStringLiteral("x1a"));
  EXPECT_EQ(f.dw().Inspect().txtDate->Text(), "14");
  EXPECT_EQ(downs, (std::vector<int>{880, 490, 650}));
}

TEST_F(QtControl, EveryMemberOfTheTypeLibraryIsAPropertySlotOrSignal) {
  ControlOnForm& f = Place(100, 100);
  const QMetaObject* mo = f.control->metaObject();
  auto find_method = [&](std::string_view name, QMetaMethod::MethodType type) {
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
      const QMetaMethod m = mo->method(i);
      if (m.methodType() == type && m.name().toStdString() == name) {
        return m;
      }
    }
    return QMetaMethod();
  };
  for (const typelib::Member& m : typelib::DefaultInterface().members) {
    SCOPED_TRACE(std::string(m.name));
    if (m.access & typelib::kMethod) {
      EXPECT_TRUE(find_method(m.name, QMetaMethod::Slot).isValid());
      continue;
    }
    const int index = mo->indexOfProperty(std::string(m.name).c_str());
    ASSERT_GE(index, 0);
    const bool writable = (m.access & (typelib::kLet | typelib::kSetRef)) != 0;
    EXPECT_EQ(mo->property(index).isWritable(), writable);
  }
  for (const typelib::Member& e : typelib::EventInterface().members) {
    SCOPED_TRACE(std::string(e.name));
    const QMetaMethod signal = find_method(e.name, QMetaMethod::Signal);
    ASSERT_TRUE(signal.isValid());
    ASSERT_EQ(signal.parameterCount(), static_cast<int>(e.params.size()));
    for (int i = 0; i < signal.parameterCount(); ++i) {
      // Key parameters go out by reference, so that a slot can change them.
      EXPECT_TRUE(signal.parameterTypeName(i).endsWith('&'));
    }
  }
}

TEST_F(QtControl, TheWidgetTakesTheHeightTheControlKeeps) {
  struct Row {
    std::string name;
    std::function<void(QtDatewell&)> change;
  };
  const std::vector<Row> rows = {
      {"the host makes it taller", [](QtDatewell& c) { c.resize(c.width(), 90); }},
      {"a larger font keeps the height", [](QtDatewell& c) { c.setFontSize(20); }},
      {"the Size method", [](QtDatewell& c) { c.Size(3000, 1000); }},
  };
  ControlOnForm& f = Place(100, 100);
  QtDesktop& d = platform_.desktop();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.change(*f.control);
    const UserControlSurface& s = *f.dw().Inspect().surface;
    EXPECT_EQ(f.control->height(), qtgeom::ToPixels(s.Height(), d.TwipsPerPixelY()));
    EXPECT_EQ(f.control->width(), qtgeom::ToPixels(s.Width(), d.TwipsPerPixelX()));
  }
}

// Set through the meta-object, the value setters report what they changed, in order.
TEST_F(QtControl, PropertiesGoThroughTheMetaObject) {
  ControlOnForm& f = Place(100, 100);
  std::vector<std::string> reports;
  QObject::connect(f.control, &QtDatewell::PropertyChanged,
                   [&](const QString& n) { reports.push_back(n.toStdString()); });
  ASSERT_TRUE(f.control->setProperty("DateValue", QVariant(QDate(2004, 1, 5))));
  ASSERT_TRUE(f.control->setProperty("DateFormat", 1));
  EXPECT_EQ(f.control->property("StringValue").toString(), QStringLiteral("1/5/2004"));
  EXPECT_EQ(reports, (std::vector<std::string>{"DateValue", "StringValue", "DateFormat"}));
  EXPECT_THROW(f.control->setProperty("DateFormat", 7), HostError);
  EXPECT_EQ(f.control->dateFormat(), 1);
}

// Two controls named as uic names them: made with the default name, then given an objectName.
TEST_F(QtControl, EachControlOfAFormKeepsItsSettingsUnderItsObjectName) {
  QWidget form;
  auto* start = QtDatewellPrivate::Create(platform_, &form);
  start->setObjectName(QStringLiteral("startDate"));
  auto* end = QtDatewellPrivate::Create(platform_, &form);
  end->setObjectName(QStringLiteral("endDate"));
  start->setDateValue(QVariant(QDate(2004, 1, 5)));
  end->setDateValue(QVariant(QDate(2004, 2, 9)));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("form.json"));
  auto file_bytes = [&] {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };

  QtDatewell::saveForm(form, path);
  start->setDateValue(QVariant(QDate(2010, 6, 15)));
  end->setDateValue(QVariant(QDate(2010, 6, 15)));
  QtDatewell::loadForm(form, path);
  EXPECT_EQ(start->dateValue().toDate(), QDate(2004, 1, 5));
  EXPECT_EQ(end->dateValue().toDate(), QDate(2004, 2, 9));

  // Two controls under one name: saving fails, naming it, and the file stays as it was.
  const QByteArray before = file_bytes();
  end->setObjectName(QStringLiteral("startDate"));
  try {
    QtDatewell::saveForm(form, path);
    ADD_FAILURE() << "two controls under one name are refused";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kErrInvalidPropertyValue);
    EXPECT_NE(std::string(e.what()).find("\"startDate\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(file_bytes(), before);
}

TEST_F(QtControl, ThePanelsArrowsAndBackgroundArePaintedPixelForPixel) {
  struct Row {
    std::string name;
    int x, y;  // panel pixels
    QPalette::ColorRole role;
  };
  // The month arrows in black, pixel for pixel, and the background. (The frame's shades are
  // checked at every ratio below.)
  const std::vector<Row> rows = {
      {"previous-month arrow's longest column", 15, 12, QPalette::NoRole},
      {"previous-month arrow's tip", 11, 13, QPalette::NoRole},
      {"beside the tip, on its row", 10, 13, QPalette::Base},
      {"above the tip", 11, 12, QPalette::Base},
      {"next-month arrow's tip", 152, 13, QPalette::NoRole},
      {"background beside the grid", 8, 100, QPalette::Base},
      {"the rule under the last row, hidden between its labels", 31, 124, QPalette::Base},
  };
  ControlOnForm& f = Place(100, 100);
  f.control->setStringValue(QStringLiteral("January 5, 2004"));
  if (platform_.desktop().TwipsPerPixelX() != 15.0f) {
    GTEST_SKIP() << "the pixel positions are those of 15 twips per pixel";
  }
  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  const QImage image = f.Panel()->grab().toImage();
  image.save(ArtifactPath(QStringLiteral("panel-light.png")));
  ASSERT_EQ(image.size(), QSize(165, 165));
  const QPalette pal = QApplication::palette();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QColor want = row.role == QPalette::NoRole ? QColor(Qt::black) : pal.color(row.role);
    EXPECT_EQ(image.pixelColor(row.x, row.y).name(), want.name());
  }
  // The 5th's box (19 by 15 pixels from (32, 54)) has its digit in the middle: as many rows of
  // navy above the ink as below it, give or take one.
  const QRect inside(33, 55, 17, 13);
  std::vector<int> inked;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (image.pixelColor(x, y) != QColor(0, 0, 0x80)) {
        inked.push_back(y);
        break;
      }
    }
  }
  ASSERT_FALSE(inked.empty());
  const int above = inked.front() - inside.top(), below = inside.bottom() - inked.back();
  EXPECT_LE(std::abs(above - below), 1) << above << " rows above the digit, " << below << " below";
}

// A caption too wide for its label is drawn smaller; the labels painted after it keep the panel's
// font.
TEST_F(QtControl, DaysAreDrawnAlikeWhateverTheMonthCaptionShrankTo) {
  ControlOnForm& f = Place(100, 100);
  f.control->setStringValue(QStringLiteral("January 5, 2004"));
  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  Label& caption = *f.dw().Inspect().lblMonthYear;
  const QRect days =
      f.PixelsOf(*f.dw().Inspect().lblDate[7]) | f.PixelsOf(*f.dw().Inspect().lblDate[48]);
  const auto days_under = [&](std::string_view text) {
    caption.SetCaption(text);
    return f.Panel()->grab().toImage().copy(days);
  };
  const QImage fitting = days_under("May 2004");
  const QImage shrunk = days_under("Wednesday, the twenty-second day of September 2004");
  EXPECT_TRUE(fitting == shrunk);
}

// Under a dark palette every day number (the shown month's, the adjacent months', today's and
// the selected one) and the month arrows read at 4.5:1 or better against what is behind them.
TEST_F(QtControl, UnderADarkPaletteEveryDayNumberIsReadable) {
  struct Restore {
    QPalette palette = QApplication::palette();
    QString style = QApplication::style()->name();
    ~Restore() {
      QApplication::setStyle(style);
      QApplication::setPalette(palette);
    }
  } restore;
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setPalette(DarkPalette());
  ControlOnForm& f = Place(100, 100);
  const QDate today = QDate::currentDate();
  const QDate picked(today.year(), today.month(), today.day() > 14 ? 5 : 20);
  f.control->setStringValue(QLocale(QLocale::English).toString(picked, "MMMM d, yyyy"));
  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  const QImage image = f.Panel()->grab().toImage();
  image.save(ArtifactPath(QStringLiteral("panel-dark.png")));
  // The most common colour of a cell is behind its number; its most distinct pixel is the ink.
  const auto contrast = [&](const QRect& r) {
    std::map<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        ++count[image.pixel(x, y)];
      }
    }
    const QColor behind(std::max_element(count.begin(), count.end(), [](auto& a, auto& b) {
                          return a.second < b.second;
                        })->first);
    double best = 1;
    for (const auto& [rgb, n] : count) {
      best = std::max(best, qtcolor::Contrast(QColor(rgb), behind));
    }
    return best;
  };
  int selected = 0;
  for (int i = 7; i <= 48; ++i) {
    const Label& cell = *f.dw().Inspect().lblDate[i];
    selected += cell.BorderStyle() == 1 ? 1 : 0;
    SCOPED_TRACE(cell.Caption() + " in cell " + std::to_string(i));
    // Inside its outline, clear of the rows the cells above and below overlap.
    EXPECT_GE(contrast(f.PixelsOf(cell).adjusted(1, 1, -1, -1)), 4.5);
  }
  EXPECT_EQ(selected, 1);
  if (platform_.desktop().TwipsPerPixelX() == 15.0f && f.Panel()->devicePixelRatioF() == 1.0) {
    // Both arrows with the background around them.
    EXPECT_GE(contrast(QRect(9, 8, 8, 11)), 4.5);
    EXPECT_GE(contrast(QRect(147, 8, 8, 11)), 4.5);
  }
}

// At every device pixel ratio the face and the panel are their ratio-1 drawing scaled by the
// ratio: the control keeps its size in Qt's pixels, the field ends where the drop button begins,
// the button's arrow shows whole, its edges are raised or pushed in the palette's shades, and the
// panel's edges and month arrows lie where the layout puts them. One row per screen of the desktop
// (the hidpi_screens configuration has one screen per ratio; QT_SCALE_FACTOR multiplies them all).
TEST_F(QtControl, FaceAndPanelScaleWithTheDevicePixelRatio) {
  const QPalette pal = QApplication::palette();
  const int b = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent), e = 2;
  // The logical pixels [first, last] of a drawing found at device pixels [lo, hi] of ratio r.
  const auto expect_scaled = [](const char* what, int first, int last, int lo, int hi, double r) {
    SCOPED_TRACE(what);
    EXPECT_LE(std::abs(lo - first * r), 1.0) << lo << " for " << first;
    EXPECT_LE(std::abs(hi + 1 - (last + 1) * r), 1.0) << hi << " for " << last;
  };
  // The device pixels of colour inside a logical rectangle, as their bounding box.
  const auto ink = [](const QImage& image, const QRect& logical, double r, const QColor& colour) {
    QRect found;
    for (int y = int(logical.top() * r); y < int((logical.bottom() + 1) * r); ++y) {
      for (int x = int(logical.left() * r); x < int((logical.right() + 1) * r); ++x) {
        if (image.pixel(x, y) == colour.rgb()) {
          found |= QRect(x, y, 1, 1);
        }
      }
    }
    return found;
  };
  const auto bounds = [](const std::vector<qtgeom::Segment>& segments) {
    QRect r;
    for (const qtgeom::Segment& s : segments) {
      r |= QRect(QPoint(std::min(s.x1, s.x2), std::min(s.y1, s.y2)),
                 QPoint(std::max(s.x1, s.x2), std::max(s.y1, s.y2)));
    }
    return r;
  };
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    ControlOnForm& f = Place(area.x() + 100, area.y() + 100);
    const double r = f.control->devicePixelRatioF();
    const QString tag = QStringLiteral("%1x").arg(r);
    SCOPED_TRACE(tag.toStdString());
    const int w = f.control->width(), h = f.control->height();
    EXPECT_EQ(h, 21);  // 240 twips of field and 5 pixels
    const QImage face = f.control->grab().toImage();
    face.save(ArtifactPath(QStringLiteral("face-%1.png").arg(tag)));
    const QRect button(QPoint(w - (b + e), e), QPoint(w - e - 1, h - e - 1));
    EXPECT_EQ(f.Field()->geometry(), QRect(3, 3, w - 22, 16));
    EXPECT_LT(f.Field()->geometry().right(), button.left()) << "the field reaches the button";
    const QRect arrow = bounds(qtgeom::ScrollDownArrow(
        Rect{button.left(), button.top(), button.right() + 1, button.bottom() + 1}, false));
    const QRect arrow_ink = ink(face, button, r, pal.color(QPalette::ButtonText));
    ASSERT_FALSE(arrow_ink.isEmpty());
    expect_scaled("arrow x", arrow.left(), arrow.right(), arrow_ink.left(), arrow_ink.right(), r);
    expect_scaled("arrow y", arrow.top(), arrow.bottom(), arrow_ink.top(), arrow_ink.bottom(), r);
    // The face's sunken frame, and the drop button raised, then flat in the shadow shade while
    // the mouse holds it (the press opens the panel).
    const auto shade_at = [&](const QImage& image, QPoint p) {
      return image.pixel(int((p.x() + 0.5) * r), int((p.y() + 0.5) * r));
    };
    EXPECT_EQ(shade_at(face, QPoint(w - 1, h - 1)), pal.color(QPalette::Light).rgb());
    EXPECT_EQ(shade_at(face, button.topLeft()), pal.color(QPalette::Midlight).rgb());
    EXPECT_EQ(shade_at(face, button.bottomRight()), pal.color(QPalette::Dark).rgb());
    input_.MouseDown(f.DropButton());
    platform_.desktop().DoEvents();
    const QImage pushed = f.control->grab().toImage();
    EXPECT_EQ(shade_at(pushed, button.topLeft()), pal.color(QPalette::Mid).rgb());
    EXPECT_EQ(shade_at(pushed, button.bottomRight()), pal.color(QPalette::Mid).rgb());
    input_.MouseUp(f.DropButton());
    ASSERT_TRUE(f.PanelOpen());
    QWidget* panel = f.Panel();
    EXPECT_EQ(panel->size(), QSize(165, 165));
    const QImage image = panel->grab().toImage();
    image.save(ArtifactPath(QStringLiteral("panel-%1.png").arg(tag)));
    // Across the panel at mid-height, each pixel of the frame in its shade: the raised edge, then
    // the sunken one inside it, on the left and on the right.
    const PanelFrameRects rects = ComputePanelFrameRects(2475, 2475, 15, 15);
    std::vector<qtgeom::Segment> edges = qtgeom::EdgeSegments(rects.outer, EDGE_RAISED, BF_RECT);
    for (const qtgeom::Segment& s : qtgeom::EdgeSegments(rects.inner, EDGE_SUNKEN, BF_RECT)) {
      edges.push_back(s);
    }
    const int mid = 82;
    for (int x = 0; x < 165; ++x) {
      std::optional<QPalette::ColorRole> want;
      for (const qtgeom::Segment& s : edges) {
        if (QRect(QPoint(std::min(s.x1, s.x2), std::min(s.y1, s.y2)),
                  QPoint(std::max(s.x1, s.x2), std::max(s.y1, s.y2)))
                .contains(x, mid)) {
          constexpr QPalette::ColorRole kRoles[] = {QPalette::Light, QPalette::Midlight,
                                                    QPalette::Mid, QPalette::Dark};
          want = kRoles[static_cast<int>(s.shade)];
        }
      }
      if (want) {
        EXPECT_EQ(image.pixel(int((x + 0.5) * r), int((mid + 0.5) * r)), pal.color(*want).rgb())
            << "frame pixel " << x;
      }
    }
    // The month arrows: their strokes without their end points, in black on the band.
    for (const auto& [start, direction, half] :
         {std::tuple{kPrevArrowLeft, ArrowDirection::Left, QRect(5, 5, 40, 17)},
          std::tuple{2475 - kNextArrowFromRight, ArrowDirection::Right, QRect(120, 5, 40, 17)}}) {
      std::vector<qtgeom::Segment> strokes;
      for (const LineStroke& s : ArrowStrokes(start, kArrowTop, direction, 15, 15)) {
        if (auto l =
                qtgeom::LineWithoutEnd(qtgeom::ToPixels(s.x1, 15), qtgeom::ToPixels(s.y1, 15),
                                       qtgeom::ToPixels(s.x2, 15), qtgeom::ToPixels(s.y2, 15))) {
          strokes.push_back(qtgeom::Segment{l->x1, l->y1, l->x2, l->y2});
        }
      }
      const QRect want = bounds(strokes);
      const QRect got = ink(image, half, r, Qt::black);
      ASSERT_FALSE(got.isEmpty());
      expect_scaled("month arrow x", want.left(), want.right(), got.left(), got.right(), r);
      expect_scaled("month arrow y", want.top(), want.bottom(), got.top(), got.bottom(), r);
    }
    input_.Click(f.DropButton());
    EXPECT_FALSE(f.PanelOpen());
  }
}

// What hiding and showing do to the panel the scenario transcripts tell; the widget signals them.
TEST_F(QtControl, HidingAndShowingTheWidgetAreSignalled) {
  ControlOnForm& f = Place(100, 100);
  std::vector<std::string> events;
  QObject::connect(f.control, &QtDatewell::Hide, [&] { events.push_back("Hide"); });
  QObject::connect(f.control, &QtDatewell::Show, [&] { events.push_back("Show"); });
  f.control->hide();
  f.control->show();
  EXPECT_EQ(events, (std::vector<std::string>{"Hide", "Show"}));
}

TEST_F(QtControl, ClosingTheFormWithThePanelOpenReleasesEverything) {
  ControlOnForm& f = Place(100, 100);
  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  QPointer<QWidget> panel = f.Panel();
  // The form goes while shown: its controls are hidden, then destroyed.
  forms_.pop_back();
  EXPECT_TRUE(panel.isNull());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(platform_.desktop().GetCapture(), kNoWindow);
}

}  // namespace
}  // namespace datewell::qttest
