// The comm event handler of the terminal window: received data, line changes and line errors.

#include "link/form1.h"
#include "shell/app.h"

namespace kestrava {
namespace {

enum class Handling { Nothing, Receive, Status, Error, Overrun };

struct EventText {
  Handling handling;
  const char* text;
};

EventText describe(int code) {
  using namespace link::comm;
  switch (code) {
    case kEvSend:
    case kEvRing:
      return {Handling::Nothing, ""};
    case kEvReceive:
      return {Handling::Receive, ""};
    case kEvCts:
      return {Handling::Status, "Change in CTS Detected"};
    case kEvDsr:
      return {Handling::Status, "Change in DSR Detected"};
    case kEvCd:
      return {Handling::Status, "Change in CD Detected"};
    case kEvEof:
      return {Handling::Status, "End of File Detected"};
    case kEventBreak:
      return {Handling::Status, "Break Received"};
    case kEventCtsTimeout:
      return {Handling::Error, "CTS Timeout"};
    case kEventDsrTimeout:
      return {Handling::Error, "DSR Timeout"};
    case kEventFrame:
      return {Handling::Status, "Framing Error"};
    case kEventOverrun:
      return {Handling::Overrun, ""};
    case kEventCdTimeout:
      return {Handling::Error, "Carrier Detect Timeout"};
    case kEventRxOver:
      return {Handling::Error, "Receive Buffer Overflow"};
    case kEventRxParity:
      return {Handling::Status, "Parity Error"};
    case kEventTxFull:
      return {Handling::Error, "Transmit Buffer Full"};
    default:
      return {Handling::Error, "Unknown error or event"};
  }
}

constexpr const char* kErrorBoxTitle = "Press Cancel to Quit, Ok to ignore.";

}  // namespace

void Form1::Form1_MSComm1_OnComm() {
  const int code = MSComm1.CommEvent();
  const EventText event = describe(code);
  switch (event.handling) {
    case Handling::Nothing:
      break;
    case Handling::Receive:
      receiveBranch();
      break;
    case Handling::Status:
      StatusMessage = event.text;
      break;
    case Handling::Error:
      // A device that went away says itself which one it was.
      ErrorMessage = code == link::comm::kEventDeviceLost ? MSComm1.ErrorText() : event.text;
      break;
    case Handling::Overrun:
      overrunBranch();
      break;
  }

  if (!StatusMessage.empty()) {
    Label1.setCaption(StatusMessage);
    StatusMessage.clear();
  } else if (event.handling == Handling::Error && !ErrorMessage.empty()) {
    // Only the event that raised the error shows its box: events that arrive while the box is
    // open (received chunks keep coming) must not open the same box again on top of it.
    const std::string text = ErrorMessage;
    app_.beep();
    const form::Answer answer =
        app_.msgBox(text, form::Buttons::OKCancel, form::Icon::None, kErrorBoxTitle);
    ErrorMessage.clear();
    if (answer == form::Answer::Cancel) (void)MSComm1.setPortOpen(false);
  }
}

void Form1::receiveBranch() {
  Label4.setBackColor(form::kDarkRed);
  Timer4.setEnabled(true);
  Timer5.setEnabled(false);
  std::string chunk = MSComm1.Input();
  AppendToTerm(Term, chunk);
}

void Form1::overrunBranch() {
  Timer2.setEnabled(false);
  (void)MSComm1.setPortOpen(!MSComm1.PortOpen());
  const link::Status reopened = MSComm1.setPortOpen(!MSComm1.PortOpen());
  if (!reopened) {
    // The restart could not reopen the port: say why instead of sending into nothing.
    app_.msgBox(reopened.text(), form::Buttons::OK, form::Icon::Exclamation);
  } else {
    (void)MSComm1.Output("install\r");
  }
  Timer2.setEnabled(true);
}

}  // namespace kestrava
