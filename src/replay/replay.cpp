#include "replay/replay.h"

#include "shell/app.h"
#include "shell/form3.h"

namespace kestrava {

Replay::Replay(App& app) : form::Window(app, "Replay", "Replay Kestrava Log File"), app_(app) {
  setDesign(11070, 7125, form::BorderStyle::Sizable, form::kGrey,
            form::Font{"MS Sans Serif", 8.25, true});
}

void Replay::Form_Unload(bool& cancel) {
  (void)cancel;
  app_.show(app_.form3());
}

}  // namespace kestrava
