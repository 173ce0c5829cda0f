// The command buttons of the terminal window.

#include <array>

#include "link/form1.h"

namespace kestrava {
namespace {

constexpr const char* kCaption = "Kestrava Car";

// "DOB": the floor typed into txtpos, compared whole and case-sensitively, picks the call.
struct FloorCall {
  const char* floor;
  const char* command;
};
constexpr std::array<FloorCall, 7> kFloorCalls = {{{"B", "scc1"},
                                                   {"1", "scc2"},
                                                   {"2", "scc3"},
                                                   {"3", "scc4"},
                                                   {"4", "scc5"},
                                                   {"5", "scc6"},
                                                   {"6", "scc7"}}};

}  // namespace

void Form1::wireCommands() {
  Command1.Click = [this] { Form1_Command1_Click(); };
  Command2.Click = [this] { Form1_Command2_Click(); };
  Command3.Click = [this] { Form1_Command3_Click(); };
  Command4.Click = [this] { Form1_Command4_Click(); };
  Command5.Click = [this] { Form1_Command5_Click(); };
  Command6.Click = [this] { Form1_Command6_Click(); };
  Timer3.Tick = [this] { Form1_Timer3_Timer(); };
  Text3.KeyDown = [this](int keyCode, int shift) { Form1_Text3_KeyDown(keyCode, shift); };
  Text2.Change = [this] { Form1_Text2_Change(); };
  txtbbt.Change = [this] { Form1_txtbbt_Change(); };
}

void Form1::focusCommandLineOrTerm() {
  if (Text3.visible()) {
    (void)Text3.setFocus();
  } else {
    (void)Term.setFocus();
  }
}

// "pmi 1": starts the live display. The caption says "pmi 1"; the command is "pmii".
void Form1::Form1_Command1_Click() {
  send("pmii");
  Text3.setVisible(true);
  Label3.setBackColor(form::kDarkGreen);
  Timer2.setEnabled(true);
  Text4.setVisible(true);
  Picture1.setVisible(true);
  (void)Text3.setFocus();
}

// "reset": stops polling, the stress test and decoding; sends nothing.
void Form1::Form1_Command2_Click() {
  Timer3.setEnabled(false);
  Timer2.setEnabled(false);
  Timer1.setEnabled(false);
  Text3.setVisible(false);
  Picture1.setVisible(false);
  Label3.setBackColor(form::kGrey);
  setCaption(kCaption);
  (void)Term.setFocus();
  StopCount = 0;  // Text2 keeps the old count until the next stop
}

void Form1::Form1_Command3_Click() {
  for (const FloorCall& call : kFloorCalls) {
    if (txtpos.text() == call.floor) {
      send(call.command);
      return;
    }
  }
}

void Form1::Form1_Command4_Click() {
  send("stu");
  Label5.setBackColor(form::kGreen);
  focusCommandLineOrTerm();
}

void Form1::Form1_Command5_Click() {
  send("std");
  Label5.setBackColor(form::kGreen);
  focusCommandLineOrTerm();
}

}  // namespace kestrava
