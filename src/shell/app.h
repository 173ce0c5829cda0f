#pragma once

#include <functional>
#include <memory>

#include "link/comm_control.h"
#include "runtime/application.h"

namespace kestrava {

class ConfigScrn;
class Form1;
class Form3;
class Form5;
class frmLogin;
class Replay;

// Makes the serial component of the terminal window: QSerialPort in the program, the test
// component in the tests.
using CommControlFactory = std::function<std::unique_ptr<link::CommControl>()>;

// The program's windows, one instance of each, loaded when first needed.
class App : public form::Application {
 public:
  App(form::Platform& platform, CommControlFactory makeCommControl);
  ~App() override;

  Form5& form5();
  frmLogin& login();
  Form3& form3();
  Form1& form1();
  Replay& replay();
  // The settings window of the terminal window's port.
  ConfigScrn& configScrn();

  // Loads (when needed) and shows the window.
  template <class W>
  W& showWindow(W& window) {
    show(window);
    return window;
  }

 private:
  CommControlFactory makeCommControl_;
};

}  // namespace kestrava
