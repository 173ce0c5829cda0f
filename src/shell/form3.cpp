#include "shell/form3.h"

#include "link/form1.h"
#include "replay/replay.h"
#include "shell/app.h"

namespace kestrava {

Form3::Form3(App& app)
    : form::Window(app, "Form3", "Kestrava Menu"),
      mnuCar(menuBar().add("mnuCar", "&Car diagnostics")),
      mnuDispatch(menuBar().add("mnuDispatch", "&dispatcher diagnostics", false)),
      mnuReplay(menuBar().add("mnuReplay", "&Replay")),
      app_(app) {
  setDesign(4680, 1200, form::BorderStyle::Fixed, form::kSystemButtonFace, form::Font{});
  mnuCar.Click = [this] { Form3_mnuCar_Click(); };
  mnuDispatch.Click = [this] { Form3_mnuDispatch_Click(); };
  mnuReplay.Click = [this] { Form3_mnuReplay_Click(); };
}

void Form3::Form3_mnuCar_Click() {
  app_.show(app_.form1());
}

void Form3::Form3_mnuDispatch_Click() {}

void Form3::Form3_mnuReplay_Click() {
  app_.show(app_.replay());
}

void Form3::Form_Unload(bool& cancel) {
  (void)cancel;
  app_.endProgram();
}

}  // namespace kestrava
