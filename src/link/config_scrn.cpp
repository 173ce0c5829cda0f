#include "link/config_scrn.h"

#include <cctype>
#include <charconv>

#include "link/comm_control.h"
#include "link/serial_settings.h"
#include "shell/app.h"

namespace kestrava {

int parsePortNumber(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (begin < end && text[begin] == '+') ++begin;
  int value = 0;
  const auto [stop, ec] = std::from_chars(text.data() + begin, text.data() + end, value);
  if (begin == end || ec != std::errc() || stop != text.data() + end) return 0;
  return value >= 1 && value <= 32767 ? value : 0;
}

ConfigScrn::ConfigScrn(App& app, link::CommControl& port)
    : form::Window(app, "ConfigScrn", "Configure Comm Port"),
      Text1(*this, "Text1", {240, 960, 1335, 375}),
      Label1(*this, "Label1", {240, 720, 1335, 255}, "Settings"),
      Label2(*this, "Label2", {1920, 720, 1335, 255}, "Comm Port"),
      Text2(*this, "Text2", {1920, 960, 975, 375}),
      lblDevice(*this, "lblDevice", {1920, 1380, 2520, 255}),
      app_(app),
      port_(port) {
  setDesign(4680, 1875, form::BorderStyle::Fixed, form::kSystemButtonFace, form::Font{});
  Text1.setTabIndex(0);
  Label1.setTabIndex(1);
  Label2.setTabIndex(2);
  Text2.setTabIndex(3);
  lblDevice.setTabIndex(4);
  for (form::Label* l : {&Label1, &Label2, &lblDevice}) l->setBackColor(form::kSystemButtonFace);
  Text2.Change = [this] { showDevice(); };
}

void ConfigScrn::ConfigScrn_Form_Load() {
  Text1.setText(port_.Settings());
  Text2.setText(std::to_string(port_.CommPort()));
  showDevice();
}

void ConfigScrn::showDevice() {
  const int number = parsePortNumber(Text2.text());
  lblDevice.setCaption(number ? "Device: " + link::deviceForPort(number) : "Device: none");
}

void ConfigScrn::ConfigScrn_Form_Unload(bool& cancel) {
  (void)cancel;  // the fields are applied on every close; there is no way to discard them
  const bool wasOpen = port_.PortOpen();
  if (wasOpen) (void)port_.setPortOpen(false);

  // Refused values leave the port closed and are reported together, in one warning box.
  std::string refused;
  if (const link::Status s = port_.setSettings(Text1.text()); !s) refused += s.text();
  const int number = parsePortNumber(Text2.text());
  if (number == 0) {
    if (!refused.empty()) refused += "\n";
    refused +=
        "Invalid port number \"" + Text2.text() + "\": it must be a whole number from 1 to 32767.";
  } else if (const link::Status s = port_.setCommPort(number); !s) {
    if (!refused.empty()) refused += "\n";
    refused += s.text();
  }
  if (refused.empty() && wasOpen) {
    if (const link::Status s = port_.setPortOpen(true); !s) refused = s.text();
  }
  if (!refused.empty()) app_.msgBox(refused, form::Buttons::OK, form::Icon::Exclamation);
}

}  // namespace kestrava
