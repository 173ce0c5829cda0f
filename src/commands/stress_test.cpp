// The stress test: "scc" + Text4 and "scc1" in turn, one every tick of the 8-second timer.

#include "link/form1.h"

namespace kestrava {
namespace {
constexpr const char* kStressCaption = "Stress Test";
constexpr const char* kCaption = "Kestrava Car";
}  // namespace

// The decision rests on Timer3: while it runs (the stress test, or the cycle the decode tick
// started) a press stops it.
void Form1::Form1_Command6_Click() {
  if (Timer3.enabled()) {
    Timer3.setEnabled(false);
    Timer2.setEnabled(false);
    Label3.setBackColor(form::kGrey);
    setCaption(kCaption);
  } else {
    Timer3.setEnabled(true);
    Text4.setVisible(true);
    setCaption(kStressCaption);
  }
  focusCommandLineOrTerm();
}

// Stress mode is the caption and nothing else; StressStep carries on across stops and starts.
void Form1::Form1_Timer3_Timer() {
  if (caption() == kStressCaption) {
    if (StressStep == 1) {
      send("scc" + Text4.text());
      Label5.setBackColor(form::kGreen);
    }
    if (StressStep == 2) {
      send("scc1");
      Label5.setBackColor(form::kGreen);
      StressStep = 0;
    }
    StressStep = static_cast<std::int16_t>(StressStep + 1);
  }
  Timer2.setEnabled(true);
}

}  // namespace kestrava
