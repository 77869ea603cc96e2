// The widget as Qt programs use it: the committed date and its signals, the focus proxy, the
// widget's own state as the control's, and a notify signal for each property.

#include <gtest/gtest.h>

#include <QDataWidgetMapper>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "control/property_file.h"
#include "qt_support.h"

namespace datewell::qttest {
namespace {

class QtWidget : public QtOffscreenTest {
 protected:
  // Selects the field's text and types over it.
  void TypeOver(ControlOnForm& f, const QString& text) {
    f.dw().Inspect().txtDate->SetFocus();
    f.Field()->setFocus();
    input_.PressKey(Qt::Key_End);
    input_.PressKey(Qt::Key_Home, Qt::ShiftModifier);
    if (text.isEmpty()) {
      input_.PressKey(Qt::Key_Backspace);
    } else {
      input_.Type(text);
    }
  }
};

std::string Text(const QDate& d) {
  return d.isNull() ? "null" : d.toString(Qt::ISODate).toStdString();
}

TEST_F(QtWidget, TheDateIsCommittedBySettersPicksEnterAndLeavingTheField) {
  ControlOnForm& f = Place(100, 100);
  std::vector<std::string> log;
  QObject::connect(f.control, &QtDatewell::dateChanged,
                   [&](const QDate& d) { log.push_back("dateChanged " + Text(d)); });
  QObject::connect(f.control, &QtDatewell::editingFinished,
                   [&] { log.push_back("editingFinished"); });
  QObject::connect(f.control, &QtDatewell::dateTextRejected, [&](const QString& t, QDate d) {
    log.push_back("rejected " + t.toStdString() + " " + Text(d));
  });
  const std::string today = Text(QDate::currentDate());
  struct Step {
    std::string name;
    std::function<void()> act;
    std::vector<std::string> want;
    QDate want_date;
  };
  const std::vector<Step> steps = {
      {"set by code",
       [&] { f.control->setDate(QDate(2004, 1, 5)); },
       {"dateChanged 2004-01-05"},
       QDate(2004, 1, 5)},
      {"typing waits for a commit",
       [&] { TypeOver(f, QStringLiteral("1/7/2004")); },
       {},
       QDate(2004, 1, 5)},
      {"Enter commits it",
       [&] { input_.PressKey(Qt::Key_Return); },
       {"dateChanged 2004-01-07", "editingFinished"},
       QDate(2004, 1, 7)},
      {"a day picked in the calendar (Thursday of the third week)",
       [&] {
         input_.Click(f.DropButton());
         input_.Click(f.CentreOf(*f.dw().Inspect().lblDate[25]));
       },
       {"dateChanged 2004-01-15"},
       QDate(2004, 1, 15)},
      {"text that is no date becomes today's date, and the program hears of it",
       [&] {
         TypeOver(f, QStringLiteral("soon"));
         f.Field()->clearFocus();
       },
       {"dateChanged " + today, "rejected soon " + today, "editingFinished"},
       QDate::currentDate()},
      {"a blank field empties the control",
       [&] {
         f.control->setAllowEmptyDate(true);
         TypeOver(f, QString());
         f.Field()->clearFocus();
       },
       {"dateChanged null", "editingFinished"},
       QDate()},
      {"a null date from code keeps it empty", [&] { f.control->setDate(QDate()); }, {}, QDate()},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    log.clear();
    step.act();
    EXPECT_EQ(log, step.want);
    EXPECT_EQ(Text(f.control->date()), Text(step.want_date));
  }
}

TEST_F(QtWidget, ADataWidgetMapperShowsTheModelsDateAndWritesBackWhatTheUserCommits) {
  ControlOnForm& f = Place(100, 100);
  QStandardItemModel model(1, 1);
  model.setData(model.index(0, 0), QDate(2004, 1, 5));
  QDataWidgetMapper mapper;
  mapper.setModel(&model);
  mapper.addMapping(f.control, 0);
  mapper.toFirst();
  EXPECT_EQ(f.control->stringValue().toStdString(), "Monday, January 5, 2004");

  TypeOver(f, QStringLiteral("3/14/2025"));
  f.Field()->clearFocus();
  EXPECT_EQ(Text(model.data(model.index(0, 0)).toDate()), "2025-03-14");
}

TEST_F(QtWidget, TheWidgetsFocusEnabledStateAndFontAreTheControls) {
  struct Row {
    std::string name;
    std::function<void(QtDatewell&)> act;
    std::function<bool(QtDatewell&, Datewell&)> holds;
  };
  const std::vector<Row> rows = {
      {"focus given to the widget goes to the field", [](QtDatewell& w) { w.setFocus(); },
       [](QtDatewell& w, Datewell& c) { return c.Inspect().txtDate->HasFocus() && w.hasFocus(); }},
      {"a disabled widget is a disabled control", [](QtDatewell& w) { w.setEnabled(false); },
       [](QtDatewell&, Datewell& c) { return !c.Enabled(); }},
      {"a disabled control is a disabled widget", [](QtDatewell& w) { w.setControlEnabled(false); },
       [](QtDatewell& w, Datewell&) { return !w.isEnabled(); }},
      {"a form's disabling is not the control's own",
       [](QtDatewell& w) { w.parentWidget()->setEnabled(false); },
       [](QtDatewell& w, Datewell& c) { return !w.isEnabled() && c.Enabled(); }},
      {"a font set on the widget is the control's",
       [](QtDatewell& w) { w.setFont(QFont(QStringLiteral("DejaVu Serif"), 14)); },
       [](QtDatewell&, Datewell& c) { return c.FontSize() == 14.0f; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ControlOnForm& f = Place(100, 100);
    row.act(*f.control);
    EXPECT_TRUE(row.holds(*f.control, f.dw()));
  }
}

TEST_F(QtWidget, EachPropertyNotifiesItsChangeOnce) {
  const struct {
    const char* property;
    QVariant value;
  } rows[] = {
      {"date", QDate(2004, 1, 5)},
      {"StringValue", QStringLiteral("1/6/2004")},
      {"DateFormat", 1},
      {"AllowEmptyDate", true},
      {"Font", QFont(QStringLiteral("DejaVu Serif"), 14)},
      {"FontSize", 12.0f},
      {"FontBold", true},
      {"FontTransparent", true},
      {"ForeColor", 255u},
      {"BackColor", 0xFFFFu},
      {"Selected", true},
      {"SelStart", 2},
      {"SelText", QStringLiteral("x")},
      {"ToolTipText", QStringLiteral("when")},
      {"WhatsThisHelpID", 7},
      {"Dropped", true},
      {"Enabled", false},
      {"localizedCaptions", true},
  };
  ControlOnForm& f = Place(100, 100);
  const QMetaObject* mo = f.control->metaObject();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.property);
    const QMetaProperty p = mo->property(mo->indexOfProperty(row.property));
    ASSERT_TRUE(p.hasNotifySignal());
    QSignalSpy spy(f.control, p.notifySignal());
    ASSERT_TRUE(f.control->setProperty(row.property, row.value));
    EXPECT_EQ(spy.count(), 1);
  }
}

// A control's settings and the widget's own go through a map, a property file and a whole form,
// the widget's apart from the control's entries, and come back on the fresh control a load
// makes; a save without the widget's setting loads as off. A load that fails changes nothing.
TEST_F(QtWidget, SettingsGoThroughAMapAFileAndAFormAndComeBack) {
  QtPlatform german("de_DE");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("form.json"));
  QWidget from_form;
  QWidget to_form;
  QtDatewell& from = *QtDatewellPrivate::Create(german, &from_form);
  QtDatewell& to = *QtDatewellPrivate::Create(german, &to_form);
  auto today_caption = [](QtDatewell& w) {
    return QtDatewellPrivate::Control(w).Inspect().cmdGotoToday->Caption();
  };
  const QStringList control_keys = from.saveSettings().keys();

