#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace kestrava::form {

// A minimal observer list. Views subscribe to the core's changes through it; the core never
// knows who listens. Slots are kept in subscription order; a disconnected slot is left empty so
// that ids stay stable while an emit is running.
template <class... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  std::size_t connect(Slot slot) {
    slots_.push_back(std::move(slot));
    return slots_.size() - 1;
  }
  void disconnect(std::size_t id) {
    if (id < slots_.size()) slots_[id] = nullptr;
  }
  void fire(Args... args) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i]) slots_[i](args...);
    }
  }

 private:
  std::vector<Slot> slots_;
};

}  // namespace kestrava::form
