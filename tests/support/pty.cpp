#include "support/pty.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace kestrava::testing {

Pty::Pty() {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  path_ = name;
}

Pty::~Pty() {
  closeFarEnd();
  if (slave_ >= 0) ::close(slave_);
}

void Pty::write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) throw std::runtime_error("write to pty master failed");
    done += static_cast<std::size_t>(n);
  }
}

std::string Pty::read(int timeoutMs) {
  std::string got;
  pollfd p{master_, POLLIN, 0};
  int wait = timeoutMs;
  while (::poll(&p, 1, wait) > 0 && (p.revents & POLLIN)) {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
    wait = 50;
  }
  return got;
}

void Pty::closeFarEnd() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

}  // namespace kestrava::testing
