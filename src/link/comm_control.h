#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/status.h"

namespace kestrava::link {

// Event codes reported in CommEvent().
namespace comm {
inline constexpr int kEvSend = 1;
inline constexpr int kEvReceive = 2;
inline constexpr int kEvCts = 3;
inline constexpr int kEvDsr = 4;
inline constexpr int kEvCd = 5;
inline constexpr int kEvRing = 6;
inline constexpr int kEvEof = 7;
inline constexpr int kEventBreak = 1001;
inline constexpr int kEventCtsTimeout = 1002;
inline constexpr int kEventDsrTimeout = 1003;
inline constexpr int kEventFrame = 1004;
inline constexpr int kEventControlBlock = 1005;
inline constexpr int kEventOverrun = 1006;
inline constexpr int kEventCdTimeout = 1007;
inline constexpr int kEventRxOver = 1008;
inline constexpr int kEventRxParity = 1009;
inline constexpr int kEventTxFull = 1010;
// The component's own: the device went away while open (an adapter pulled, the far end of a
// pseudo-terminal closed). The port is closed by then; ErrorText() says which device.
inline constexpr int kEventDeviceLost = 1100;
}  // namespace comm

inline constexpr int kDefaultPort = 1;
inline constexpr const char* kDefaultSettings = "1200,n,8,1";

// The serial-port component of the terminal window. Text is a byte string, one character per
// byte, in both directions. OnComm is raised on the window thread, between handlers, once per
// arrival of data (however many bytes) and for line changes and errors.
class CommControl {
 public:
  virtual ~CommControl() = default;

  virtual std::int16_t CommPort() const = 0;
  // Port numbers run from 1 to 32767; the number is used by the next open. Refused while open.
  virtual Status setCommPort(int port) = 0;
  // "baud,parity,data bits,stop bits"; applied at once when open, kept for the next open.
  virtual std::string Settings() const = 0;
  virtual Status setSettings(const std::string& settings) = 0;
  virtual bool PortOpen() const = 0;
  virtual Status setPortOpen(bool open) = 0;
  // Queues the bytes for sending and returns at once. With the port closed nothing is sent and
  // the call fails; it never ends the program.
  virtual Status Output(std::string_view data) = 0;
  // Everything received since the last read; empties the receive buffer.
  virtual std::string Input() = 0;
  virtual int CommEvent() const = 0;
  // Bytes still waiting to be sent; 0 when all are out (and always 0 while closed).
  virtual int OutBufferCount() const = 0;
  // Text of the last failure the component reported by itself (with kEventDeviceLost).
  virtual std::string ErrorText() const = 0;

  std::function<void()> OnComm;

 protected:
  void raise() {
    if (OnComm) OnComm();
  }
};

}  // namespace kestrava::link
