// The replay window and the loading of a log.

#include "replay/replay.h"

#include "diag/motion_fields.h"
#include "runtime/files.h"
#include "shell/app.h"
#include "shell/form3.h"

namespace kestrava {
namespace {

constexpr int kGridTabStart = 100;

form::FileDialogSpec replayDialog() {
  form::FileDialogSpec dialog;
  dialog.title = "Send Text File";
  dialog.filter = "Text Files (*.log)|*.log|All Files (*.*)|*.*";
  dialog.fileName = "";
  dialog.defaultExt = "LOG";
  return dialog;
}

}  // namespace

Replay::Replay(App& app)
    : form::Window(app, "Replay", "Replay Kestrava Log File"),
      Label2(*this, "Label2", {0, 0, 855, 240}, "Status - "),
      Label1(*this, "Label1", {855, 0, 10215, 240}),
      Term(*this, "Term", {5520, 360, 9495, 3975}, true),
      grid(*this, kGridTabStart),
      Picture1(*this, "Picture1", {5520, 240, 5895, 4095}, form::kGrey),
      txtdpc(*this, "txtdpc", {4200, 4440, 735, 285}),
      txtbbt(*this, "txtbbt", {6000, 4440, 615, 285}),
      txtpos(*this, "txtpos", {6720, 4440, 495, 285}),
      txtvel(*this, "txtvel", {7440, 4440, 495, 285}),
      Text2(*this, "Text2", {8880, 5160, 615, 375}),
      Label3(*this, "Label3", {3000, 4440, 375, 375}),
      Label4(*this, "Label4", {9960, 5760, 375, 375}),
      Label5(*this, "Label5", {9960, 6240, 375, 375}),
      Text5(*this, "Text5", {120, 4800, 1215, 375}, true),
      Option1(*this, "Option1", {120, 5280, 810, 255}, "Fast"),
      Option2(*this, "Option2", {960, 5280, 810, 255}, "Med"),
      Option3(*this, "Option3", {1800, 5280, 810, 255}, "Slow"),
      Option4(*this, "Option4", {2640, 5280, 900, 255}, "Pause"),
      Command1(*this, "Command1", {3600, 5235, 615, 345}, "-->"),
      HScroll1(*this, "HScroll1", {120, 5640, 3420, 255}, 1000, 0, 1000),
      Timer7(*this, "Timer7", 100),
      MFile(menuBar().add("MFile", "&File")),
      MCloseLog(MFile.add("MCloseLog", "&Close Log File", false)),
      MRplayLog(MFile.add("MRplayLog", "Replay Log File")),
      MFileExit(MFile.add("MFileExit", "E&xit")),
      app_(app) {
  setDesign(11070, 7125, form::BorderStyle::Sizable, form::kGrey,
            form::Font{"MS Sans Serif", 8.25, true});
  Term.setScrollBars(true);
  Label4.setBorder(true);
  Label5.setBorder(true);
  Option3.setValue(true);
  Command1.setEnabled(false);
  HScroll1.setChanges(1, 1);
  int tab = 0;
  for (form::Control* c : std::initializer_list<form::Control*>{
           &Term, &txtdpc, &txtbbt, &txtpos, &txtvel, &Text2, &Text5, &Option1, &Option2, &Option3,
           &Option4, &Command1, &HScroll1}) {
    c->setTabIndex(tab++);
  }

  MRplayLog.Click = [this] { Replay_MRplayLog_Click(); };
  MCloseLog.Click = [this] { Replay_MCloseLog_Click(); };
  MFileExit.Click = [this] { Replay_MFileExit_Click(); };
  Timer7.Tick = [this] { Replay_Timer7_Timer(); };
  Command1.Click = [this] { Replay_Command1_Click(); };
  Command1.KeyDown = [this](int keyCode, int shift) { Replay_Command1_KeyDown(keyCode, shift); };
  HScroll1.Change = [this] { Replay_HScroll1_Change(); };
  Option1.Click = [this] { Replay_Option1_Click(); };
  Option2.Click = [this] { Replay_Option2_Click(); };
  Option3.Click = [this] { Replay_Option3_Click(); };
  Option4.Click = [this] { Replay_Option4_Click(); };
  Term.Change = [this] { Replay_Term_Change(); };
  txtvel.Change = [this] { Replay_txtvel_Change(); };
  Picture1.Click = [this] { Replay_Picture1_Click(); };
}

Replay::~Replay() {
  closeLog();
}

void Replay::Replay_Form_Load() {
  Timer7.setInterval(HScroll1.value());
  Text5.setText(std::to_string(HScroll1.value()));
}

void Replay::showMenu() {
  app_.show(app_.form3());
}

void Replay::closeLog() {
  if (ReplayFileNo != 0) app_.files().close(ReplayFileNo);
  ReplayFileNo = 0;
}

void Replay::Replay_MRplayLog_Click() {
  form::Files& files = app_.files();
  while (true) {
    std::string error;  // the newest error of the steps below
    const form::FileDialogResult chosen = app_.showOpenDialog(replayDialog());
    if (chosen.cancelled) error = form::kDialogCancelledText;
    ReplayFileName = chosen.path;
    bool found = false;
    if (const form::FileError e = form::Files::exists(ReplayFileName, found)) error = *e;
    if (!error.empty()) {
      app_.msgBox(error, form::Buttons::OK, form::Icon::Exclamation);
      return;
    }
    if (found) break;
    app_.msgBox(ReplayFileName + " not found!", form::Buttons::OK, form::Icon::Exclamation);
  }
  const std::int16_t number = files.FreeFile();
  if (const form::FileError e = files.openInput(number, ReplayFileName)) {
    // The log that was playing, if any, goes on playing.
    app_.msgBox(*e, form::Buttons::OK, form::Icon::Exclamation);
    return;
  }
  closeLog();  // nothing reads the earlier log once the new one is open
  ReplayFileNo = number;
  if (!Timer7.enabled()) startPacing();
  Timer7.setEnabled(true);
  MCloseLog.setEnabled(true);
  Command1.setEnabled(true);
}

void Replay::Replay_MCloseLog_Click() {
  closeLog();
  Timer7.setEnabled(false);
  MCloseLog.setEnabled(false);
  Command1.setEnabled(false);
  setCaption("Tavrin");
}

void Replay::Replay_MFileExit_Click() {
  showMenu();
}

void Replay::Replay_Form_Unload(bool& cancel) {
  (void)cancel;
  closeLog();
  showMenu();
}

void Replay::Replay_txtvel_Change() {
  diag::countStop(txtvel, StopCount, Text2);
}

void Replay::Replay_Picture1_Click() {
  Picture1.setVisible(false);
}

}  // namespace kestrava
