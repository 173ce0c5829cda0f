// Receive-path throughput: bytes per second the whole receive path absorbs, from a real
// pseudo-terminal through the QSerialPort component, the comm event, AppendToTerm, the frame
// detection and the Qt window shown, with and without a log open; CPU seconds per MB; the CPU
// share at a paced 115,200 baud; resident memory. A child process plays the far end, so the
// figures are Kestrava's alone. Prints figures; asserts nothing.
//
//   receive_throughput [flood-MB]

#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "link/form1.h"
#include "link/qt/qt_comm_control.h"
#include "shell/app.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

namespace {

// The serial component, counting what it hands over.
class CountingComm : public link::QtCommControl {
 public:
  std::string Input() override {
    std::string s = QtCommControl::Input();
    received += s.size();
    return s;
  }
  std::size_t received = 0;
};

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long statusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  }
  return 0;
}

// 40 characters and CR LF a line, like a controller's output at 115,200 baud.
std::string lineText(std::size_t n) {
  std::string line = "PMI " + std::to_string(n % 10) + "  0 1 0 0 1 1 0 1 0 1 0 0 0 1 0 1 ";
  line.resize(40, '0');
  return line + "\r\n";
}

// The far end, in a process of its own: `bytes` flat out, or paced at `bytesPerSecond` in
// chunks of 1 to 64 bytes.
pid_t farEnd(int master, std::size_t bytes, double bytesPerSecond) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  std::mt19937 rng(1);
  std::string pending;
  std::size_t sent = 0, lines = 0;
  const auto start = std::chrono::steady_clock::now();
  while (sent < bytes) {
    if (pending.size() < 64) pending += lineText(lines++);
    std::size_t chunk =
        bytesPerSecond > 0 ? 1 + rng() % 64 : std::min<std::size_t>(pending.size(), 4096);
    chunk = std::min({chunk, pending.size(), bytes - sent});
    if (bytesPerSecond > 0) {
      const auto due = start + std::chrono::duration<double>(sent / bytesPerSecond);
      std::this_thread::sleep_until(due);
    }
    const ssize_t n = write(master, pending.data(), chunk);
    if (n <= 0) continue;
    pending.erase(0, static_cast<std::size_t>(n));
    sent += static_cast<std::size_t>(n);
    if (bytesPerSecond <= 0 && pending.size() < 4096) {
      while (pending.size() < 8192) pending += lineText(lines++);
    }
  }
  _exit(0);
}

struct Result {
  double seconds, cpu;
  std::size_t bytes;
  long rssKb, peakKb, rssAfterFirstMinuteKb;
};

Result run(std::size_t bytes, double paced, bool withLog) {
  int master = -1, slave = -1;
  char name[256];
  termios raw{};
  cfmakeraw(&raw);
  openpty(&master, &slave, name, &raw, nullptr);
  setenv("KESTRAVA_COM1", name, 1);
  QTemporaryDir dir;
  ui::QtPlatform platform;
  CountingComm* port = nullptr;
  App app(platform, [&] {
    auto made = std::make_unique<CountingComm>();
    port = made.get();
    return made;
  });
  ui::Views views(app);
  app.setObserver(&views);
  Form1* f = nullptr;
  app.dispatch([&] { f = &app.showWindow(app.form1()); });
  app.dispatch([&] { f->MOpen.click(); });
  if (withLog) {
    f->LogFileNo = app.files().FreeFile();
    (void)app.files().openAppend(f->LogFileNo, dir.filePath("bench.log").toStdString());
  }
  QCoreApplication::processEvents();
  const double cpu0 = cpuSeconds();
  QElapsedTimer clock;
  clock.start();
  const pid_t child = farEnd(master, bytes, paced);
  long firstMinuteKb = 0;
  const std::size_t firstMinute = 11520 * 60;
  while (port->received < bytes) {
    QEventLoop pause;
    QTimer::singleShot(50, &pause, &QEventLoop::quit);
    pause.exec();
    if (!firstMinuteKb && port->received >= firstMinute) firstMinuteKb = statusKb("VmRSS:");
    if (clock.elapsed() > 600000) break;
  }
  const Result r{clock.nsecsElapsed() / 1e9, cpuSeconds() - cpu0, port->received,
                 statusKb("VmRSS:"),         statusKb("VmHWM:"),  firstMinuteKb};
  waitpid(child, nullptr, 0);
  if (withLog) app.dispatch([&] { f->Form1_MCloseLog_Click(); });
  app.dispatch([&] { (void)f->MSComm1.setPortOpen(false); });
  app.setObserver(nullptr);
  close(master);
  close(slave);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  const double floodMb = argc > 1 ? std::atof(argv[1]) : 41.5;
  const std::size_t flood = static_cast<std::size_t>(floodMb * 1e6);
  std::printf("Receive path, Qt platform %s\n", qPrintable(QApplication::platformName()));
  for (const bool withLog : {false, true}) {
    const Result r = run(flood, 0, withLog);
    std::printf(
        "flood %-8s %7.1f MB in %6.2f s: %6.2f MB/s, %.4f CPU s/MB; resident %ld KB (peak %ld "
        "KB, after the first minute's worth %ld KB)\n",
        withLog ? "log" : "no log", r.bytes / 1e6, r.seconds, r.bytes / 1e6 / r.seconds,
        r.cpu / (r.bytes / 1e6), r.rssKb, r.peakKb, r.rssAfterFirstMinuteKb);
  }
  const Result paced = run(11520 * 20, 11520, true);
  std::printf("paced 11,520 B/s, log open, %.0f s: %.2f%% of one core, resident %ld KB\n",
              paced.seconds, 100.0 * paced.cpu / paced.seconds, paced.rssKb);
  return 0;
}
