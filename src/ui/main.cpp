#include <QApplication>

#include "link/qt/qt_comm_control.h"
#include "shell/app.h"
#include "shell/module21.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setApplicationName("Kestrava");
  kestrava::ui::QtPlatform platform;
  kestrava::App app(platform, [] { return std::make_unique<kestrava::link::QtCommControl>(); });
  kestrava::ui::Views views(app);
  app.setObserver(&views);
  kestrava::MODULE21_Main(app);
  const int code = app.ended() ? 0 : QApplication::exec();
  app.setObserver(nullptr);
  return code;
}
