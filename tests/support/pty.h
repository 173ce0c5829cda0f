#pragma once

#include <string>

namespace kestrava::testing {

// A pseudo-terminal pair standing in for a serial line: the program opens the slave device by
// its path, the test plays the controller on the master side.
class Pty {
 public:
  Pty();
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& devicePath() const { return path_; }
  // Writes all of `bytes` to the far end of the line.
  void write(const std::string& bytes);
  // Reads what has arrived from the program, waiting up to `timeoutMs` for the first byte and
  // then taking everything that is there.
  std::string read(int timeoutMs);
  // Closes the master side: the device goes away under the program.
  void closeFarEnd();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

}  // namespace kestrava::testing
