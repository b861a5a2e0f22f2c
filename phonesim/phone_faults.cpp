#include "phonesim/phone_faults.h"

namespace menuforge {

bool FaultCounter::Refuses(PhoneCall call) {
  const std::uint32_t count = ++counts_[static_cast<std::size_t>(call)];
  if (dropped_) return true;
  for (const Refusal& refusal : plan_.refusals)
    if (refusal.call == call && count >= refusal.nth && count - refusal.nth < refusal.times)
      return true;
  return false;
}

bool FaultCounter::Drops(std::size_t bytes) {
  bytesMoved_ += bytes;
  if (plan_.dropAfterBytes && bytesMoved_ > *plan_.dropAfterBytes) dropped_ = true;
  return dropped_;
}

}  // namespace menuforge
