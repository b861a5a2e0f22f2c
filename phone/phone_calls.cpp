#include "phone/phone_calls.h"

namespace menuforge {

std::string_view PhoneCallName(PhoneCall call) {
  return kPhoneCalls[static_cast<std::size_t>(call)].name;
}

std::optional<PhoneCall> PhoneCallNamed(std::string_view name) {
  for (const PhoneCallKind& kind : kPhoneCalls)
    if (kind.name == name) return kind.call;
  return std::nullopt;
}

}  // namespace menuforge
