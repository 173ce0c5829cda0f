// The CommPort menu of the terminal window.

#include "link/config_scrn.h"
#include "link/form1.h"
#include "shell/app.h"

namespace kestrava {

void Form1::Form1_MOpen_Click() {
  if (const link::Status s = MSComm1.setPortOpen(!MSComm1.PortOpen()); !s) {
    app_.msgBox(s.text(), form::Buttons::OK, form::Icon::Exclamation);
  }
  MOpen.setChecked(MSComm1.PortOpen());
}

void Form1::Form1_MSettings_Click() {
  // Showing a settings window that is already open only brings it forward.
  app_.show(app_.configScrn());
}

}  // namespace kestrava
