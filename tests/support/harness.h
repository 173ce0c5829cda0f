#pragma once

#include <memory>

#include "link/form1.h"
#include "link/testing/test_comm_control.h"
#include "runtime/testing/virtual_platform.h"
#include "shell/app.h"

namespace kestrava::testing {

// The program's core on the virtual platform, with the test serial component in the terminal
// window. Every action a test takes runs through the application's dispatch, as an event from
// the platform would.
struct Harness {
  form::testing::VirtualPlatform platform;
  link::testing::TestCommControl* port = nullptr;
  App app{platform, [this] {
            auto made = std::make_unique<link::testing::TestCommControl>(
                [this] { return platform.nowMs(); });
            port = made.get();
            return made;
          }};

  template <class F>
  void run(F&& action) {
    app.dispatch(std::forward<F>(action));
  }
  void advance(std::int64_t ms) { platform.advance(ms); }

  // The terminal window, loaded and shown as the menu shows it.
  Form1& form1() {
    Form1* w = nullptr;
    run([&] { w = &app.showWindow(app.form1()); });
    return *w;
  }
  void openPort() {
    run([&] { (void)port->setPortOpen(true); });
  }
};

}  // namespace kestrava::testing
