#pragma once

#include <cstdint>
#include <string>

#include "diag/pmi_decoder.h"
#include "diag/signal_grid.h"
#include "runtime/window.h"

namespace kestrava {

class App;

// The replay window: plays a communications log back line by line through the same decoder
// and grid as the live display, at a chosen pace or step by step. It sends nothing.
class Replay : public form::Window {
 public:
  static constexpr int kTermWindow = diag::kFrameWindow;  // characters kept in its terminal

  explicit Replay(App& app);
  ~Replay() override;

  void Form_Load() override { Replay_Form_Load(); }
  void Form_Unload(bool& cancel) override { Replay_Form_Unload(cancel); }
  void Replay_Form_Load();
  void Replay_Form_Unload(bool& cancel);
  void Replay_MRplayLog_Click();
  void Replay_MCloseLog_Click();
  void Replay_MFileExit_Click();

  // Playback.
  void Replay_Timer7_Timer();
  void Replay_Command1_Click();
  void Replay_Command1_KeyDown(int keyCode, int shift);
  void ReplayStep();
  void FinishReplay();
  void Replay_HScroll1_Change();
  void Replay_Option1_Click();
  void Replay_Option2_Click();
  void Replay_Option3_Click();
  void Replay_Option4_Click();

  // The replay terminal and the motion fields.
  void Replay_Term_Change();
  void Replay_txtvel_Change();
  void Replay_Picture1_Click();

  // --- controls, as designed
  form::Label Label2;
  form::Label Label1;
  form::TextBox Term;
  diag::SignalGrid grid;
  form::PictureBox Picture1;
  form::TextBox txtdpc;
  form::TextBox txtbbt;
  form::TextBox txtpos;
  form::TextBox txtvel;
  form::TextBox Text2;
  form::Label Label3;
  form::Label Label4;
  form::Label Label5;
  form::TextBox Text5;  // the tick interval in milliseconds
  form::OptionButton Option1;
  form::OptionButton Option2;
  form::OptionButton Option3;
  form::OptionButton Option4;
  form::Button Command1;
  form::HScrollBar HScroll1;
  form::Timer Timer7;

  form::MenuItem& MFile;
  form::MenuItem& MCloseLog;
  form::MenuItem& MRplayLog;
  form::MenuItem& MFileExit;

  // --- window variables
  std::int16_t ReplayFileNo = 0;
  std::string ReplayFileName;
  std::string ReplayLine;
  std::int16_t StopCount = 0;

 private:
  void showMenu();
  bool atEnd();
  void stepOrFinish();
  void startPacing();
  void closeLog();

  App& app_;
  static constexpr std::int64_t kMaxCatchUp = 32;  // lines one late tick may make up for
  std::int64_t paceStartMs_ = 0;
  std::int64_t pacedLines_ = 0;
};

}  // namespace kestrava
