#pragma once
// Argument handling shared by norva's subcommands.
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace norva::cli {

// Exit codes of every subcommand.
constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitCancelled = 2;
constexpr int kExitUsage = 64;

// Reports a usage error on stderr ("norva: message" and the usage line) and returns kExitUsage.
int usageError(std::string_view message, std::string_view usageLine);

// An output that names one of the inputs (the same file through any link or spelling) would
// destroy that input: it is refused with a message on stderr. Gives kExitRefused then, else
// nothing.
std::optional<int> refuseOutputOverInput(std::initializer_list<std::string_view> inputs,
                                         const std::string& output);

// Splits arguments into positionals and "--name value" / "-o value" / "--flag" options.
class Arguments {
 public:
  // `valued` lists the options that take a value (e.g. "-o", "--font"); `flags` those that do not.
  Arguments(std::span<const std::string_view> args, std::span<const std::string_view> valued,
            std::span<const std::string_view> flags);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& positionals() const { return positionals_; }
  std::optional<std::string> value(std::string_view option) const;
  bool flag(std::string_view option) const;

 private:
  std::vector<std::string> positionals_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
  std::string error_;
};

}  // namespace norva::cli
