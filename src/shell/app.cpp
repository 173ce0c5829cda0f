#include "shell/app.h"

#include "link/config_scrn.h"
#include "link/form1.h"
#include "replay/replay.h"
#include "shell/form3.h"
#include "shell/form5.h"
#include "shell/frm_login.h"

namespace kestrava {

App::App(form::Platform& platform, CommControlFactory makeCommControl)
    : form::Application(platform), makeCommControl_(std::move(makeCommControl)) {}

App::~App() = default;

Form5& App::form5() {
  return load<Form5>([this] { return std::make_unique<Form5>(*this); });
}
frmLogin& App::login() {
  return load<frmLogin>([this] { return std::make_unique<frmLogin>(*this); });
}
Form3& App::form3() {
  return load<Form3>([this] { return std::make_unique<Form3>(*this); });
}
Form1& App::form1() {
  return load<Form1>([this] { return std::make_unique<Form1>(*this, makeCommControl_()); });
}
Replay& App::replay() {
  return load<Replay>([this] { return std::make_unique<Replay>(*this); });
}

}  // namespace kestrava

namespace kestrava {

ConfigScrn& App::configScrn() {
  return load<ConfigScrn>([this] { return std::make_unique<ConfigScrn>(*this, form1().MSComm1); });
}

}  // namespace kestrava
