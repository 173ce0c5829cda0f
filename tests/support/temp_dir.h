#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "runtime/platform.h"

namespace kestrava::testing {

// A folder of its own for one test, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("kestrava-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};

// What an open-file dialog answers when the user picks `path`.
inline form::FileDialogResult chose(const std::string& path) {
  form::FileDialogResult r;
  r.cancelled = false;
  r.error = 0;
  r.path = path;
  r.fileTitle = std::filesystem::path(path).filename().string();
  return r;
}

}  // namespace kestrava::testing
