#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace kestrava::testing {

// The Qt application that the serial tests need for QSerialPort's events.
inline void ensureQtApplication() {
  static int argc = 1;
  static char name[] = "kestrava-tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// Runs the event loop until `done` holds or `timeoutMs` of real time have gone by, sleeping
// until the next event (at most 5 ms at a time). It waits on I/O through the kernel, never on a
// timer of the program; `eachPass` runs after every wake-up with the real milliseconds so far.
inline bool runUntil(const std::function<bool()>& done, int timeoutMs = 3000,
                     const std::function<void(std::int64_t)>& eachPass = {}) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QEventLoop pause;
    QTimer::singleShot(5, &pause, &QEventLoop::quit);
    pause.exec();
    if (eachPass) eachPass(clock.elapsed());
  }
  return true;
}

}  // namespace kestrava::testing
