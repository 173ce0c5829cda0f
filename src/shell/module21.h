#pragma once

namespace kestrava {

class App;

// The start-up procedure: shows the splash window and paints it at once. Everything after
// that is driven by window events.
void MODULE21_Main(App& app);

}  // namespace kestrava
