#pragma once

#include "runtime/window.h"

namespace kestrava {

class App;

// The splash window. After 10 seconds it gives way to the password challenge; a click or a key
// opens the main menu at once.
class Form5 : public form::Window {
 public:
  explicit Form5(App& app);

  void Form5_Timer1_Timer();
  void Form5_Form_Click();
  void Form5_Form_KeyPress(int keyAscii);

  form::Label lblTitle;
  form::Label lblVersion;
  form::Label lblDate;
  form::Label lblChanges;
  form::Label lblCredit;
  form::Timer Timer1;

 private:
  void leaveFor(form::Window& next);

  App& app_;
};

}  // namespace kestrava
