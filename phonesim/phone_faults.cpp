#include "phonesim/phone_faults.h"

namespace menuforge {
namespace {

constexpr std::array<std::string_view, kPhoneCallKinds> kCallNames = {
    "open",    "seek",  "read",      "write",      "close",      "volumes",
    "version", "count", "list",      "create",     "file-close", "delete",
    "mkdir",   "rmdir", "seem-read", "seem-write", "restart",
};

}  // namespace

std::string_view PhoneCallName(PhoneCall call) {
  return kCallNames[static_cast<std::size_t>(call)];
}

std::optional<PhoneCall> PhoneCallNamed(std::string_view name) {
  for (std::size_t i = 0; i < kCallNames.size(); ++i)
    if (kCallNames[i] == name) return static_cast<PhoneCall>(i);
  return std::nullopt;
}

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
