#pragma once

#include "runtime/window.h"

namespace kestrava {

class App;

// The replay window. Closing it brings the main menu forward.
class Replay : public form::Window {
 public:
  explicit Replay(App& app);

  void Form_Unload(bool& cancel) override;

 private:
  App& app_;
};

}  // namespace kestrava
