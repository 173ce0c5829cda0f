#pragma once

#include "runtime/window.h"

namespace kestrava {

class App;

// The main menu window: a menu bar and nothing else. Closing it ends the program at once.
class Form3 : public form::Window {
 public:
  explicit Form3(App& app);

  void Form3_mnuCar_Click();
  void Form3_mnuDispatch_Click();
  void Form3_mnuReplay_Click();
  void Form_Unload(bool& cancel) override;

  form::MenuItem& mnuCar;
  form::MenuItem& mnuDispatch;
  form::MenuItem& mnuReplay;

 private:
  App& app_;
};

}  // namespace kestrava