  struct Row {
    std::string name;
    std::function<void()> carry;
  };
  const std::vector<Row> rows = {
      {"a map", [&] { to.loadSettings(from.saveSettings()); }},
      {"a property file",
       [&] {
         from.saveToFile(path);
         to.loadFromFile(path);
       }},
      {"a form",
       [&] {
         QtDatewell::saveForm(from_form, path);
         QtDatewell::loadForm(to_form, path);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const bool on : {true, false}) {
      from.setLocalizedCaptions(on);
      from.setDateFormat(on ? 1 : 0);
      from.setFontBold(on);
      from.setDate(on ? QDate(2025, 3, 14) : QDate(2004, 1, 5));
      to.setLocalizedCaptions(!on);
      row.carry();
      EXPECT_EQ(to.localizedCaptions(), on);
      EXPECT_EQ(today_caption(to), on ? "Heute" : "Today");
      EXPECT_EQ(to.dateFormat(), on ? 1 : 0);
      EXPECT_EQ(to.fontBold(), on);
      EXPECT_EQ(Text(to.date()), Text(from.date()));
    }
  }

  from.setLocalizedCaptions(true);
  from.setDate(QDate(2010, 6, 15));
  QVariantMap map = from.saveSettings();
  EXPECT_EQ(map.take(QStringLiteral("widget")).toMap(),
            (QVariantMap{{QStringLiteral("localizedCaptions"), true}}));
  EXPECT_EQ(map.keys(), control_keys);
  from.saveToFile(path);
  PropertyFile file = PropertyFile::Open(path.toStdString());
  const std::string name = from.controlName().toStdString();
  EXPECT_EQ(file.Read(name).Entries().size(), static_cast<std::size_t>(control_keys.size()));
  EXPECT_EQ(file.ReadWidget(name).ReadProperty("localizedCaptions", Variant()), Variant(true));

  const QString shown = to.stringValue();
  map.insert(QStringLiteral("SelStart"), -5);
  try {
    to.loadSettings(map);
    ADD_FAILURE() << "a negative SelStart was taken";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 380);
    EXPECT_NE(std::string(e.what()).find("key \"SelStart\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(to.stringValue(), shown);
}

}  // namespace
}  // namespace datewell::qttest
