#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>

namespace kestrava::sim {

// A car going floor to floor, as a Corvane controller sees it: doors opening and closing,
// running with acceleration and slowdown, leveling into the floor, stopping. Floors are B and
// 1 to 6 (indexes 0 to 6). The model moves in fixed steps of kStepMs; given the same seed and
// the same calls it goes through the same states.
class CarModel {
 public:
  static constexpr int kFloors = 7;
  static constexpr int kStepMs = 10;

  enum class Phase { DoorsOpening, DoorsOpen, DoorsClosing, Idle, Running, Leveling };

  explicit CarModel(std::uint32_t seed);

  // Moves the car on by one step.
  void step();
  // A call for floor index 0 to 6 (a car call, "scc1" to "scc7"). False for other floors.
  bool call(int floor);
  // An inspection step one floor up or down; false at the end of the hoistway.
  bool stepFloor(int direction);

  Phase phase() const { return phase_; }
  int floor() const;  // the floor the car is at or nearest to
  double positionFt() const { return position_; }
  int velocityFpm() const;
  bool moving() const { return phase_ == Phase::Running || phase_ == Phase::Leveling; }
  int direction() const { return direction_; }
  int stops() const { return stops_; }
  int doorCycles() const { return doorCycles_; }
  const std::set<int>& calls() const { return calls_; }

  // The state of frame line `line` (1 to 8), cell `cell` (1 to 16): '0' or '1'.
  char cell(int line, int cell) const;
  // The three-character velocity reading, "  0" when the car stands.
  std::string velocityReading() const;

  static std::string floorName(int floor);

 private:
  void startTowards(int target);
  void arrive();
  double distanceToFloor(int floor) const;

  std::mt19937 rng_;
  Phase phase_ = Phase::DoorsOpen;
  int phaseMs_ = 0;
  double position_ = 0;  // feet above floor B
  double speed_ = 0;     // feet per second, always >= 0
  int direction_ = 0;    // +1 up, -1 down, 0 none
  int target_ = 0;
  int stops_ = 0;
  int doorCycles_ = 0;
  std::set<int> calls_;
};

}  // namespace kestrava::sim
