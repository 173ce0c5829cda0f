#include "sim/car_model.h"

#include <algorithm>
#include <cmath>

namespace kestrava::sim {
namespace {

constexpr double kFloorHeightFt = 12.0;
constexpr double kContractSpeedFps = 350.0 / 60.0;  // 350 feet per minute
constexpr double kLevelingSpeedFps = 12.0 / 60.0;
constexpr double kAccelerationFps2 = 3.0;
constexpr double kLevelingZoneFt = 0.75;
constexpr int kDoorMoveMs = 2000;
constexpr int kDwellMs = 3000;
constexpr int kIdleBeforeOwnCallMs = 2500;
constexpr double kStep = CarModel::kStepMs / 1000.0;

char bit(bool b) {
  return b ? '1' : '0';
}

}  // namespace

CarModel::CarModel(std::uint32_t seed) : rng_(seed) {}

std::string CarModel::floorName(int floor) {
  return floor == 0 ? "B" : std::to_string(floor);
}

int CarModel::floor() const {
  return std::clamp(static_cast<int>(std::lround(position_ / kFloorHeightFt)), 0, kFloors - 1);
}

double CarModel::distanceToFloor(int f) const {
  return f * kFloorHeightFt - position_;
}

int CarModel::velocityFpm() const {
  return static_cast<int>(std::lround(speed_ * 60.0));
}

std::string CarModel::velocityReading() const {
  std::string digits = std::to_string(std::min(velocityFpm(), 999));
  return std::string(3 - digits.size(), ' ') + digits;
}

bool CarModel::call(int f) {
  if (f < 0 || f >= kFloors) return false;
  if (f == floor() && !moving()) {
    // A call at the floor the car stands at reopens the doors.
    if (phase_ == Phase::Idle || phase_ == Phase::DoorsClosing) {
      phase_ = Phase::DoorsOpening;
      phaseMs_ = 0;
    }
    return true;
  }
  calls_.insert(f);
  return true;
}

bool CarModel::stepFloor(int dir) {
  const int base = moving() ? target_ : floor();
  return call(base + dir);
}

void CarModel::startTowards(int target) {
  target_ = target;
  direction_ = target > floor() ? 1 : -1;
  phase_ = Phase::Running;
  phaseMs_ = 0;
}

void CarModel::arrive() {
  position_ = target_ * kFloorHeightFt;
  speed_ = 0;
  direction_ = 0;
  calls_.erase(target_);
  ++stops_;
  phase_ = Phase::DoorsOpening;
  phaseMs_ = 0;
}

void CarModel::step() {
  phaseMs_ += kStepMs;
  switch (phase_) {
    case Phase::DoorsOpening:
      if (phaseMs_ >= kDoorMoveMs) {
        phase_ = Phase::DoorsOpen;
        phaseMs_ = 0;
        ++doorCycles_;
      }
      break;
    case Phase::DoorsOpen:
      if (phaseMs_ >= kDwellMs) {
        phase_ = Phase::DoorsClosing;
        phaseMs_ = 0;
      }
      break;
    case Phase::DoorsClosing:
      if (phaseMs_ >= kDoorMoveMs) {
        phase_ = Phase::Idle;
        phaseMs_ = 0;
      }
      break;
    case Phase::Idle:
      if (!calls_.empty()) {
        // Serve the nearest call first.
        const int here = floor();
        const int next = *std::min_element(calls_.begin(), calls_.end(), [here](int a, int b) {
          return std::abs(a - here) < std::abs(b - here);
        });
        startTowards(next);
      } else if (phaseMs_ >= kIdleBeforeOwnCallMs) {
        // A passenger somewhere: a call for another floor.
        std::uniform_int_distribution<int> pick(0, kFloors - 2);
        int f = pick(rng_);
        if (f >= floor()) ++f;
        calls_.insert(f);
      }
      break;
    case Phase::Running: {
      const double remaining = std::abs(distanceToFloor(target_));
      const double stopping = speed_ * speed_ / (2 * kAccelerationFps2);
      if (remaining <= kLevelingZoneFt) {
        phase_ = Phase::Leveling;
        phaseMs_ = 0;
        speed_ = std::min(speed_, kLevelingSpeedFps * 4);
      } else if (stopping >= remaining - kLevelingZoneFt) {
        speed_ = std::max(kLevelingSpeedFps * 4, speed_ - kAccelerationFps2 * kStep);
      } else {
        speed_ = std::min(kContractSpeedFps, speed_ + kAccelerationFps2 * kStep);
      }
      position_ += direction_ * speed_ * kStep;
      break;
    }
    case Phase::Leveling: {
      speed_ = std::max(kLevelingSpeedFps, speed_ - kAccelerationFps2 * kStep);
      const double remaining = std::abs(distanceToFloor(target_));
      if (remaining <= speed_ * kStep) {
        arrive();
      } else {
        position_ += direction_ * speed_ * kStep;
      }
      break;
    }
  }
}

char CarModel::cell(int line, int r) const {
  const bool running = moving();
  const bool up = running && direction_ > 0;
  const bool down = running && direction_ < 0;
  const bool closed = phase_ == Phase::Idle || running;
  const bool open = phase_ == Phase::DoorsOpen;
  const double offset = std::abs(position_ - floor() * kFloorHeightFt);
  const double toTarget = running ? std::abs(distanceToFloor(target_)) : 99;
  switch (line) {
    case 1:
      switch (r) {
        case 1:
          return bit(up && toTarget < kFloorHeightFt);  // SU1
        case 2:
          return bit(down && toTarget < kFloorHeightFt);  // SD1
        case 3:
          return bit(up && toTarget < kFloorHeightFt / 4);  // SU2
        case 4:
          return bit(down && toTarget < kFloorHeightFt / 4);  // SD2
        case 8:
          return bit(running);  // MC
        case 9:
          return bit(up);  // UT
        case 10:
          return bit(down);  // DT
        case 11:
          return bit(up);  // UR
        case 12:
          return bit(down);  // DR
        case 13:
          return bit(running);  // RUN
        case 14:
          return bit(closed);  // GL
        case 15:
          return '1';  // AU
        default:
          return '0';
      }
    case 2:
      switch (r) {
        case 1:
        case 2:
        case 3:
        case 4:
          return '1';  // GV, HS, CS, ICS
        case 5:
          return bit(closed);  // GL1
        case 8:
          return bit(open);  // DD
        case 9:
          return bit(open);  // DOL
        case 10:
          return bit(closed);  // DCL
        case 11:
          return bit(closed);  // DL6
        case 13:
          return bit(offset < kLevelingZoneFt && (!running || up));  // ULZ
        case 14:
          return bit(offset < kLevelingZoneFt && (!running || down));  // DLZ
        case 15:
          return bit(offset < 0.25);  // LZM
        case 16:
          return bit(offset < 0.1);  // LZF
        default:
          return '0';
      }
    case 3:
      switch (r) {
        case 11:
          return bit(phase_ == Phase::Leveling);  // LVE
        case 14:
          return bit(running);  // SM
        default:
          return '0';
      }
    case 4:
      switch (r) {
        case 2:
          return bit(floor() & 1);  // R1
        case 3:
          return bit(floor() & 2);  // R2
        case 4:
          return bit(floor() & 4);  // R4
        case 9:
          return bit(up || (!running && !calls_.empty() && *calls_.rbegin() > floor()));
        case 10:
          return bit(down || (!running && !calls_.empty() && *calls_.begin() < floor()));
        case 11:
          return bit(phase_ == Phase::DoorsOpening || open);  // DO
        case 12:
          return bit(phase_ == Phase::DoorsClosing);  // DC
        default:
          return '0';
      }
    case 8:
      return bit(r <= kFloors && calls_.count(r - 1));  // registered car calls, B to 6
    default:
      return '0';
  }
}

}  // namespace kestrava::sim
