#include "shell/module21.h"

#include "shell/app.h"
#include "shell/form5.h"

namespace kestrava {

void MODULE21_Main(App& app) {
  app.dispatch([&app] {
    Form5& splash = app.form5();
    app.show(splash);
    app.refresh(splash);
  });
}

}  // namespace kestrava
