// "menuforge-cli phone ...": scripting against the phone the program can reach.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace menuforge::cli {

inline constexpr char kPhoneCommandName[] = "phone";
inline constexpr char kPhoneCommandSynopsis[] =
    "info|ls|pull|push|rm|backup-menu|mkdir|rmdir|attr ... [--phone-socket PATH]";

int RunPhoneCommand(std::span<const std::string> arguments);

}  // namespace menuforge::cli
