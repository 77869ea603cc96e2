// Datewell on the Qt backend beside Qt's own QDateEdit with its calendar popup, in one process
// on Qt's offscreen platform. Each row of the table is measured in rounds that alternate between
// the two sides (which side goes first alternates too), in CPU time of the process; the figure
// of a side is the median of its rounds. Every round is checked: a form's every control has
// really been painted, a popup really opened (shown and painted) and closed again, a month step
// really changed the month and repainted the popup. Clicks go in through Qt's window-system
// entry at screen pixels on both sides, so that mouse grabs and popups route them as they route
// a user's.
//
//   qt_form_bench [--rounds-scale=F] [--only=ROW] [--side=datewell|qdateedit]
//
// prints the table, with the rounds multiplied by F (default 1); --only runs one row (form,
// form10, form100, form1000, memory, first-open, warm, next-month, start) and --side one side,
// for profiling. Start-up and memory are measured in child processes of this program, started
// alternately for each side: each reports its own CPU time from process start to its first
// painted window, or the memory that 100 controls added to its shown form.

#include <malloc.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/panel_regions.h"
#include "control/datewell.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_input.h"
#include "widget/qtdatewell_p.h"

namespace {

using datewell::Point;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  double size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double Median(std::vector<double> v) {
  if (v.empty()) {
    return 0;
  }
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "qt_form_bench: %s\n", what.c_str());
  std::exit(1);
}

Point ToScreen(const QWidget& w, QPoint local) {
  const QPoint g = w.mapToGlobal(local);
  const double dpr = w.devicePixelRatioF();
  return {static_cast<std::int32_t>(std::lround(g.x() * dpr)),
          static_cast<std::int32_t>(std::lround(g.y() * dpr))};
}

// Sees every paint of the application: which widgets and which windows were painted since the
// last Reset.
class PaintWatch : public QObject {
 public:
  void Reset() {
    widgets_.clear();
    windows_.clear();
  }
  bool Painted(const QWidget* w) const { return widgets_.contains(w); }
  bool WindowPainted(const QWidget* window) const { return windows_.contains(window); }
  // Every widget of the subtree that shows on the screen was painted.
  bool SubtreePainted(const QWidget& root) const {
    if (root.isVisible() && !root.visibleRegion().isEmpty() && !Painted(&root)) {
      return false;
    }
    for (const QObject* child : root.children()) {
      const auto* w = qobject_cast<const QWidget*>(child);
      if (w && !w->isWindow() && !SubtreePainted(*w)) {
        return false;
      }
    }
    return true;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      widgets_.insert(w);
      windows_.insert(w->window());
    }
    return false;
  }

 private:
  QSet<const QWidget*> widgets_;
  QSet<const QWidget*> windows_;
};

PaintWatch* g_watch = nullptr;

// Processes events until done() holds, sleeping while nothing is pending (a busy wait would
// bill its own CPU time to the side being measured); fails after two seconds.
void PumpUntil(const std::function<bool()>& done, const char* what) {
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 2000) {
      Fail(std::string("a round did not come true: ") + what);
    }
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(50);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

// What the bench needs to know of one side.
struct Side {
  std::string name;
  std::function<QWidget*(QWidget* form)> make;
  std::function<Point(QWidget* control)> drop_button;
  std::function<QWidget*(QWidget* control)> popup;  // the open popup's window, or nullptr
  std::function<Point(QWidget* control)> next_month;
  std::function<std::string(QWidget* control)> shown_month;
};

datewell::QtDatewell& AsDatewell(QWidget* w) {
  return *static_cast<datewell::QtDatewell*>(w);
}
QDateEdit& AsDateEdit(QWidget* w) {
  return *static_cast<QDateEdit*>(w);
}

