// kestrava-sim: a Corvane controller on a pseudo-terminal, for development and training.
//
//   kestrava-sim [--link PATH] [--seed N] [--baud N]
//
// "fault cut|garbage|silent|flood|off", typed at it, makes it misbehave (see controller.h).
//
// It prints the pseudo-terminal's device and keeps a symbolic link to it at PATH (by default
// $XDG_RUNTIME_DIR/kestrava-sim, or /tmp/kestrava-sim-<uid>), so that KESTRAVA_COM1=PATH
// reaches it across restarts. Answers go out in small chunks paced at the line's baud rate:
// the rate Kestrava set on the line, or --baud N.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "sim/controller.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
  stopRequested = 1;
}

int baudOf(speed_t speed) {
  switch (speed) {
    case B300:
      return 300;
    case B600:
      return 600;
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    case B230400:
      return 230400;
    default:
      return 9600;
  }
}

std::string defaultLink() {
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) {
    return std::string(dir) + "/kestrava-sim";
  }
  return "/tmp/kestrava-sim-" + std::to_string(::getuid());
}

void usage() {
  std::fprintf(stderr, "usage: kestrava-sim [--link PATH] [--seed N] [--baud N]\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string link = defaultLink();
  std::uint32_t seed = 1;
  int fixedBaud = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 < argc && arg == "--link") {
      link = argv[++i];
    } else if (i + 1 < argc && arg == "--seed") {
      seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (i + 1 < argc && arg == "--baud") {
      fixedBaud = std::atoi(argv[++i]);
    } else {
      usage();
      return 2;
    }
  }

  int master = -1;
  int slave = -1;
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  cfsetispeed(&raw, B1200);
  cfsetospeed(&raw, B1200);
  if (::openpty(&master, &slave, name, &raw, nullptr) != 0) {
    std::perror("kestrava-sim: openpty");
    return 1;
  }
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  ::unlink(link.c_str());
  if (::symlink(name, link.c_str()) != 0) {
    std::fprintf(stderr, "kestrava-sim: cannot link %s to %s: %s\n", link.c_str(), name,
                 std::strerror(errno));
    return 1;
  }
  std::printf("Kestrava simulator: controller on %s (link %s), seed %u\n", name, link.c_str(),
              seed);
  std::printf("Point port 1 at it: KESTRAVA_COM1=%s\n", link.c_str());
  std::fflush(stdout);
  std::signal(SIGINT, onSignal);
  std::signal(SIGTERM, onSignal);
  std::signal(SIGHUP, onSignal);

  kestrava::sim::Controller controller(seed);
  std::mt19937 chunking(seed);
  std::uniform_int_distribution<int> chunkSize(1, 24);
  std::string pending;
  double budget = 0;  // characters the line may carry now
  using Clock = std::chrono::steady_clock;
  auto last = Clock::now();
  double stepDebtMs = 0;

  while (!stopRequested) {
    pollfd p{master, POLLIN, 0};
    ::poll(&p, 1, 5);
    char buffer[512];
    ssize_t n;
    while ((n = ::read(master, buffer, sizeof buffer)) > 0) {
      pending += controller.receive(std::string_view(buffer, static_cast<std::size_t>(n)));
    }

    const auto now = Clock::now();
    const double elapsedMs = std::chrono::duration<double, std::milli>(now - last).count();
    last = now;
    for (stepDebtMs += elapsedMs; stepDebtMs >= kestrava::sim::CarModel::kStepMs;
         stepDebtMs -= kestrava::sim::CarModel::kStepMs) {
      controller.car().step();
    }

    if (controller.fault() == kestrava::sim::Controller::Fault::Flood && pending.size() < 4096) {
      pending += controller.floodChunk();
    }
    // Pace the answers as the line would carry them: 10 bits a character.
    int baud = fixedBaud;
    if (baud <= 0) {
      termios line{};
      baud = ::tcgetattr(slave, &line) == 0 ? baudOf(cfgetospeed(&line)) : 9600;
    }
    budget = std::min(budget + elapsedMs * baud / 10000.0, 64.0);
    while (!pending.empty()) {
      const std::size_t want = std::min<std::size_t>(pending.size(), chunkSize(chunking));
      if (budget < static_cast<double>(want)) break;
      const ssize_t written = ::write(master, pending.data(), want);
      if (written <= 0) break;
      pending.erase(0, static_cast<std::size_t>(written));
      budget -= static_cast<double>(written);
    }
    if (pending.empty()) budget = std::min(budget, 1.0);
  }
  ::unlink(link.c_str());
  ::close(slave);
  ::close(master);
  return 0;
}
