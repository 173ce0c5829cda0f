#include "sim/controller.h"

#include <cctype>
#include <cstdio>

namespace kestrava::sim {
namespace {

constexpr const char* kHeader = "PMI #  = = = = = = = = = = = = = = = =";
constexpr const char* kPrompt = "> ";
constexpr std::size_t kFaultLength = 76;

std::string padded(std::string text, std::size_t length) {
  text.resize(length, ' ');
  return text;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string frameLine(const CarModel& car, int line) {
  std::string text = "PMI " + std::to_string(line) + "  ";
  for (int r = 1; r <= 16; ++r) {
    text.push_back(car.cell(line, r));
    if (r < 16) text.push_back(' ');
  }
  return text;
}

std::string Controller::noise(std::size_t length) {
  std::string text(length, ' ');
  for (char& c : text) c = static_cast<char>(noise_() % 256);
  return text;
}

std::string Controller::floodChunk() {
  return noise(256) + "\r\n";
}

std::string Controller::receive(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    if (c == '\n') continue;
    if (c == '\r') {
      out += "\r\n";
      const std::string reply = answer(line_);
      if (fault_ == Fault::Silent && lower(line_).rfind("fault", 0) != 0) {
        out.clear();  // says nothing at all, not even the echo
      } else {
        if (fault_ == Fault::Garbage) out += noise(1 + noise_() % 80) + "\r\n";
        out += reply;
        out += kPrompt;
      }
      line_.clear();
    } else if (c == '\b' || c == 127) {
      if (!line_.empty()) {
        line_.pop_back();
        out += "\b \b";
      }
    } else {
      line_.push_back(c);
      out.push_back(c);
    }
  }
  return out;
}

std::string Controller::answer(const std::string& typed) {
  const std::string command = lower(typed);
  if (command.empty()) return "";
  if (command == "pmii") {
    std::string frame = "> PMII\r\n";
    frame += kHeader;
    frame += "\r\n";
    const int lines = fault_ == Fault::CutFrames ? 3 : 8;
    for (int line = 1; line <= lines; ++line) frame += frameLine(car_, line) + "\r\n";
    return frame;
  }
  if (command.rfind("fault ", 0) == 0) {
    const std::string mode = command.substr(6);
    if (mode == "cut")
      fault_ = Fault::CutFrames;
    else if (mode == "garbage")
      fault_ = Fault::Garbage;
    else if (mode == "silent")
      fault_ = Fault::Silent;
    else if (mode == "flood")
      fault_ = Fault::Flood;
    else if (mode == "off")
      fault_ = Fault::None;
    else
      return "?FAULT MODES: CUT GARBAGE SILENT FLOOD OFF\r\n";
    return "FAULT " + mode + "\r\n";
  }
  if (command == "vel") return "VEL =   " + car_.velocityReading() + "\r\n";
  if (command == "bbt") {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d", car_.stops() % 100000);
    return std::string("BBT  =  ") + digits + "\r\n";
  }
  if (command == "flt0") {
    char entry[128];
    std::snprintf(entry, sizeof entry,
                  "F00 NO ACTIVE FAULT  FLOOR %s  STOPS %05d  DOOR CYCLES %05d",
                  CarModel::floorName(car_.floor()).c_str(), car_.stops() % 100000,
                  car_.doorCycles() % 100000);
    return "FLT0  = " + padded(entry, kFaultLength) + "\r\n";
  }
  if (command.size() == 4 && command.rfind("scc", 0) == 0 && command[3] >= '1' &&
      command[3] <= '7') {
    const int floor = command[3] - '1';
    car_.call(floor);
    return "CAR CALL " + CarModel::floorName(floor) + " REGISTERED\r\n";
  }
  if (command.rfind("scc", 0) == 0) return "?INVALID CAR CALL " + typed + "\r\n";
  if (command == "stu" || command == "std") {
    const bool up = command == "stu";
    if (!car_.stepFloor(up ? 1 : -1)) return "?END OF TRAVEL\r\n";
    return std::string(up ? "STEP UP" : "STEP DOWN") + " OK\r\n";
  }
  if (command == "install") return "INSTALL OK - SESSION RESTARTED\r\n";
  return "?" + typed + "\r\n";
}

}  // namespace kestrava::sim
