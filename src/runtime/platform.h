#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kestrava::form {

enum class Buttons { OK, OKCancel, YesNoCancel, YesNo, AbortRetryIgnore, RetryCancel };
enum class Icon { None, Question, Exclamation, Stop, Information };
enum class Answer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxSpec {
  std::string text;
  std::string title;  // the application sets its own title when the caller gives none
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
};

// What an open-file dialog is asked to show and what it answered. The filter uses the
// "Description|pattern|Description|pattern" form.
struct FileDialogSpec {
  std::string title;
  std::string filter;
  std::string fileName;
  std::string defaultExt;
};

// A cancelled dialog reports this error number, with kDialogCancelledText.
inline constexpr int kDialogCancelled = 32755;
inline constexpr const char* kDialogCancelledText = "Cancel was selected.";

struct FileDialogResult {
  bool cancelled = true;  // then error is kDialogCancelled
  int error = kDialogCancelled;
  std::string path;       // full path of the chosen file
  std::string fileTitle;  // its name without the folder
};

// A periodic timer of the platform. start() (re)arms it with a period in milliseconds above 0;
// stop() disarms it. The tick callback is given at creation.
class TimerBackend {
 public:
  virtual ~TimerBackend() = default;
  virtual void start(int intervalMs) = 0;
  virtual void stop() = 0;
};

// Everything the windows' logic needs from the desktop and the machine, behind one interface:
// the Qt implementation runs the real program, the virtual one runs the tests.
class Platform {
 public:
  virtual ~Platform() = default;

  virtual Answer messageBox(const MessageBoxSpec& box) = 0;
  virtual FileDialogResult showOpenDialog(const FileDialogSpec& dialog) = 0;
  virtual void beep() = 0;
  // Lets pending events (timer ticks, port events, user input) run inside a handler.
  virtual void processEvents() = 0;
  // Monotonic milliseconds; never jumps back, not even at midnight.
  virtual std::int64_t nowMs() = 0;
  virtual std::unique_ptr<TimerBackend> createTimer(std::function<void()> tick) = 0;
  // Leaves the event loop; the program ends once the current handler has unwound.
  virtual void quit() = 0;
};

}  // namespace kestrava::form
