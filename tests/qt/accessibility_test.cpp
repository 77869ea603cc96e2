// What a screen reader is given: the tree of accessible interfaces of a control and its open
// panel, and the events sent as the panel opens, steps a month, marks a day and closes.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <algorithm>
#include <string>
#include <vector>

#include "qt_support.h"

namespace datewell::qttest {
namespace {

std::string Describe(QAccessibleInterface* iface) {
  if (!iface) {
    return "none";
  }
  const char* role = "other";
  switch (iface->role()) {
    case QAccessible::EditableText:
      role = "text";
      break;
    case QAccessible::Button:
      role = "button";
      break;
    case QAccessible::Dialog:
      role = "dialog";
      break;
    case QAccessible::StaticText:
      role = "caption";
      break;
    case QAccessible::Table:
      role = "table";
      break;
    case QAccessible::Cell:
      role = "cell";
      break;
    case QAccessible::List:
      role = "list";
      break;
    default:
      break;
  }
  return std::string(role) + " " + iface->text(QAccessible::Name).toStdString();
}

std::vector<std::string> Children(QAccessibleInterface* iface) {
  std::vector<std::string> out;
  for (int i = 0; i < iface->childCount(); ++i) {
    out.push_back(Describe(iface->child(i)));
  }
  return out;
}

class QtAccessibility : public QtFormsTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
      GTEST_SKIP() << "runs on the offscreen platform";
    }
  }
  static QAccessibleInterface* Of(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
  // The centre of an interface's area on the screen.
  static Point CentreOf(QAccessibleInterface* iface) {
    const QPoint c = iface->rect().center();
    return Point{c.x(), c.y()};
  }
};

TEST_F(QtAccessibility, TheFieldTheDropButtonAndThePanelsPartsAreNamedAndHiddenOnesLeftOut) {
  ControlOnForm& f = Place(100, 100);
  QLabel label(QStringLiteral("&Start date"), f.form.get());
  label.setBuddy(f.control);
  f.Field()->setFocus();
  platform_.desktop().DoEvents();

  QAccessibleInterface* face = Of(f.Field()->parentWidget());
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(Children(face), (std::vector<std::string>{"text Start date", "button Open calendar"}));
  EXPECT_EQ(Describe(Of(f.Field())), "text Start date");

  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  QAccessibleInterface* panel = Of(f.Panel());
  const std::string caption = f.dw().Inspect().lblMonthYear->Caption();
  EXPECT_EQ(Children(panel),
            (std::vector<std::string>{"button Previous month", "caption " + caption,
                                      "button Next month", "table " + caption, "button Today"}));
  EXPECT_EQ(Describe(panel), "dialog Calendar");
  EXPECT_TRUE(face->child(1)->state().expanded);

  // The field shows today in its long form: the one selected cell is today, named so.
  QAccessibleInterface* table = panel->child(3);
  ASSERT_EQ(table->childCount(), 42);
  std::vector<QAccessibleInterface*> selected;
  for (int i = 0; i < 42; ++i) {
    if (table->child(i)->state().selected) {
      selected.push_back(table->child(i));
    }
  }
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(Describe(selected[0]), "cell " + f.dw().Inspect().txtDate->Text());
  EXPECT_TRUE(selected[0]->text(QAccessible::Description).contains(QStringLiteral("today")));
  // The first cell is always a day of the month before.
  EXPECT_EQ(table->child(0)->text(QAccessible::Description), QStringLiteral("other month"));
  EXPECT_EQ(table->childAt(CentreOf(table->child(9)).x, CentreOf(table->child(9)).y),
            table->child(9));
}

std::vector<std::string>* g_events = nullptr;

void Record(QAccessibleEvent* event) {
  const char* type = nullptr;
  switch (event->type()) {
    case QAccessible::DialogStart:
      type = "open";
      break;
    case QAccessible::DialogEnd:
      type = "close";
      break;
    case QAccessible::NameChanged:
      type = "renamed";
      break;
    case QAccessible::Selection:
      type = "selected";
      break;
    case QAccessible::StateChanged:
      type = "state";
      break;
    default:
      return;
  }
  g_events->push_back(std::string(type) + " " + Describe(event->accessibleInterface()));
}

TEST_F(QtAccessibility, OpeningSteppingMarkingAndClosingAreAnnounced) {
  ControlOnForm& f = Place(100, 100);
  std::vector<std::string> events;
  g_events = &events;
  platform_.desktop().WatchAccessibility(&Record);
  const std::string today = f.dw().Inspect().txtDate->Text();

  input_.Click(f.DropButton());
  ASSERT_TRUE(f.PanelOpen());
  EXPECT_EQ(events, (std::vector<std::string>{"open dialog Calendar", "state button Open calendar",
                                              "state cell " + today, "selected cell " + today}));

  events.clear();
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(f.Panel());
  input_.Click(CentreOf(panel->child(2)));
  const std::string caption = f.dw().Inspect().lblMonthYear->Caption();
  EXPECT_NE(std::find(events.begin(), events.end(), "state cell " + today), events.end());
  EXPECT_EQ(events.back(), "renamed caption " + caption);

  events.clear();
  input_.Click(f.DropButton());
  EXPECT_FALSE(f.PanelOpen());
  EXPECT_EQ(events,
            (std::vector<std::string>{"close dialog Calendar", "state button Open calendar"}));

  platform_.desktop().WatchAccessibility({});
  g_events = nullptr;
}

}  // namespace
}  // namespace datewell::qttest
