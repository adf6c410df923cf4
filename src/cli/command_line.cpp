#include "cli/command_line.h"

#include "base/service/file_identity.h"
#include "cli/refusal.h"

#include <algorithm>
#include <iostream>

namespace norva::cli {

int usageError(std::string_view message, std::string_view usageLine) {
  sayLine(message);
  std::cerr << "usage: norva " << usageLine << '\n';
  return kExitUsage;
}

std::optional<int> refuseOutputOverInput(std::initializer_list<std::string_view> inputs,
                                         const std::string& output) {
  for (std::string_view input : inputs) {
    // "-" is standard input or output, never a file of that name.
    if (input == "-" || output == "-") continue;
    if (isSameFile(std::string(input), output)) {
      return refuseFile(output,
                        "is the input " + std::string(input) + " itself; nothing was written");
    }
  }
  return std::nullopt;
}

Arguments::Arguments(std::span<const std::string_view> args,
                     std::span<const std::string_view> valued,
                     std::span<const std::string_view> flags) {
  auto contains = [](std::span<const std::string_view> list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  bool onlyPositionals = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (onlyPositionals || arg.size() < 2 || arg[0] != '-') {
      positionals_.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyPositionals = true;
      continue;
    }
    std::string_view name = arg;
    std::optional<std::string_view> inlineValue;
    if (auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    if (contains(valued, name)) {
      std::optional<std::string_view> value = inlineValue;
      if (!value && i + 1 < args.size()) {
        // "--show -- -logo.gif": the value comes after the end of options.
        if (args[i + 1] == "--" && i + 2 < args.size()) {
          onlyPositionals = true;
          ++i;
        }
        value = args[++i];
      }
      if (!value || value->empty()) {
        error_ = "option " + std::string(name) + " needs a value";
        return;
      }
      values_.emplace_back(name, *value);
    } else if (contains(flags, name) && !inlineValue) {
      flags_.emplace_back(name);
    } else {
      error_ = "unknown option " + std::string(arg);
      return;
    }
  }
}

std::optional<std::string> Arguments::value(std::string_view option) const {
  std::optional<std::string> last;
  for (const auto& [name, value] : values_)
    if (name == option) last = value;
  return last;
}

bool Arguments::flag(std::string_view option) const {
  return std::find(flags_.begin(), flags_.end(), option) != flags_.end();
}

}  // namespace norva::cli
