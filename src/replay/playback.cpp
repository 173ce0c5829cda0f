// Playback: one line of the log per tick or per press of "-->", through the decoder.

#include <algorithm>

#include "diag/motion_fields.h"
#include "diag/pmi_decoder.h"
#include "replay/replay.h"
#include "runtime/files.h"
#include "shell/app.h"

namespace kestrava {
namespace {

constexpr int kFast = 100;
constexpr int kMed = 500;
constexpr int kSlow = 1000;
constexpr int kPause = 0;

}  // namespace

bool Replay::atEnd() {
  return ReplayFileNo == 0 || app_.files().eof(ReplayFileNo);
}

void Replay::stepOrFinish() {
  if (atEnd()) {
    FinishReplay();
  } else {
    ReplayStep();
  }
}

void Replay::startPacing() {
  paceStartMs_ = app_.nowMs();
  pacedLines_ = 0;
}

// One line per tick of the interval. A platform timer fires late now and then and merges the
// ticks it missed (at 1 ms, about one in twelve): the lines those ticks were due are replayed
// here, each its own step, so the rate follows the clock. On time, this is exactly one line.
void Replay::Replay_Timer7_Timer() {
  const int interval = Timer7.interval();
  const std::int64_t due = interval > 0 ? (app_.nowMs() - paceStartMs_) / interval : 1;
  std::int64_t lines = std::clamp<std::int64_t>(due - pacedLines_, 1, kMaxCatchUp);
  pacedLines_ = std::max(pacedLines_ + lines, due - kMaxCatchUp);
  while (lines-- > 0 && Timer7.enabled()) stepOrFinish();
}

void Replay::Replay_Command1_Click() {
  stepOrFinish();
}

void Replay::Replay_Command1_KeyDown(int keyCode, int shift) {
  (void)keyCode;
  (void)shift;
  if (atEnd()) FinishReplay();
}

void Replay::ReplayStep() {
  if (const form::FileError e = app_.files().lineInput(ReplayFileNo, ReplayLine)) {
    // A log that cannot be read further ends its playback, and says why.
    FinishReplay();
    app_.msgBox(*e, form::Buttons::OK, form::Icon::Exclamation);
    return;
  }
  Term.setText(Term.text() + "\r\n" + ReplayLine);  // the terminal cuts and reads it at once
  const int p = diag::findPmiHeader(Term.text());
  if (p != 0) diag::DecodePmiFrame(grid, Term.text(), p);
}

void Replay::FinishReplay() {
  Timer7.setEnabled(false);
  Command1.setEnabled(false);
  closeLog();
}

void Replay::Replay_HScroll1_Change() {
  Timer7.setInterval(HScroll1.value());
  startPacing();
  Text5.setText(std::to_string(HScroll1.value()));
  if (HScroll1.value() == kPause) Option1.setValue(false);
  if (HScroll1.value() == kFast) Option1.setValue(true);
}

void Replay::Replay_Option1_Click() {
  HScroll1.setValue(kFast);
}
void Replay::Replay_Option2_Click() {
  HScroll1.setValue(kMed);
}
void Replay::Replay_Option3_Click() {
  HScroll1.setValue(kSlow);
}
void Replay::Replay_Option4_Click() {
  HScroll1.setValue(kPause);
}

// The replay terminal keeps its newest 418 characters, with the caret at the end, and feeds
// the velocity field from the first velocity reading it holds. Typed text is handled alike.
void Replay::Replay_Term_Change() {
  (void)Term.setSelStart(Term.length());
  if (Term.length() > kTermWindow) {
    Term.setText(Term.text().substr(Term.length() - kTermWindow));  // runs this again, nested
  }
  std::string velocity;
  if (diag::readField(Term.text(), diag::kVelocityField, velocity)) txtvel.setText(velocity);
}

}  // namespace kestrava
