#include "phone/phone_calls.h"

namespace menuforge {

std::optional<PhoneCall> PhoneCallNamed(std::string_view name) {
  for (const PhoneCallKind& kind : kPhoneCalls)
    if (kind.name == name) return kind.call;
  return std::nullopt;
}

}  // namespace menuforge
