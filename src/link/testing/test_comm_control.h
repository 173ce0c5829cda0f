#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/comm_control.h"

namespace kestrava::link::testing {

// The serial component of the tests: records every output with the time it was sent, delivers
// received chunks and event codes when the test says, and can refuse to open or to drain.
class TestCommControl : public CommControl {
 public:
  struct Sent {
    std::string data;
    std::int64_t atMs;
  };

  explicit TestCommControl(std::function<std::int64_t()> clock);

  // --- what the test does
  // Received data: queued for Input(), then event 2 is raised.
  void receive(std::string_view chunk);
  // Any other event code.
  void raiseEvent(int code);
  // The device goes away: the port closes and kEventDeviceLost is raised with `text`.
  void loseDevice(std::string text);
  // The next opens fail with `text` until refuseOpen is cleared (std::nullopt).
  void refuseOpen(std::optional<std::string> text) { refuseOpen_ = std::move(text); }
  // While not draining, everything written stays counted in OutBufferCount().
  void setDraining(bool draining);
  // The far end: what a reply would see.
  const std::vector<Sent>& sent() const { return sent_; }
  // All bytes sent so far, joined.
  std::string sentText() const;
  void clearSent() { sent_.clear(); }
  int refusedOutputs() const { return refusedOutputs_; }
  int opens() const { return opens_; }
  int closes() const { return closes_; }

  // --- the component
  std::int16_t CommPort() const override { return port_; }
  Status setCommPort(int port) override;
  std::string Settings() const override { return settings_; }
  Status setSettings(const std::string& settings) override;
  bool PortOpen() const override { return open_; }
  Status setPortOpen(bool open) override;
  Status Output(std::string_view data) override;
  std::string Input() override;
  int CommEvent() const override { return event_; }
  int OutBufferCount() const override { return open_ ? pending_ : 0; }
  std::string ErrorText() const override { return errorText_; }

  // Called by every Output(): lets a scripted controller answer.
  std::function<void(const std::string& data)> onOutput;

 private:
  std::function<std::int64_t()> clock_;
  std::int16_t port_ = kDefaultPort;
  std::string settings_ = kDefaultSettings;
  bool open_ = false;
  bool draining_ = true;
  int pending_ = 0;
  int event_ = 0;
  int opens_ = 0;
  int closes_ = 0;
  int refusedOutputs_ = 0;
  std::string inbox_;
  std::string errorText_;
  std::optional<std::string> refuseOpen_;
  std::vector<Sent> sent_;
};

}  // namespace kestrava::link::testing
