// Replay rate: lines per second the replay window plays at its intervals, with the window shown,
// against the ideal 1000 / interval. Prints figures; asserts nothing.
//
//   replay_rate [lines-at-1ms]

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "link/testing/test_comm_control.h"
#include "replay/replay.h"
#include "shell/app.h"
#include "sim/controller.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

namespace {

// A log as a visit would leave it: poll answers of a car on the move, `lines` lines.
void writeLog(const std::string& path, int lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  sim::Controller controller(3);
  controller.car().call(6);
  int written = 0;
  while (written < lines) {
    for (int i = 0; i < 25; ++i) controller.car().step();
    const std::string answer = controller.answer("pmii") + controller.answer("vel");
    for (std::size_t at = 0; at < answer.size() && written < lines;) {
      const std::size_t end = answer.find("\r\n", at);
      out << answer.substr(at, end - at) << "\r\n";
      at = end + 2;
      ++written;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  const int fastLines = argc > 1 ? std::atoi(argv[1]) : 5000;
  QTemporaryDir dir;
  const std::string path = dir.filePath("visit.log").toStdString();

  ui::QtPlatform platform;
  App app(platform, [&] {
    return std::make_unique<link::testing::TestCommControl>([&] { return platform.nowMs(); });
  });
  ui::Views views(app);
  app.setObserver(&views);
  Replay* r = nullptr;
  app.dispatch([&] { r = &app.showWindow(app.replay()); });

  std::printf("Replay rate, window shown (%s platform)\n",
              qPrintable(QApplication::platformName()));
  std::printf("%10s %8s %12s %12s %8s\n", "interval", "lines", "lines/s", "ideal", "ratio");
  struct Run {
    int interval;
    int lines;
  };
  for (const Run run : {Run{100, 50}, Run{10, 500}, Run{1, fastLines}}) {
    writeLog(path, run.lines);
    app.dispatch([&] { r->HScroll1.setValue(run.interval); });
    const std::int16_t number = app.files().FreeFile();
    (void)app.files().openInput(number, path);
    QElapsedTimer clock;
    clock.start();
    app.dispatch([&] {
      r->ReplayFileNo = number;
      r->HScroll1.setValue(run.interval == 1 ? 2 : 1);  // the pacing starts with the timer,
      r->HScroll1.setValue(run.interval);               // as when a log is opened
      r->Timer7.setEnabled(true);
      r->Command1.setEnabled(true);
    });
    // The playback ends one tick after the last line: lines in (lines + 1) intervals.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
      if (!r->Timer7.enabled()) loop.quit();
    });
    check.start(1);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double rate = run.lines / seconds;
    const double ideal = run.lines / ((run.lines + 1) * run.interval / 1000.0);
    std::printf("%8d ms %8d %12.1f %12.1f %7.1f%%\n", run.interval, run.lines, rate, ideal,
                100.0 * rate / ideal);
  }
  app.setObserver(nullptr);
  return 0;
}
