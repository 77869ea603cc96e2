// Datewell on the Qt backend beside Qt's own QDateEdit with a calendar popup, in one process on
// the offscreen platform: building a form of many controls, memory per control, and opening and
// closing the calendar.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <vector>

#include "control/datewell.h"
#include "widget/qtdatewell_p.h"

namespace {

constexpr int kControlsPerForm = 50;

double HeapInUse() {
  return static_cast<double>(mallinfo2().uordblks);
}

// A shown form with `count` controls made by `make`; reports bytes of heap per control.
template <typename Make>
void FormOf(benchmark::State& state, Make make) {
  double bytes = 0;
  for (auto _ : state) {
    const double before = HeapInUse();
    auto form = std::make_unique<QWidget>();
    for (int i = 0; i < kControlsPerForm; ++i) {
      QWidget* control = make(form.get());
      control->move(10, 10 + 25 * i);
    }
    form->show();
    QCoreApplication::processEvents();
    bytes = HeapInUse() - before;
    form.reset();
    QCoreApplication::processEvents();
  }
  state.counters["controls"] = kControlsPerForm;
  state.counters["bytes_per_control"] = bytes / kControlsPerForm;
  state.SetItemsProcessed(state.iterations() * kControlsPerForm);
}

void BM_FormOfDatewells(benchmark::State& state) {
  FormOf(state, [](QWidget* form) { return new datewell::QtDatewell(form); });
}
BENCHMARK(BM_FormOfDatewells)->Unit(benchmark::kMillisecond);

void BM_FormOfDateEdits(benchmark::State& state) {
  FormOf(state, [](QWidget* form) {
    auto* edit = new QDateEdit(form);
    edit->setCalendarPopup(true);
    return edit;
  });
}
BENCHMARK(BM_FormOfDateEdits)->Unit(benchmark::kMillisecond);

void BM_OpenAndCloseDatewellPanel(benchmark::State& state) {
  QWidget form;
  auto* control = new datewell::QtDatewell(&form);
  form.show();
  QCoreApplication::processEvents();
  int opened = 0;
  for (auto _ : state) {
    control->DropDown();  // fills the grid, places the panel, shows it and takes the capture
    opened +=
        datewell::QtDatewellPrivate::Control(*control).Inspect().picCalendar->Visible() ? 1 : 0;
    control->CloseUp();
  }
  state.counters["opened"] = benchmark::Counter(opened, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenAndCloseDatewellPanel)->Unit(benchmark::kMicrosecond);

void BM_OpenAndCloseDateEditPopup(benchmark::State& state) {
  QWidget form;
  auto* edit = new QDateEdit(&form);
  edit->setCalendarPopup(true);
  form.show();
  edit->setFocus();
  QCoreApplication::processEvents();
  int opened = 0;
  for (auto _ : state) {
    // A press on the drop arrow, as a user opens it.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QCoreApplication::processEvents();  // painted, as the panel is when DropDown returns
    QWidget* popup = edit->calendarWidget()->window();
    opened += popup->isVisible() ? 1 : 0;
    popup->hide();
  }
  // Every round must really have shown the popup, or the figure measures nothing.
  state.counters["opened"] = benchmark::Counter(opened, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenAndCloseDateEditPopup)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
