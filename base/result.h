// One way for the core to say that something failed: a value, or the message the user reads.
// Questions still go through the dialogs; failures come back as a Result.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

#include "base/user_messages.h"

namespace menuforge {

// The failure side of a Result, to be returned where a Result is expected:
//   return Failure(FileError("Cannot open file", path, errno));
struct Failure {
  Message message;
  Failure(Message failure) : message(std::move(failure)) {}
  // An error box with this text.
  Failure(std::string text) : message{std::move(text), kErrorCaption, MessageIcon::Error} {}
  Failure(const char* text) : Failure(std::string(text)) {}
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure.message)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & {
    assert(ok());
    return std::get<0>(state_);
  }
  const T& value() const& {
    assert(ok());
    return std::get<0>(state_);
  }
  T&& value() && {
    assert(ok());
    return std::get<0>(std::move(state_));
  }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Message& error() const {
    assert(!ok());
    return std::get<1>(state_);
  }
  // The failure's text, or empty on success: for callers that report text only.
  std::string errorText() const { return ok() ? std::string() : error().text; }

 private:
  std::variant<T, Message> state_;
};

// Success or a failure, with no value.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure.message)), ok_(false) {}

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const Message& error() const {
    assert(!ok_);
    return failure_;
  }
  std::string errorText() const { return ok_ ? std::string() : failure_.text; }

 private:
  Message failure_;
  bool ok_ = true;
};

using Status = Result<void>;

}  // namespace menuforge
