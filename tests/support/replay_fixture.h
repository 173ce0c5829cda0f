#pragma once

#include <gtest/gtest.h>

#include <string>

#include "replay/replay.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace kestrava::testing {

// The replay window on the virtual platform, with a folder for the logs it plays.
class ReplayFixture : public ::testing::Test {
 protected:
  Harness h;
  Replay* r = nullptr;
  TempDir dir;

  void SetUp() override {
    h.run([&] { r = &h.app.showWindow(h.app.replay()); });
  }
  // Writes a log into the folder; returns its path.
  std::string log(const std::string& name, const std::string& bytes) {
    const std::string path = dir.file(name);
    TempDir::write(path, bytes);
    return path;
  }
  // Chooses `path` in the window's open dialog.
  void open(const std::string& path) {
    h.platform.answerDialog(chose(path));
    h.run([&] { r->MRplayLog.click(); });
  }
  void step() {
    h.run([&] { r->Command1.click(); });
  }
  void pause() {
    h.run([&] { r->Option4.userClick(); });
  }
};

}  // namespace kestrava::testing
