#pragma once

#include <string>
#include <utility>

namespace kestrava::link {

// The outcome of an operation on the serial component: success, or a failure with a text that
// says what went wrong (shown to the user as it stands).
class [[nodiscard]] Status {
 public:
  static Status ok() { return Status(); }
  static Status failure(std::string text) { return Status(std::move(text)); }

  bool isOk() const { return !failed_; }
  explicit operator bool() const { return !failed_; }
  const std::string& text() const { return text_; }

 private:
  Status() = default;
  explicit Status(std::string text) : text_(std::move(text)), failed_(true) {}

  std::string text_;
  bool failed_ = false;
};

}  // namespace kestrava::link
