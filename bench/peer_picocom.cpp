// The lean peer on the same set-up as bench/receive_throughput: picocom 3.1 reading the slave
// of a pseudo-terminal pair and logging to a file, its own terminal another pseudo-terminal
// that this program drains. Flood and paced figures, picocom's CPU and memory from /proc.
// Needs picocom (apt install picocom). Prints figures; asserts nothing.

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

namespace {

double cpuOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), {});
  std::istringstream f(stat.substr(stat.rfind(')') + 2));
  std::string v;
  double ticks = 0;
  for (int i = 3; i <= 15; ++i) {
    f >> v;
    if (i == 14 || i == 15) ticks += std::stod(v);
  }
  return ticks / sysconf(_SC_CLK_TCK);
}

long peakKb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

long fileSize(const std::string& path) {
  struct stat s {};
  return stat(path.c_str(), &s) == 0 ? s.st_size : 0;
}

std::string lineText(std::size_t n) {
  std::string line = "PMI " + std::to_string(n % 10) + "  0 1 0 0 1 1 0 1 0 1 0 0 0 1 0 1 ";
  line.resize(40, '0');
  return line + "\r\n";
}

void run(std::size_t bytes, double paced) {
  int serialMaster, serialSlave, termMaster, termSlave;
  char serialName[256], termName[256];
  termios raw{};
  cfmakeraw(&raw);
  openpty(&serialMaster, &serialSlave, serialName, &raw, nullptr);
  openpty(&termMaster, &termSlave, termName, nullptr, nullptr);
  const std::string log = "/tmp/kestrava-peer-" + std::to_string(getpid()) + ".log";
  unlink(log.c_str());
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();
    dup2(termSlave, 0);
    dup2(termSlave, 1);
    dup2(termSlave, 2);
    execlp("picocom", "picocom", "-q", "-l", "-b", "115200", "-g", log.c_str(), serialName,
           static_cast<char*>(nullptr));
    _exit(127);
  }
  std::atomic<bool> done{false};
  std::thread drain([&] {
    char buffer[65536];
    fcntl(termMaster, F_SETFL, O_NONBLOCK);
    while (!done) {
      if (read(termMaster, buffer, sizeof buffer) <= 0) usleep(1000);
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // picocom opens the port
  const double cpu0 = cpuOf(pid);
  const auto start = std::chrono::steady_clock::now();
  std::mt19937 rng(1);
  std::string pending;
  std::size_t sent = 0, lines = 0;
  while (sent < bytes) {
    while (pending.size() < 8192) pending += lineText(lines++);
    std::size_t chunk = paced > 0 ? 1 + rng() % 64 : 4096;
    chunk = std::min(chunk, bytes - sent);
    if (paced > 0) {
      std::this_thread::sleep_until(start + std::chrono::duration<double>(sent / paced));
    }
    const ssize_t n = write(serialMaster, pending.data(), chunk);
    if (n <= 0) continue;
    pending.erase(0, static_cast<std::size_t>(n));
    sent += static_cast<std::size_t>(n);
  }
  while (fileSize(log) < static_cast<long>(bytes)) usleep(1000);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = cpuOf(pid) - cpu0;
  const long peak = peakKb(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  done = true;
  drain.join();
  if (paced > 0) {
    std::printf("picocom paced 11,520 B/s, logging, %.0f s: %.2f%% of one core, peak %ld KB\n",
                seconds, 100 * cpu / seconds, peak);
  } else {
    std::printf(
        "picocom flood, logging, %.1f MB in %.2f s: %.2f MB/s, %.4f CPU s/MB, peak %ld KB\n",
        bytes / 1e6, seconds, bytes / 1e6 / seconds, cpu / (bytes / 1e6), peak);
  }
  unlink(log.c_str());
  for (int fd : {serialMaster, serialSlave, termMaster, termSlave}) close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const double floodMb = argc > 1 ? std::atof(argv[1]) : 41.5;
  run(static_cast<std::size_t>(floodMb * 1e6), 0);
  run(11520 * 20, 11520);
  return 0;
}
