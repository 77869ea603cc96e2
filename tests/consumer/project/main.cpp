// Builds the form of date_form.ui, shows it, picks a day in the calendar with the mouse and
// checks that the picked date arrives through dateChanged. Exit status 0 when all of it holds.

#include <datewell/qtdatewell.h>
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "ui_date_form.h"

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "consumer: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget form;
  Ui::DateForm ui;
  ui.setupUi(&form);
  form.show();
  datewell::QtDatewell* due = ui.dueDate;
  if (due->date() != QDate(2004, 1, 5) || due->dateFormat() != 1 || !due->allowEmptyDate()) {
    return Fail("the form's properties did not reach the control");
  }

  QList<QDate> changes;
  QObject::connect(due, &datewell::QtDatewell::dateChanged,
                   [&](const QDate& date) { changes.append(date); });
  due->DropDown();
  QWidget* panel = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != &form && w->isVisible()) {
      panel = w;
    }
  }
  if (!panel) {
    return Fail("the calendar did not open");
  }
  // The middle of the panel is the middle of January 2004's grid: Wednesday of its third week.
  QTest::mouseClick(panel, Qt::LeftButton, {}, panel->rect().center());
  if (panel->isVisible()) {
    return Fail("the calendar stayed open");
  }
  if (changes != QList<QDate>{QDate(2004, 1, 14)} || due->date() != QDate(2004, 1, 14)) {
    std::fprintf(stderr, "consumer: dateChanged gave %s\n",
                 qPrintable(changes.isEmpty() ? QStringLiteral("nothing")
                                              : changes.last().toString(Qt::ISODate)));
    return Fail("the picked date did not arrive through dateChanged");
  }
  std::printf("consumer: picked %s\n", qPrintable(due->stringValue()));
  return 0;
}
