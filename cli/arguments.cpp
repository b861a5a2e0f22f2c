#include "cli/arguments.h"

#include <algorithm>

namespace menuforge::cli {
namespace {

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view name) {
  const auto found = std::find_if(options.begin(), options.end(),
                                  [&](const OptionSpec& option) { return option.name == name; });
  return found == options.end() ? nullptr : &*found;
}

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

}  // namespace

std::optional<std::string> ParsedArguments::Value(std::string_view name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

ParsedArguments ParseArguments(std::span<const std::string> arguments,
                               std::span<const OptionSpec> options, std::size_t positionalCount,
                               std::size_t optionalCount) {
  ParsedArguments parsed;
  if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) {
    parsed.help = true;
    return parsed;
  }

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("-") || argument == "-") {
      parsed.positional.push_back(argument);
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionSpec* option = FindOption(options, name);
    if (!option) throw UsageError("unknown option " + name);
    if (parsed.Has(name)) throw UsageError("option " + name + " given twice");

    std::string value;
    if (option->takesValue) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        throw UsageError("option " + name + " needs a value");
      }
    } else if (equals != std::string::npos) {
      throw UsageError("option " + name + " takes no value");
    }
    parsed.options.emplace(name, std::move(value));
  }

  const std::size_t given = parsed.positional.size();
  if (given < positionalCount || given > positionalCount + optionalCount) {
    const std::size_t most = positionalCount + optionalCount;
    throw UsageError("expected " + std::to_string(positionalCount) +
                     (optionalCount == 0 ? "" : " to " + std::to_string(most)) + " argument" +
                     (most == 1 ? "" : "s") + ", got " + std::to_string(given));
  }
  return parsed;
}

}  // namespace menuforge::cli
