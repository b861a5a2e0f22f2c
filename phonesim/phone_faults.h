// Faults the simulated phone can be told to show: refusing chosen commands, and dropping the
// connection once a number of file bytes have passed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "phone/phone_calls.h"

namespace menuforge {

struct Refusal {
  PhoneCall call = PhoneCall::FsacRead;
  std::uint32_t nth = 1;    // counted from 1 for each kind of command
  std::uint32_t times = 1;  // how many in a row, from the nth on
};

struct FaultPlan {
  std::vector<Refusal> refusals;
  std::optional<std::uint64_t> dropAfterBytes;  // file bytes read or written
};

class FaultCounter {
 public:
  explicit FaultCounter(FaultPlan plan) : plan_(std::move(plan)) {}

  // Counts the command; true when it is to be refused.
  bool Refuses(PhoneCall call);
  // Counts file bytes about to move; true when the connection drops instead.
  bool Drops(std::size_t bytes);
  bool dropped() const { return dropped_; }
  std::uint64_t bytesMoved() const { return bytesMoved_; }

 private:
  FaultPlan plan_;
  std::array<std::uint32_t, kPhoneCallKinds> counts_{};
  std::uint64_t bytesMoved_ = 0;
  bool dropped_ = false;
};

}  // namespace menuforge
