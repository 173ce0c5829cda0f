#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "diag/pmi_decoder.h"
#include "diag/signal_grid.h"
#include "link/comm_control.h"
#include "runtime/window.h"

namespace kestrava {

class App;

// The car diagnostics window: the terminal, the status line and lamps, the signal grid, the
// motion and status fields, the command buttons, the serial component and the menus.
class Form1 : public form::Window {
 public:
  static constexpr int kTermLimit = 16384;  // Term is trimmed once it holds this many
  static constexpr int kTermTrim = 4096;    // characters dropped from its head at a time
  static constexpr int kFrameWindow = diag::kFrameWindow;  // characters kept in Text1
  static constexpr int kDrainWaitSeconds = 10;  // transmit drain wait at close, per attempt

  Form1(App& app, std::unique_ptr<link::CommControl> port);
  ~Form1() override;

  // The terminal: every received chunk enters here. `chunk` is filtered in place.
  void AppendToTerm(form::TextBox& box, std::string& chunk);
  void Form1_Term_KeyPress(int& keyAscii);
  void Form_Load() override {}
  void Form_Resize() override {}
  // The close sequence: drain and close the port, close the log, end the program.
  void Form_Unload(bool& cancel) override;
  void Form1_MFileExit_Click();
  void Form1_MRplayLog_Click();

  // The one handler of everything the serial component reports.
  void Form1_MSComm1_OnComm();
  // The live display: decode tick, poll, lamp and silence ticks, frame detection.
  void Form1_Timer1_Timer();
  void Form1_Timer2_Timer();
  void Form1_Timer4_Timer();
  void Form1_Timer5_Timer();
  void Form1_Text1_Change();
  // Motion and status fields.
  void Form1_txtvel_Change();
  void Form1_txtpos_Change();
  void Form1_Picture1_Click();

  // Command buttons, the stress test and the auxiliary input fields.
  void Form1_Command1_Click();
  void Form1_Command2_Click();
  void Form1_Command3_Click();
  void Form1_Command4_Click();
  void Form1_Command5_Click();
  void Form1_Command6_Click();
  void Form1_Timer3_Timer();
  void Form1_Text3_KeyDown(int keyCode, int shift);
  void Form1_Text2_Change();
  void Form1_txtbbt_Change();

  // The communications log: open, write a received chunk, close.
  void Form1_MOpenLog_Click();
  void Form1_MCloseLog_Click();
  void WriteLog(const std::string& chunk);

  // CommPort menu: toggle the port; show the settings window.
  void Form1_MOpen_Click();
  void Form1_MSettings_Click();

  // --- controls, as designed
  form::TextBox Term;
  form::TextBox Text1;  // hidden frame window: the tail of the received text
  form::Label Label2;
  form::Label Label1;
  form::Line Line1;
  form::Label Label3;
  form::Label Label4;
  form::Label Label5;
  form::PictureBox Picture1;
  form::Button Command1;
  form::Button Command2;
  form::Button Command3;
  form::Button Command4;
  form::Button Command5;
  form::Button Command6;
  form::TextBox txtdpc;
  form::TextBox txtbbt;
  form::TextBox txtpos;
  form::TextBox txtvel;
  form::TextBox Text2;
  form::TextBox Text3;
  form::TextBox Text4;
  form::TextBox Text5;
  diag::SignalGrid grid;
  form::Timer Timer1;
  form::Timer Timer2;
  form::Timer Timer3;
  form::Timer Timer4;
  form::Timer Timer5;

  form::MenuItem& MFile;
  form::MenuItem& MOpenLog;
  form::MenuItem& MCloseLog;
  form::MenuItem& MRplayLog;
  form::MenuItem& MSendText;
  form::MenuItem& MFileExit;
  form::MenuItem& MPort;
  form::MenuItem& MOpen;
  form::MenuItem& MSettings;

  link::CommControl& MSComm1;

  // --- window variables
  std::int16_t LogFileNo = 0;
  std::string LogFileName;
  std::int16_t StopCount = 0;
  std::int16_t StressStep = 0;
  // Message slots of the comm event handler; each is emptied once its message is shown.
  std::string StatusMessage;
  std::string ErrorMessage;

 private:
  void receiveBranch();
  void wireLiveDisplay();
  void wireCommands();
  void focusCommandLineOrTerm();
  // Sends a command: its text and one carriage return, in one write.
  void send(const std::string& command);
  void overrunBranch();
  // The drain deadline: `seconds` from now, rounded to a whole second, in seconds.
  std::int64_t deadlineIn(int seconds);

  App& app_;
  std::unique_ptr<link::CommControl> port_;
  std::string logBacklog_;  // received text not yet on disk
  bool writingLog_ = false;
};

}  // namespace kestrava
