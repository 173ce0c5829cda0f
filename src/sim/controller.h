#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "sim/car_model.h"

namespace kestrava::sim {

// The controller's side of the serial line: echoes what it is sent, and answers each command
// (the text before a carriage return) followed by its prompt "> ".
//
//   pmii        "> PMII" and a PMI frame: the header and lines 1 to 8 of sixteen cells
//   vel         "VEL =   " and the three-character velocity ("  0" when the car stands)
//   bbt         "BBT  =  " and a five-digit brake cycle count
//   flt0        "FLT0  = " and the newest fault log entry, 76 characters
//   scc1..scc7  a car call for B, 1 to 6
//   stu, std    one floor up or down
//   install     restarts the session after an overrun
//   fault MODE  a misbehaving controller, for training: "cut" (frames end after line 3),
//               "garbage" (noise before every answer), "silent" (no answers), "flood"
//               (noise without end, see floodChunk), "off" (sane again)
//   anything else is answered "?" and the command
class Controller {
 public:
  enum class Fault { None, CutFrames, Garbage, Silent, Flood };

  explicit Controller(std::uint32_t seed) : car_(seed), noise_(seed) {}

  void setFault(Fault fault) { fault_ = fault; }
  Fault fault() const { return fault_; }
  // While flooding: the next stretch of noise to send unasked.
  std::string floodChunk();

  // Bytes from the line; returns what the controller sends back (echo and answers).
  std::string receive(std::string_view bytes);
  // The answer to one command line, without the echo.
  std::string answer(const std::string& command);

  CarModel& car() { return car_; }

 private:
  std::string noise(std::size_t length);

  CarModel car_;
  std::mt19937 noise_;
  Fault fault_ = Fault::None;
  std::string line_;
};

// The frame line as the controller prints it: "PMI k  " and sixteen cells, 38 characters.
std::string frameLine(const CarModel& car, int line);

}  // namespace kestrava::sim
