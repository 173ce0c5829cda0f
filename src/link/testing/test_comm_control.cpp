#include "link/testing/test_comm_control.h"

#include "link/serial_settings.h"

namespace kestrava::link::testing {

TestCommControl::TestCommControl(std::function<std::int64_t()> clock) : clock_(std::move(clock)) {}

void TestCommControl::receive(std::string_view chunk) {
  inbox_.append(chunk);
  raiseEvent(comm::kEvReceive);
}

void TestCommControl::raiseEvent(int code) {
  event_ = code;
  raise();
}

void TestCommControl::loseDevice(std::string text) {
  errorText_ = std::move(text);
  open_ = false;
  pending_ = 0;
  raiseEvent(comm::kEventDeviceLost);
}

void TestCommControl::setDraining(bool draining) {
  draining_ = draining;
  if (draining_) pending_ = 0;
}

std::string TestCommControl::sentText() const {
  std::string all;
  for (const Sent& s : sent_) all += s.data;
  return all;
}

Status TestCommControl::setCommPort(int port) {
  if (open_) return Status::failure("Port already open");
  if (port < 1 || port > 32767) return Status::failure("Invalid port number");
  port_ = static_cast<std::int16_t>(port);
  return Status::ok();
}

Status TestCommControl::setSettings(const std::string& settings) {
  std::string error;
  const auto parsed = parseSettings(settings, &error);
  if (!parsed) return Status::failure(error);
  settings_ = formatSettings(*parsed);
  return Status::ok();
}

Status TestCommControl::setPortOpen(bool open) {
  if (open == open_) return open ? Status::failure("Port already open") : Status::ok();
  if (open && refuseOpen_) return Status::failure(*refuseOpen_);
  open_ = open;
  if (open) {
    ++opens_;
  } else {
    ++closes_;
    pending_ = 0;
    inbox_.clear();
  }
  return Status::ok();
}

Status TestCommControl::Output(std::string_view data) {
  if (!open_) {
    ++refusedOutputs_;
    return Status::failure("Port is not open");
  }
  sent_.push_back({std::string(data), clock_()});
  if (!draining_) pending_ += static_cast<int>(data.size());
  if (onOutput) onOutput(sent_.back().data);
  return Status::ok();
}

std::string TestCommControl::Input() {
  std::string taken;
  taken.swap(inbox_);
  return taken;
}

}  // namespace kestrava::link::testing