Side DatewellSide() {
  Side s;
  s.name = "Datewell";
  s.make = [](QWidget* form) -> QWidget* {
    auto* c = new datewell::QtDatewell(form);
    c->resize(120, c->height());
    return c;
  };
  s.drop_button = [](QWidget* c) { return ToScreen(*c, QPoint(c->width() - 9, c->height() / 2)); };
  s.popup = [](QWidget* c) -> QWidget* {
    datewell::Datewell& dw = datewell::QtDatewellPrivate::Control(AsDatewell(c));
    if (!dw.Inspect().picCalendar->Visible()) {
      return nullptr;
    }
    return datewell::QtDatewellPrivate::Desktop(AsDatewell(c))
        .WidgetOf(dw.Inspect().picCalendar->hWnd());
  };
  s.next_month = [](QWidget* c) {
    datewell::QtDatewell& w = AsDatewell(c);
    const datewell::Datewell::Constituents k = datewell::QtDatewellPrivate::Control(w).Inspect();
    datewell::QtDesktop& d = datewell::QtDatewellPrivate::Desktop(w);
    const auto box = [](const datewell::Widget& x) {
      return datewell::TwipsBox{x.Left(), x.Top(), x.Width(), x.Height()};
    };
    const datewell::PanelClientRegions r = datewell::ComputePanelClientRegions(
        k.picCalendar->Width(), box(*k.lblDate[7]), box(*k.lblDate[48]), box(*k.cmdGotoToday),
        d.TwipsPerPixelX(), d.TwipsPerPixelY());
    Point p{(r.next_month.left + r.next_month.right) / 2,
            (r.next_month.top + r.next_month.bottom) / 2};
    d.ClientToScreen(k.picCalendar->hWnd(), p);
    return p;
  };
  s.shown_month = [](QWidget* c) {
    return datewell::QtDatewellPrivate::Control(AsDatewell(c)).Inspect().lblMonthYear->Caption();
  };
  return s;
}

Side DateEditSide() {
  Side s;
  s.name = "QDateEdit";
  s.make = [](QWidget* form) -> QWidget* {
    auto* e = new QDateEdit(form);
    e->setCalendarPopup(true);
    e->resize(120, e->sizeHint().height());
    return e;
  };
  s.drop_button = [](QWidget* c) { return ToScreen(*c, QPoint(c->width() - 9, c->height() / 2)); };
  s.popup = [](QWidget* c) -> QWidget* {
    QCalendarWidget* cal = AsDateEdit(c).calendarWidget();
    return cal && cal->isVisible() ? cal->window() : nullptr;
  };
  s.next_month = [](QWidget* c) {
    auto* button = AsDateEdit(c).calendarWidget()->findChild<QToolButton*>("qt_calendar_nextmonth");
    if (!button) {
      Fail("the calendar's next-month button is missing");
    }
    return ToScreen(*button, button->rect().center());
  };
  s.shown_month = [](QWidget* c) {
    const QCalendarWidget* cal = AsDateEdit(c).calendarWidget();
    return std::to_string(cal->yearShown()) + "-" + std::to_string(cal->monthShown());
  };
  return s;
}

struct Bench {
  std::vector<Side> sides;
  std::unique_ptr<datewell::QtInput> input;

  void Click(Point at) {
    input->MouseDown(at);
    QCoreApplication::processEvents();
    input->MouseUp(at);
    QCoreApplication::processEvents();
  }

  // A form big enough for n controls in rows of ten, at the screen's origin.
  static std::unique_ptr<QWidget> MakeForm(int n) {
    auto form = std::make_unique<QWidget>();
    form->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const int rows = (n + 9) / 10;
    form->setGeometry(0, 0, 10 * 130 + 20, std::max(300, rows * 28 + 20));
    return form;
  }
  static QPoint Cell(int i) { return QPoint(10 + 130 * (i % 10), 10 + 28 * (i / 10)); }

