// The live display of the terminal window: the poll cycle's timers, the frame detection on
// Text1, the decode tick and the motion and status fields.

#include "diag/motion_fields.h"
#include "diag/pmi_decoder.h"
#include "link/form1.h"
#include "shell/app.h"

namespace kestrava {
namespace {

// The poll answer's marker: the readings are copied only while it is in the frame window.
constexpr std::string_view kPollAnswer = "> PMII";

}  // namespace

void Form1::wireLiveDisplay() {
  Timer1.Tick = [this] { Form1_Timer1_Timer(); };
  Timer2.Tick = [this] { Form1_Timer2_Timer(); };
  Timer4.Tick = [this] { Form1_Timer4_Timer(); };
  Timer5.Tick = [this] { Form1_Timer5_Timer(); };
  Text1.Change = [this] { Form1_Text1_Change(); };
  txtvel.Change = [this] { Form1_txtvel_Change(); };
  txtpos.Change = [this] { Form1_txtpos_Change(); };
  Picture1.Click = [this] { Form1_Picture1_Click(); };
}

void Form1::Form1_Timer1_Timer() {
  Timer2.setEnabled(false);
  Label3.setBackColor(form::kGrey);
  const int p = diag::findPmiHeader(Text1.text());
  if (p == 0) return;  // no frame yet: look again on the next tick
  diag::DecodePmiFrame(grid, Text1.text(), p);

  // Ask for the velocity while the car moves (SM shows 1), and while it stands (SM 0) until
  // the velocity field reads the stop.
  const double sm = diag::leadingNumber(grid.label("lbl514").caption());
  if (sm == 0 && txtvel.text() != diag::kStopped && MSComm1.PortOpen()) send("vel");
  if (sm == 1 && MSComm1.PortOpen()) send("vel");

  Timer3.setEnabled(true);
  Timer1.setEnabled(false);
}

void Form1::Form1_Timer2_Timer() {
  if (!MSComm1.PortOpen()) return;  // stays on: polling resumes once the port is open
  send("pmii");
  Label5.setBackColor(form::kGreen);
  Timer1.setEnabled(true);
}

void Form1::Form1_Timer5_Timer() {
  if (!MSComm1.PortOpen()) return;
  send("pmii");
  Label5.setBackColor(form::kGreen);
  Timer5.setEnabled(false);
  Timer1.setEnabled(true);
}

void Form1::Form1_Timer4_Timer() {
  if (Label4.backColor() != form::kGrey) {
    Label4.setBackColor(form::kGrey);
    // In poll mode the silence timer counts from the latest receive event.
    if (Text3.visible()) Timer5.setEnabled(true);
  }
  if (Label5.backColor() != form::kGrey) Label5.setBackColor(form::kGrey);
  Timer4.setEnabled(false);
}

void Form1::Form1_Text1_Change() {
  const std::string& window = Text1.text();
  if (window.find(kPollAnswer) == std::string::npos) return;
  Timer1.setEnabled(true);
  // Each copy runs its field's own change handling; take the window anew for every one.
  std::string value;
  if (diag::readField(Text1.text(), diag::kVelocityField, value)) txtvel.setText(value);
  if (diag::readField(Text1.text(), diag::kBbtField, value)) txtbbt.setText(value);
  if (diag::readField(Text1.text(), diag::kFlt0Field, value)) Text5.setText(value);
}

void Form1::Form1_txtvel_Change() {
  diag::countStop(txtvel, StopCount, Text2);
}

void Form1::Form1_txtpos_Change() {
  Timer5.setEnabled(false);
}

void Form1::Form1_Picture1_Click() {
  Picture1.setVisible(false);
  (void)Text3.setFocus();
}

}  // namespace kestrava
