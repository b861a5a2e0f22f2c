#include "phone/phone_socket_path.h"

#include <unistd.h>

#include <cstdlib>

namespace menuforge {

std::filesystem::path DefaultPhoneSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::filesystem::path(runtime) / "menuforge-phone.sock";
  return "/tmp/menuforge-phone-" + std::to_string(::getuid()) + ".sock";
}

std::filesystem::path PhoneSocketPath(const std::optional<std::string>& option) {
  if (option && !option->empty()) return *option;
  const char* variable = std::getenv(kPhoneSocketVariable);
  if (variable && *variable) return variable;
  return DefaultPhoneSocketPath();
}

}  // namespace menuforge