  // Seconds per control to create a form of n controls, show it and paint it.
  double FormRound(const Side& side, int n) {
    g_watch->Reset();
    const double start = CpuSeconds();
    auto form = MakeForm(n);
    std::vector<QWidget*> controls;
    controls.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      QWidget* c = side.make(form.get());
      c->move(Cell(i));
      controls.push_back(c);
    }
    form->show();
    PumpUntil([&] { return g_watch->Painted(form.get()); }, "form painted");
    const double seconds = CpuSeconds() - start;
    for (QWidget* c : controls) {
      if (!g_watch->SubtreePainted(*c)) {
        Fail(side.name + ": a control of the form was not painted");
      }
    }
    form.reset();
    QCoreApplication::processEvents();
    return seconds / n;
  }

  // The popup of control opened by a click on its drop button: shown and painted.
  QWidget* Open(const Side& side, QWidget* control) {
    g_watch->Reset();
    Click(side.drop_button(control));
    QWidget* popup = nullptr;
    PumpUntil(
        [&] {
          popup = side.popup(control);
          return popup && popup->isVisible() && g_watch->WindowPainted(popup);
        },
        "popup shown and painted");
    return popup;
  }
  // Closed by a click on the form away from the control and its popup.
  void Close(const Side& side, QWidget* control, QWidget* form) {
    Click(ToScreen(*form, QPoint(form->width() - 30, 20)));
    PumpUntil([&] { return side.popup(control) == nullptr; }, "popup closed");
  }

  // Seconds of the first opening of a control just made on a shown form.
  double FirstOpenRound(const Side& side, QWidget* form) {
    QWidget* control = side.make(form);
    control->move(20, 20);
    control->show();
    PumpUntil([&] { return g_watch->SubtreePainted(*control); }, "new control painted");
    const double start = CpuSeconds();
    Open(side, control);
    const double seconds = CpuSeconds() - start;
    Close(side, control, form);
    delete control;
    QCoreApplication::processEvents();
    return seconds;
  }

  // Seconds of a click that opens the popup and one that closes it again.
  double WarmOpenCloseRound(const Side& side, QWidget* control, QWidget* form) {
    const double start = CpuSeconds();
    Open(side, control);
    Close(side, control, form);
    return CpuSeconds() - start;
  }

  // Seconds of a click on the next-month arrow of the open popup, the new month painted.
  double NextMonthRound(const Side& side, QWidget* control) {
    QWidget* popup = side.popup(control);
    const std::string before = side.shown_month(control);
    const Point at = side.next_month(control);
    g_watch->Reset();
    const double start = CpuSeconds();
    Click(at);
    PumpUntil([&] { return side.shown_month(control) != before && g_watch->WindowPainted(popup); },
              "month stepped and painted");
    return CpuSeconds() - start;
  }
};

// Runs fn(side) for `rounds` rounds on each side, alternating which goes first; the first
// `warmup` rounds are not counted.
template <typename Fn>
std::vector<std::vector<double>> Interleave(const std::vector<Side>& sides, int rounds, int warmup,
                                            Fn fn) {
  std::vector<std::vector<double>> results(sides.size());
  for (int r = 0; r < warmup + rounds; ++r) {
    for (std::size_t k = 0; k < sides.size(); ++k) {
      const std::size_t i = (static_cast<std::size_t>(r) + k) % sides.size();
      const double v = fn(sides[i]);
      if (r >= warmup) {
        results[i].push_back(v);
      }
    }
  }
  return results;
}

std::string Figure(double seconds) {
  char buf[64];
  if (seconds >= 1e-3) {
    std::snprintf(buf, sizeof buf, "%.2f ms", seconds * 1e3);
  } else {
    std::snprintf(buf, sizeof buf, "%.1f µs", seconds * 1e6);
  }
  return buf;
}
std::string Bytes(double bytes) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f KB", bytes / 1024.0);
  return buf;
}
std::string Ratio(double a, double b) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2fx", b > 0 ? a / b : 0.0);
  return buf;
}

void Row(const std::string& what, const std::string& a, const std::string& b,
         const std::string& ratio, const std::string& target) {
  std::printf("| %s | %s | %s | %s | %s |\n", what.c_str(), a.c_str(), b.c_str(), ratio.c_str(),
              target.c_str());
  std::fflush(stdout);
}

// ---- Start-up, in child processes --------------------------------------------------------------

