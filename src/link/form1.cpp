#include "link/form1.h"

#include <cmath>

#include "replay/replay.h"
#include "shell/app.h"

namespace kestrava {
namespace {

constexpr char kBackspace = 8;
constexpr char kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr int kLampSize = 375;
constexpr int kGridTabStart = 100;

}  // namespace

Form1::Form1(App& app, std::unique_ptr<link::CommControl> port)
    : form::Window(app, "Form1", "Kestrava Car"),
      Term(*this, "Term", {5520, 360, 9495, 3975}, true),
      Text1(*this, "Text1", {5520, 4440, 375, 285}, true),
      Label2(*this, "Label2", {0, 0, 855, 240}, "Status - "),
      Label1(*this, "Label1", {855, 0, 10215, 240}),
      Line1(*this, "Line1", {0, 240, 11070, 45}, form::kLineGrey),
      Label3(*this, "Label3", {3000, 4440, kLampSize, kLampSize}),
      Label4(*this, "Label4", {9960, 5760, kLampSize, kLampSize}),
      Label5(*this, "Label5", {9960, 6240, kLampSize, kLampSize}),
      Picture1(*this, "Picture1", {5520, 240, 5895, 4095}, form::kGrey),
      Command1(*this, "Command1", {120, 4920, 855, 375}, "pmi 1"),
      Command2(*this, "Command2", {1080, 4920, 855, 375}, "reset"),
      Command3(*this, "Command3", {2040, 4920, 855, 375}, "DOB"),
      Command4(*this, "Command4", {120, 5400, 855, 375}, "ST&U"),
      Command5(*this, "Command5", {1080, 5400, 855, 375}, "ST&D"),
      Command6(*this, "Command6", {2040, 5400, 855, 375}, "stress"),
      txtdpc(*this, "txtdpc", {4200, 4440, 735, 285}),
      txtbbt(*this, "txtbbt", {6000, 4440, 615, 285}),
      txtpos(*this, "txtpos", {6720, 4440, 495, 285}),
      txtvel(*this, "txtvel", {7440, 4440, 495, 285}),
      Text2(*this, "Text2", {8880, 5160, 615, 375}),
      Text3(*this, "Text3", {120, 6600, 9600, 315}),
      Text4(*this, "Text4", {3000, 5445, 495, 285}),
      Text5(*this, "Text5", {4080, 4800, 2295, 855}, true),
      grid(*this, kGridTabStart),
      Timer1(*this, "Timer1", 250),
      Timer2(*this, "Timer2", 250),
      Timer3(*this, "Timer3", 8000),
      Timer4(*this, "Timer4", 1, true),
      Timer5(*this, "Timer5", 1000),
      MFile(menuBar().add("MFile", "&File")),
      MOpenLog(MFile.add("MOpenLog", "&Open Log File...")),
      MCloseLog(MFile.add("MCloseLog", "&Close Log File", false)),
      MRplayLog(MFile.add("MRplayLog", "Replay Log File")),
      MSendText((MFile.add("M3", "-"), MFile.add("MSendText", "&Transmit Text File...", false))),
      MFileExit((MFile.add("Bar2", "-"), MFile.add("MFileExit", "E&xit"))),
      MPort(menuBar().add("MPort", "&CommPort")),
      MOpen(MPort.add("MOpen", "Port &Open")),
      MSettings(MPort.add("MSettings", "&Settings...")),
      MSComm1(*port),
      app_(app),
      port_(std::move(port)) {
  setDesign(11070, 7125, form::BorderStyle::Sizable, form::kGrey,
            form::Font{"MS Sans Serif", 8.25, true});

  Term.setScrollBars(true);
  Text1.setVisible(false);
  Text3.setVisible(false);
  Picture1.setVisible(false);
  Text4.setText("5");
  Label4.setBorder(true);
  Label5.setBorder(true);
  int tab = 0;
  for (form::Control* c : std::initializer_list<form::Control*>{
           &Term, &Text1, &Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &txtdpc,
           &txtbbt, &txtpos, &txtvel, &Text2, &Text3, &Text4, &Text5}) {
    c->setTabIndex(tab++);
  }

  Term.KeyPress = [this](int& keyAscii) { Form1_Term_KeyPress(keyAscii); };
  MFileExit.Click = [this] { Form1_MFileExit_Click(); };
  MRplayLog.Click = [this] { Form1_MRplayLog_Click(); };
  MOpen.Click = [this] { Form1_MOpen_Click(); };
  MOpenLog.Click = [this] { Form1_MOpenLog_Click(); };
  MCloseLog.Click = [this] { Form1_MCloseLog_Click(); };
  MSettings.Click = [this] { Form1_MSettings_Click(); };
  MSComm1.OnComm = [this] { app_.dispatch([this] { Form1_MSComm1_OnComm(); }); };
  wireLiveDisplay();
  wireCommands();
}

void Form1::send(const std::string& command) {
  // The buttons and fields send without asking whether the port is open: the component then
  // sends nothing and reports a failure that changes nothing here.
  (void)MSComm1.Output(command + "\r");
}

Form1::~Form1() {
  MSComm1.OnComm = nullptr;
}

void Form1::AppendToTerm(form::TextBox& box, std::string& chunk) {
  // 1. Keep the terminal near its limit: drop the oldest 4096 characters once it is full.
  int length = box.length();
  if (length > kTermLimit - 1) {
    box.setText(box.text().substr(kTermTrim));
    length = box.length();
  }
  // 2. Caret to the end, nothing selected.
  (void)box.setSelStart(length);
  // 3. Backspaces. One inside the chunk takes the character before it along; one at the start
  // of what is left selects the last character of the box, which the insertion then replaces.
  // Several leading ones select that same character. With an empty box the selection start
  // would be -1: that fails and the selection stays empty.
  std::string kept;
  kept.reserve(chunk.size());
  for (const char c : chunk) {
    if (c != kBackspace) {
      kept.push_back(c);
    } else if (!kept.empty()) {
      kept.pop_back();
    } else if (box.setSelStart(length - 1)) {
      (void)box.setSelLength(1);
    }
  }
  // 4 and 5. Line ends: every line feed goes, every carriage return gets exactly one after it.
  chunk.clear();
  for (const char c : kept) {
    if (c == kLineFeed) continue;
    chunk.push_back(c);
    if (c == kCarriageReturn) chunk.push_back(kLineFeed);
  }
  // 6. Insert (or replace the selected last character).
  box.setSelText(chunk);
  // 7. The frame window: append, then cut to its tail. Each assignment notifies its watcher.
  Text1.setText(Text1.text() + chunk);
  if (Text1.length() > kFrameWindow) {
    Text1.setText(Text1.text().substr(Text1.length() - kFrameWindow));
  }
  // 8. The log gets exactly what the terminal got.
  if (LogFileNo != 0) WriteLog(chunk);
}

void Form1::Form1_Term_KeyPress(int& keyAscii) {
  if (!MSComm1.PortOpen()) return;  // typed text is shown locally
  const char c = static_cast<char>(keyAscii);
  (void)MSComm1.Output(std::string_view(&c, 1));
  Label5.setBackColor(form::kGreen);
  keyAscii = 0;  // the terminal shows only what the controller echoes
}

std::int64_t Form1::deadlineIn(int seconds) {
  return std::llround(static_cast<double>(app_.nowMs()) / 1000.0 + seconds);
}

void Form1::Form_Unload(bool& cancel) {
  if (MSComm1.PortOpen()) {
    std::int64_t deadline = deadlineIn(kDrainWaitSeconds);
    bool waiting = true;
    while (waiting && MSComm1.OutBufferCount() != 0) {
      app_.doEvents();
      if (app_.nowMs() <= deadline * 1000) continue;
      switch (app_.msgBox("Data cannot be sent", form::Buttons::AbortRetryIgnore,
                          form::Icon::Question)) {
        case form::Answer::Abort:
          cancel = true;
          return;
        case form::Answer::Retry:
          deadline = deadlineIn(kDrainWaitSeconds);
          break;
        default:
          waiting = false;
          break;
      }
    }
    (void)MSComm1.setPortOpen(false);
  }
  if (LogFileNo != 0) Form1_MCloseLog_Click();
  app_.endProgram();
}

void Form1::Form1_MFileExit_Click() {
  app_.unload(*this);
}

void Form1::Form1_MRplayLog_Click() {
  app_.show(app_.replay());
}

}  // namespace kestrava
