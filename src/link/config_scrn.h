#pragma once

#include "runtime/window.h"

namespace kestrava {

class App;
namespace link {
class CommControl;
}

// The port settings window: the settings string on the left, the port number on the right.
// It reads the port when it is created and applies both fields whenever it is closed.
class ConfigScrn : public form::Window {
 public:
  ConfigScrn(App& app, link::CommControl& port);

  void Form_Load() override { ConfigScrn_Form_Load(); }
  void Form_Unload(bool& cancel) override { ConfigScrn_Form_Unload(cancel); }
  void ConfigScrn_Form_Load();
  void ConfigScrn_Form_Unload(bool& cancel);

  form::TextBox Text1;  // settings string
  form::Label Label1;
  form::Label Label2;
  form::TextBox Text2;  // port number
  // Which device the typed number opens on this machine; it only informs.
  form::Label lblDevice;

 private:
  void showDevice();

  App& app_;
  link::CommControl& port_;
};

// The port number typed into the settings window: a whole number from 1 to 32767 with blanks
// allowed around it. Returns 0 when the text is no such number.
int parsePortNumber(const std::string& text);

}  // namespace kestrava