// The child: one control on a form, shown; prints its CPU time at the first paint of the form.
int FirstPaintChild(std::string_view which) {
  int argc = 1;
  char name[] = "qt_form_bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  PaintWatch watch;
  app.installEventFilter(&watch);
  QWidget form;
  form.setGeometry(0, 0, 200, 60);
  const Side side = which == "datewell" ? DatewellSide() : DateEditSide();
  QWidget* control = side.make(&form);
  control->move(10, 10);
  form.show();
  QElapsedTimer clock;
  clock.start();
  while (!watch.SubtreePainted(*control) || !watch.Painted(&form)) {
    if (clock.elapsed() > 5000) {
      return 1;
    }
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(50);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  std::printf("%.9f\n", CpuSeconds());
  std::fflush(stdout);
  std::_Exit(0);  // the figure is taken; tearing down is no part of it
}

// ---- Memory, in child processes ---------------------------------------------------------------

// The child: a shown form with one control (so that everything made once per application is
// made), then `n` more controls shown and painted on it; prints heap and resident bytes per
// control that they added. In one process a side would reuse the pages the other side freed,
// and the resident figure would say nothing.
int MemoryChild(std::string_view which, int n) {
  int argc = 1;
  char name[] = "qt_form_bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  PaintWatch watch;
  g_watch = &watch;
  app.installEventFilter(&watch);
  const Side side = which == "datewell" ? DatewellSide() : DateEditSide();
  auto form = Bench::MakeForm(n + 1);
  QWidget* first = side.make(form.get());
  first->move(Bench::Cell(n));
  form->show();
  PumpUntil([&] { return watch.Painted(form.get()) && watch.SubtreePainted(*first); },
            "form painted");
  malloc_trim(0);
  const double heap = HeapInUse(), resident = ResidentBytes();
  std::vector<QWidget*> controls;
  for (int i = 0; i < n; ++i) {
    QWidget* c = side.make(form.get());
    c->move(Bench::Cell(i));
    c->show();
    controls.push_back(c);
  }
  PumpUntil([&] { return watch.SubtreePainted(*controls.back()); }, "controls painted");
  malloc_trim(0);
  for (QWidget* c : controls) {
    if (!watch.SubtreePainted(*c)) {
      return 1;
    }
  }
  std::printf("%.1f %.1f\n", (HeapInUse() - heap) / n, (ResidentBytes() - resident) / n);
  std::fflush(stdout);
  std::_Exit(0);
}

std::string ChildCommand(const Side& side, const std::string& mode) {
  const std::string which = side.name == "Datewell" ? "datewell" : "qdateedit";
  char exe[4096] = {};
  const ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (len <= 0) {
    Fail("cannot find this program");
  }
  return std::string("'") + exe + "' --" + mode + "=" + which + " 2>/dev/null";
}

// Runs a child and reads the figures it prints.
std::vector<double> RunChild(const Side& side, const std::string& mode, std::size_t figures) {
  FILE* child = popen(ChildCommand(side, mode).c_str(), "r");
  if (!child) {
    Fail("cannot start a child process");
  }
  std::vector<double> v(figures, -1.0);
  for (double& x : v) {
    if (std::fscanf(child, "%lf", &x) != 1) {
      x = -1;
    }
  }
  if (pclose(child) != 0 || std::any_of(v.begin(), v.end(), [](double x) { return x < 0; })) {
    Fail(side.name + ": the " + mode + " child did not finish its round");
  }
  return v;
}

void DropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  // The offscreen platform's complaints (no grabs, no raise) would be timed with the side.
  qInstallMessageHandler(DropMessages);
  double scale = 1.0;
  std::string only;  // one row, for profiling
  std::string side_only;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&](std::string_view key) { return std::string(arg.substr(key.size())); };
    if (arg.starts_with("--first-paint=")) {
      return FirstPaintChild(value("--first-paint="));
    }
    if (arg.starts_with("--memory=")) {
      return MemoryChild(value("--memory="), 100);
    }
    if (arg.starts_with("--rounds-scale=")) {
      scale = std::atof(value("--rounds-scale=").c_str());
    } else if (arg.starts_with("--only=")) {
      only = value("--only=");
    } else if (arg.starts_with("--side=")) {
      side_only = value("--side=");
    }
  }
  const auto rounds = [&](int n) { return std::max(1, static_cast<int>(std::lround(n * scale))); };
  const auto wanted = [&](std::string_view row) { return only.empty() || only == row; };

  QApplication app(argc, argv);
  PaintWatch watch;
  g_watch = &watch;
  app.installEventFilter(&watch);
  Bench bench;
  if (side_only.empty() || side_only == "datewell") {
    bench.sides.push_back(DatewellSide());
  }
  if (side_only.empty() || side_only == "qdateedit") {
    bench.sides.push_back(DateEditSide());
  }
  bench.input =
      std::make_unique<datewell::QtInput>(datewell::QtPlatform::ForApplication().desktop());
  const std::vector<Side>& sides = bench.sides;
  // The figures of the two sides of a row (a side left out gives 0).
  const auto pair = [&](const std::vector<std::vector<double>>& res) {
    std::array<double, 2> out{0, 0};
    for (std::size_t i = 0; i < sides.size(); ++i) {
      out[sides[i].name == "Datewell" ? 0 : 1] = Median(res[i]);
    }
    return out;
  };

  std::printf("| per control | Datewell | QDateEdit | Datewell / QDateEdit | target |\n");
  std::printf("|---|---|---|---|---|\n");

  if (wanted("form") || wanted("form10") || wanted("form100") || wanted("form1000")) {
    std::array<double, 3> dw{}, qd{};
    int k = 0;
    for (const auto& [n, r] : {std::pair{10, 40}, std::pair{100, 12}, std::pair{1000, 3}}) {
      if (wanted("form") || wanted("form" + std::to_string(n))) {
        const auto res =
            Interleave(sides, rounds(r), 1, [&](const Side& s) { return bench.FormRound(s, n); });
        const auto [a, b] = pair(res);
        dw[static_cast<std::size_t>(k)] = a;
        qd[static_cast<std::size_t>(k)] = b;
        Row("form create + show + first paint, N = " + std::to_string(n), Figure(a), Figure(b),
            Ratio(a, b), "at most 0.75x");
      }
      ++k;
    }
    if (wanted("form")) {
      Row("cost per control at N = 1000 / at N = 10", Ratio(dw[2], dw[0]), Ratio(qd[2], qd[0]), "",
          "Datewell at most 1.2x");
    }
  }

  if (wanted("memory")) {
    std::vector<std::vector<double>> heap(sides.size()), resident(sides.size());
    for (int r = 0; r < rounds(6); ++r) {
      for (std::size_t k = 0; k < sides.size(); ++k) {
        const std::size_t i = (static_cast<std::size_t>(r) + k) % sides.size();
        const std::vector<double> m = RunChild(sides[i], "memory", 2);
        heap[i].push_back(m[0]);
        resident[i].push_back(m[1]);
      }
    }
    const auto [ha, hb] = pair(heap);
    const auto [ra, rb] = pair(resident);
    Row("heap per control before any opening (shown form, N = 100)", Bytes(ha), Bytes(hb),
        Ratio(ha, hb), "at most 0.8x");
    Row("RSS per control before any opening (shown form, N = 100)", Bytes(ra), Bytes(rb),
        Ratio(ra, rb), "at most 0.8x");
  }

  if (wanted("first-open")) {
    auto form = Bench::MakeForm(10);
    form->show();
    PumpUntil([&] { return watch.Painted(form.get()); }, "form painted");
    const auto res = Interleave(sides, rounds(20), 1,
                                [&](const Side& s) { return bench.FirstOpenRound(s, form.get()); });
    const auto [a, b] = pair(res);
    Row("first opening of a new control (shown and painted)", Figure(a), Figure(b), Ratio(a, b),
        "at most 0.1x");
  }

  if (wanted("warm") || wanted("next-month")) {
    auto form = Bench::MakeForm(10);
    std::vector<QWidget*> controls;
    for (const Side& s : sides) {
      QWidget* c = s.make(form.get());
      c->move(20, 20 + 200 * static_cast<int>(controls.size()));
      controls.push_back(c);
    }
    form->setGeometry(0, 0, 600, 500);
    form->show();
    PumpUntil([&] { return watch.Painted(form.get()); }, "form painted");
    const auto control_of = [&](const Side& s) {
      return controls[static_cast<std::size_t>(&s - sides.data())];
    };
    if (wanted("warm")) {
      const auto res = Interleave(sides, rounds(100), 3, [&](const Side& s) {
        return bench.WarmOpenCloseRound(s, control_of(s), form.get());
      });
      const auto [a, b] = pair(res);
      Row("warm open + close (real clicks)", Figure(a), Figure(b), Ratio(a, b), "at most 0.5x");
    }
    if (wanted("next-month")) {
      // A step forward on a popup opened for the round (the opening and closing not counted).
      const auto res = Interleave(sides, rounds(100), 3, [&](const Side& s) {
        QWidget* c = control_of(s);
        bench.Open(s, c);
        const double seconds = bench.NextMonthRound(s, c);
        bench.Close(s, c, form.get());
        return seconds;
      });
      const auto [a, b] = pair(res);
      Row("next month while open", Figure(a), Figure(b), Ratio(a, b), "at most 0.35x");
    }
  }

  if (wanted("start")) {
    const auto res = Interleave(sides, rounds(10), 1,
                                [](const Side& s) { return RunChild(s, "first-paint", 1)[0]; });
    const auto [a, b] = pair(res);
    Row("process start to first painted window, one control", Figure(a), Figure(b), Ratio(a, b),
        "at most 1.0x");
  }
  return 0;
}
