#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrava::form {
namespace {

constexpr std::int16_t kMaxFileNumber = 511;
constexpr std::size_t kReadBuffer = 64 * 1024;

std::string describe(int error, const std::string& path) {
  return std::string(std::strerror(error)) + ": " + path;
}

}  // namespace

struct Files::Open {
  int fd = -1;
  std::string path;
  bool input = false;
  std::string buffer;  // read ahead, at most kReadBuffer
  std::size_t at = 0;  // next unread character in buffer
  bool atEnd = false;  // the file has no more to give

  ~Open() {
    if (fd >= 0) ::close(fd);
  }
  // Makes sure at least one character is buffered, unless the file is done.
  FileError fill() {
    if (at < buffer.size() || atEnd) return {};
    buffer.resize(kReadBuffer);
    ssize_t n;
    do {
      n = ::read(fd, buffer.data(), buffer.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      buffer.clear();
      at = 0;
      return describe(errno, path);
    }
    buffer.resize(static_cast<std::size_t>(n));
    at = 0;
    if (n == 0) atEnd = true;
    return {};
  }
};

Files::Files() = default;
Files::~Files() = default;

std::int16_t Files::FreeFile() const {
  for (std::int16_t n = 1; n <= kMaxFileNumber; ++n) {
    if (!open_.count(n)) return n;
  }
  return 0;
}

bool Files::isOpen(std::int16_t number) const {
  return open_.count(number) != 0;
}

FileError Files::openAppend(std::int16_t number, const std::string& path) {
  if (number <= 0 || isOpen(number)) return std::string("Bad file number");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return describe(errno, path);
  auto f = std::make_unique<Open>();
  f->fd = fd;
  f->path = path;
  open_[number] = std::move(f);
  return {};
}

FileError Files::openInput(std::int16_t number, const std::string& path) {
  if (number <= 0 || isOpen(number)) return std::string("Bad file number");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return describe(errno, path);
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return describe(EISDIR, path);
  }
  auto f = std::make_unique<Open>();
  f->fd = fd;
  f->path = path;
  f->input = true;
  open_[number] = std::move(f);
  return {};
}

void Files::close(std::int16_t number) {
  open_.erase(number);
}

void Files::closeAll() {
  open_.clear();
}

FileError Files::write(std::int16_t number, std::string_view bytes, std::size_t* written) {
  std::size_t done = 0;
  if (written) *written = 0;
  auto it = open_.find(number);
  if (it == open_.end() || it->second->input) return std::string("Bad file mode");
  while (done < bytes.size()) {
    const ssize_t n = ::write(it->second->fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (written) *written = done;
      return describe(n < 0 ? errno : EIO, it->second->path);
    }
    done += static_cast<std::size_t>(n);  // a short write goes on with the rest
  }
  if (written) *written = done;
  return {};
}

bool Files::eof(std::int16_t number) {
  auto it = open_.find(number);
  if (it == open_.end()) return true;
  Open& f = *it->second;
  if (f.fill()) return true;  // a file that cannot be read has nothing left to give
  return f.at >= f.buffer.size() && f.atEnd;
}

FileError Files::lineInput(std::int16_t number, std::string& line) {
  line.clear();
  auto it = open_.find(number);
  if (it == open_.end() || !it->second->input) return std::string("Bad file mode");
  Open& f = *it->second;
  while (line.size() < kMaxLine) {
    if (FileError e = f.fill()) return e;
    if (f.at >= f.buffer.size()) return {};  // end of the file ends the line
    const char c = f.buffer[f.at++];
    if (c == '\r') {
      // CR LF or a lone CR: either ends the line.
      if (FileError e = f.fill()) return e;
      if (f.at < f.buffer.size() && f.buffer[f.at] == '\n') ++f.at;
      return {};
    }
    line.push_back(c);
  }
  return {};
}

FileError Files::exists(const std::string& path, bool& found) {
  struct stat info {};
  found = false;
  if (::stat(path.c_str(), &info) == 0) {
    found = true;
    return {};
  }
  if (errno == ENOENT) return {};
  return describe(errno, path);
}

FileError Files::remove(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return {};
  return describe(errno, path);
}

}  // namespace kestrava::form
