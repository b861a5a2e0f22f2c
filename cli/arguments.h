// Splitting a command line into positional arguments and options.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace menuforge::cli {

struct OptionSpec {
  std::string_view name;  // with its leading "--"
  bool takesValue = false;
};

// A command line the command cannot make sense of; exits with the usage code.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> options;
  bool help = false;

  bool Has(std::string_view name) const { return options.find(name) != options.end(); }
  std::optional<std::string> Value(std::string_view name) const;
};

// Options may stand anywhere, as "--name value" or "--name=value". With "--help" (or "-h")
// nothing else is checked. `optionalCount` more positional arguments may follow the
// `positionalCount` required ones.
ParsedArguments ParseArguments(std::span<const std::string> arguments,
                               std::span<const OptionSpec> options, std::size_t positionalCount,
                               std::size_t optionalCount = 0);

}  // namespace menuforge::cli
