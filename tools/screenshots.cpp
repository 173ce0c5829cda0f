// Saves a picture of every window, with the terminal window fed by the controller simulator
// and the replay window playing what it recorded. Run it on a display (scripts/screenshots.sh
// uses a virtual X server):
//
//   kestrava-screenshots OUTPUT-FOLDER

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "link/config_scrn.h"
#include "link/form1.h"
#include "link/qt/qt_comm_control.h"
#include "replay/replay.h"
#include "shell/app.h"
#include "shell/form3.h"
#include "shell/form5.h"
#include "shell/frm_login.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

namespace {

void wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The real platform, except that file dialogs answer with the visit's log at once.
class Platform : public ui::QtPlatform {
 public:
  QString log;
  form::FileDialogResult showOpenDialog(const form::FileDialogSpec&) override {
    form::FileDialogResult chosen;
    chosen.cancelled = false;
    chosen.error = 0;
    chosen.path = log.toStdString();
    chosen.fileTitle = QFileInfo(log).fileName().toStdString();
    return chosen;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kestrava-screenshots OUTPUT-FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir dir;
  const QString link = dir.filePath("controller");
  const QString log = dir.filePath("visit.log");
  QProcess sim;
  sim.start(QDir(QCoreApplication::applicationDirPath()).filePath("../src/kestrava-sim"),
            {"--link", link, "--seed", "2", "--baud", "9600"});
  if (!sim.waitForStarted()) return 1;
  while (!QFileInfo::exists(link)) wait(50);
  qputenv("KESTRAVA_COM1", link.toLocal8Bit());

  Platform platform;
  platform.log = log;
  App app(platform, [] { return std::make_unique<link::QtCommControl>(); });
  ui::Views views(app);
  app.setObserver(&views);
  auto save = [&](form::Window& w, const char* name) {
    wait(300);
    views.viewOf(w)->grab().save(out.filePath(name));
    std::printf("%s\n", qPrintable(out.filePath(name)));
  };

  app.dispatch([&] { app.show(app.form5()); });
  save(app.form5(), "splash.png");
  app.dispatch([&] { app.show(app.login()); });
  save(app.login(), "login.png");
  app.dispatch([&] { app.show(app.form3()); });
  save(app.form3(), "menu.png");

  Form1& f = app.form1();
  app.dispatch([&] { app.show(f); });
  app.dispatch([&] { f.MOpen.click(); });
  app.dispatch([&] { f.MOpenLog.click(); });
  app.dispatch([&] { f.Command1.click(); });
  wait(6000);
  app.dispatch([&] {
    f.txtpos.setText("4");
    f.Command3.click();
  });
  wait(9000);
  save(f, "car-diagnostics.png");
  app.dispatch([&] { f.Picture1.click(); });  // the panel hides: the terminal shows
  save(f, "car-diagnostics-terminal.png");
  app.dispatch([&] { f.MSettings.click(); });
  save(app.configScrn(), "settings.png");
  app.dispatch([&] { app.unload(app.configScrn()); });
  app.dispatch([&] { f.MCloseLog.click(); });

  Replay& r = app.replay();
  app.dispatch([&] { app.show(r); });
  app.dispatch([&] { r.Option1.userClick(); });
  app.dispatch([&] { r.MRplayLog.click(); });
  wait(5000);
  save(r, "replay.png");

  app.dispatch([&] { (void)f.MSComm1.setPortOpen(false); });
  app.setObserver(nullptr);
  sim.terminate();
  sim.waitForFinished();
  return 0;
}
