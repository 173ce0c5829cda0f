#include "shell/form5.h"

#include "shell/app.h"
#include "shell/form3.h"
#include "shell/frm_login.h"

namespace kestrava {
namespace {
constexpr int kSplashMs = 10000;

form::Font bold(double points) {
  return form::Font{"MS Sans Serif", points, true};
}
}  // namespace

Form5::Form5(App& app)
    : form::Window(app, "Form5", "Kestrava"),
      lblTitle(*this, "lblTitle", {240, 360, 6255, 495}, "Kestrava for Corvane"),
      lblVersion(*this, "lblVersion", {240, 1200, 3000, 375}, "VER 5.14.01"),
      lblDate(*this, "lblDate", {3480, 1200, 3015, 375}, "03/19/2003"),
      lblChanges(*this, "lblChanges", {240, 1920, 6255, 255}, "Latest changes 05/01/2014"),
      lblCredit(*this, "lblCredit", {240, 2280, 6255, 255}, "Service tool for Corvane controllers"),
      Timer1(*this, "Timer1", kSplashMs, true),
      app_(app) {
  setDesign(6735, 2880, form::BorderStyle::Sizable, form::kGrey, form::Font{});
  lblTitle.setFont(bold(18));
  lblVersion.setFont(bold(13.5));
  lblDate.setFont(bold(13.5));
  Timer1.Tick = [this] { Form5_Timer1_Timer(); };
  Click = [this] { Form5_Form_Click(); };
  KeyPress = [this](int keyAscii) { Form5_Form_KeyPress(keyAscii); };
}

void Form5::leaveFor(form::Window& next) {
  app_.unload(*this);
  app_.show(next);
  Timer1.setEnabled(false);
}

void Form5::Form5_Timer1_Timer() {
  leaveFor(app_.login());
}

void Form5::Form5_Form_Click() {
  leaveFor(app_.form3());
}

void Form5::Form5_Form_KeyPress(int keyAscii) {
  (void)keyAscii;
  leaveFor(app_.form3());
}

}  // namespace kestrava
