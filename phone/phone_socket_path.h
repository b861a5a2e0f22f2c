// Where the program looks for the phone simulator's socket.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace menuforge {

inline constexpr char kPhoneSocketOption[] = "--phone-socket";
inline constexpr char kPhoneSocketVariable[] = "MENUFORGE_PHONE_SOCKET";

// "$XDG_RUNTIME_DIR/menuforge-phone.sock", or "/tmp/menuforge-phone-UID.sock" without it.
std::filesystem::path DefaultPhoneSocketPath();
// The option's value when given, else the environment variable when set, else the default.
std::filesystem::path PhoneSocketPath(const std::optional<std::string>& option);

}  // namespace menuforge
