// What a screen reader is given: the tree of accessible interfaces of a control and its open
// panel, and the events sent as the panel opens, steps a month, marks a day and closes.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "qt_support.h"

namespace datewell::qttest {
namespace {

// An interface as a screen reader speaks of it: its role and its name.
std::string Describe(QAccessibleInterface* iface) {
  if (!iface) {
    return "none";
  }
  constexpr std::pair<QAccessible::Role, const char*> kRoles[] = {
      {QAccessible::EditableText, "text"}, {QAccessible::Button, "button"},
      {QAccessible::Dialog, "dialog"},     {QAccessible::StaticText, "caption"},
      {QAccessible::Table, "table"},       {QAccessible::Cell, "cell"},
      {QAccessible::List, "list"}};
  const auto* role = std::find_if(std::begin(kRoles), std::end(kRoles),
                                  [&](const auto& r) { return r.first == iface->role(); });
  return std::string(role == std::end(kRoles) ? "other" : role->second) + " " +
         iface->text(QAccessible::Name).toStdString();
}

std::vector<std::string> Children(QAccessibleInterface* iface) {
  std::vector<std::string> out;
  for (int i = 0; i < iface->childCount(); ++i) {
    out.push_back(Describe(iface->child(i)));
  }
  return out;
}

class QtAccessibility : public QtOffscreenTest {
 protected:
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

// The events a screen reader announces, each as its kind and the interface it concerns.
void Record(std::vector<std::string>& events, QAccessibleEvent* event) {
  constexpr std::pair<QAccessible::Event, const char*> kTypes[] = {
      {QAccessible::DialogStart, "open"},
      {QAccessible::DialogEnd, "close"},
      {QAccessible::NameChanged, "renamed"},
      {QAccessible::Selection, "selected"},
      {QAccessible::StateChanged, "state"}};
  for (const auto& [type, word] : kTypes) {
    if (event->type() == type) {
      events.push_back(std::string(word) + " " + Describe(event->accessibleInterface()));
    }
  }
}

TEST_F(QtAccessibility, OpeningSteppingMarkingAndClosingAreAnnounced) {
  ControlOnForm& f = Place(100, 100);
  std::vector<std::string> events;
  platform_.desktop().WatchAccessibility([&](QAccessibleEvent* e) { Record(events, e); });
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
}

}  // namespace
}  // namespace datewell::qttest
