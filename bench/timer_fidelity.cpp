// Timer fidelity: the achieved intervals of the terminal window's 250 ms poll and decode
// timers, its 1000 ms silence timer and its 8000 ms cycle timer in the running Qt program, all
// at once: median, worst deviation, and the drift after the last tick. Prints figures.
//
//   timer_fidelity [ticks]   (40 by default: 40 ticks of the 8000 ms timer take 5'20")

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "link/form1.h"
#include "link/testing/test_comm_control.h"
#include "shell/app.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 40;
  ui::QtPlatform platform;
  App app(platform, [&] {
    return std::make_unique<link::testing::TestCommControl>([&] { return platform.nowMs(); });
  });
  ui::Views views(app);
  app.setObserver(&views);
  Form1* f = nullptr;
  app.dispatch([&] { f = &app.showWindow(app.form1()); });

  struct Probe {
    const char* name;
    form::Timer* timer;
    std::vector<qint64> at;  // nanoseconds since the start
  };
  std::vector<Probe> probes = {{"Timer2 (poll, 250 ms)", &f->Timer2, {}},
                               {"Timer1 (decode, 250 ms)", &f->Timer1, {}},
                               {"Timer5 (silence, 1000 ms)", &f->Timer5, {}},
                               {"Timer3 (cycle, 8000 ms)", &f->Timer3, {}}};
  QElapsedTimer clock;
  clock.start();
  for (Probe& p : probes) {
    // Only the timing is measured: the ticks record their time and do nothing else.
    p.timer->Tick = [&p, &clock] { p.at.push_back(clock.nsecsElapsed()); };
    p.timer->setEnabled(true);
  }
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (static_cast<int>(probes.back().at.size()) >= ticks) loop.quit();
  });
  check.start(100);
  loop.exec();

  std::printf("Timer fidelity, %d ticks of the slowest timer (%s platform)\n", ticks,
              qPrintable(QApplication::platformName()));
  std::printf("%-28s %6s %10s %10s %12s\n", "timer", "ticks", "median ms", "worst ms", "drift ms");
  for (const Probe& p : probes) {
    const double interval = p.timer->interval();
    std::vector<double> gaps;
    double worst = 0;
    for (std::size_t i = 0; i < p.at.size(); ++i) {
      const double gap = (p.at[i] - (i ? p.at[i - 1] : 0)) / 1e6;
      gaps.push_back(gap);
      worst = std::max(worst, std::abs(gap - interval));
    }
    std::sort(gaps.begin(), gaps.end());
    const double drift = p.at.back() / 1e6 - interval * p.at.size();
    std::printf("%-28s %6zu %10.2f %10.2f %12.2f\n", p.name, p.at.size(), gaps[gaps.size() / 2],
                worst, drift);
  }
  app.setObserver(nullptr);
  return 0;
}
