// Start-up: from the process's start (as the kernel counts it) to the splash window painted,
// the program's own start-up path. Prints milliseconds and exits.

#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "link/qt/qt_comm_control.h"
#include "shell/app.h"
#include "shell/form5.h"
#include "shell/module21.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

namespace {

// Milliseconds since the process started, from /proc (10 ms resolution).
double sinceProcessStart() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), {});
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
  const double startSeconds = std::stod(field) / sysconf(_SC_CLK_TCK);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (now.tv_sec + now.tv_nsec / 1e9 - startSeconds) * 1000;
}

class Painted : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(target);
    if (e->type() == QEvent::Paint && !done && w && w->window()->objectName() == "Form5") {
      done = true;
      std::printf("splash painted %.0f ms after the process started\n", sinceProcessStart());
      QMetaObject::invokeMethod(qApp, "quit", Qt::QueuedConnection);
    }
    return false;
  }
  bool done = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  kestrava::ui::QtPlatform platform;
  kestrava::App app(platform, [] { return std::make_unique<kestrava::link::QtCommControl>(); });
  kestrava::ui::Views views(app);
  app.setObserver(&views);
  Painted painted;
  qt.installEventFilter(&painted);
  kestrava::MODULE21_Main(app);
  if (!painted.done) QApplication::exec();
  app.setObserver(nullptr);
  return 0;
}
