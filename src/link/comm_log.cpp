// The communications log: everything received, after the terminal's filtering, appended to a
// file byte for byte. The replay window reads such files back.

#include "link/form1.h"
#include "shell/app.h"

namespace kestrava {
namespace {

constexpr const char* kLogCaption = "Tavrin";

form::FileDialogSpec logDialog() {
  form::FileDialogSpec dialog;
  dialog.title = "Open Communications Log File";
  dialog.filter = "Log Files (*.LOG)|*.log|All Files (*.*)|*.*";
  dialog.defaultExt = "LOG";
  dialog.fileName = "";
  return dialog;
}

}  // namespace

void Form1::Form1_MOpenLog_Click() {
  form::Files& files = app_.files();
  form::FileDialogResult chosen;
  while (true) {
    chosen = app_.showOpenDialog(logDialog());
    if (chosen.cancelled) return;
    LogFileName = chosen.path;
    bool found = false;
    if (const form::FileError e = form::Files::exists(LogFileName, found)) {
      app_.msgBox(*e, form::Buttons::OK, form::Icon::Exclamation);
      return;
    }
    if (!found) break;
    const form::Answer answer = app_.msgBox("Replace existing file - " + LogFileName + "?",
                                            form::Buttons::YesNoCancel, form::Icon::Question);
    if (answer == form::Answer::Cancel) continue;  // choose again
    if (answer == form::Answer::Yes) {
      if (const form::FileError e = form::Files::remove(LogFileName)) {
        app_.msgBox(*e, form::Buttons::OK, form::Icon::Exclamation);
        return;
      }
    }
    break;
  }
  LogFileNo = files.FreeFile();
  if (const form::FileError e = files.openAppend(LogFileNo, LogFileName)) {
    app_.msgBox(*e, form::Buttons::OK, form::Icon::Exclamation);
    files.close(LogFileNo);
    LogFileNo = 0;
    return;
  }
  // Opened for appending: every write goes after the file's last byte.
  setCaption(std::string(kLogCaption) + " - " + chosen.fileTitle);
  MOpenLog.setEnabled(false);
  MCloseLog.setEnabled(true);
}

// Writes the chunk exactly once, in order. A write that fails part way is not started over:
// Retry goes on with the bytes that did not reach the file. Chunks that arrive while the
// Retry / Cancel box is open wait behind the failed one, so the file keeps the order received.
void Form1::WriteLog(const std::string& chunk) {
  if (chunk.empty()) return;
  logBacklog_ += chunk;
  if (writingLog_) return;
  writingLog_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{writingLog_};
  while (LogFileNo != 0 && !logBacklog_.empty()) {
    std::size_t written = 0;
    const form::FileError e = app_.files().write(LogFileNo, logBacklog_, &written);
    logBacklog_.erase(0, written);
    if (!e) continue;
    if (app_.msgBox(*e, form::Buttons::RetryCancel, form::Icon::Stop) != form::Answer::Retry) {
      Form1_MCloseLog_Click();
    }
  }
}

void Form1::Form1_MCloseLog_Click() {
  app_.files().close(LogFileNo);
  LogFileNo = 0;
  logBacklog_.clear();  // what a cancelled write held back is not recorded
  MOpenLog.setEnabled(true);
  MCloseLog.setEnabled(false);
  setCaption(kLogCaption);
}

}  // namespace kestrava
