// What every norva subcommand shares: help, version, option parsing and honest exit codes.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

const std::filesystem::path kLyrics = std::filesystem::path(NORVA_TEST_DATA_DIR) / "lyrics";

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

// The command line run through a shell with its standard output sent to `target`.
CommandResult norvaWithStdoutTo(const std::string& target, const std::vector<std::string>& args) {
  std::string script = "exec \"$0\"";
  for (size_t i = 0; i < args.size(); ++i) script += " \"$" + std::to_string(i + 1) + "\"";
  script += " >" + target;
  std::vector<std::string> argv{"/bin/sh", "-c", script, NORVA_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return runCommand(argv);
}

const std::vector<std::string> kCommands{"lyr",  "lrc",  "unlyr", "screens",
                                         "logo", "info", "play",  "mpr"};

TEST(NorvaConventions, EveryCommandExplainsEachOptionOfItsUsage) {
  const std::regex option(R"([ \[|](--?[a-z][a-z-]*))");
  for (const auto& name : kCommands) {
    const CommandResult help = norva({name, "--help"});
    ASSERT_EQ(help.exitCode, 0) << name << ": " << help.err;
    const std::string usageLine = help.out.substr(0, help.out.find('\n'));
    EXPECT_EQ(usageLine.rfind("usage: norva " + name + " ", 0), 0u) << help.out;
    const std::string body = help.out.substr(usageLine.size());
    std::set<std::string> options;
    for (std::sregex_iterator it(usageLine.begin(), usageLine.end(), option), end; it != end; ++it)
      options.insert((*it)[1].str());
    for (const auto& o : options)
      EXPECT_NE(body.find("  " + o + " "), std::string::npos)
          << name << " --help does not explain " << o;
    EXPECT_EQ(norva({"help", name}).out, help.out) << name;
    EXPECT_EQ(norva({name, "-h"}).out, help.out) << name;
  }
}

TEST(NorvaConventions, VersionAndOverviewGoToStandardOutput) {
  const CommandResult version = norva({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("norva [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
  const CommandResult overview = norva({"--help"});
  EXPECT_EQ(overview.exitCode, 0);
  for (const auto& name : kCommands)
    EXPECT_NE(overview.out.find("\n  " + name + " "), std::string::npos) << name;
  EXPECT_EQ(norva({}).exitCode, 64);
  EXPECT_EQ(norva({"frobnicate"}).exitCode, 64);
}

TEST(NorvaConventions, HelpAfterDoubleDashIsAFileName) {
  TempDir dir;
  const CommandResult run = norva({"screens", "--", "--help"});
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_EQ(run.out.find("usage:"), std::string::npos);
}

TEST(NorvaConventions, AnEmptyOptionValueIsAUsageError) {
  TempDir dir;
  const std::string input = (kLyrics / "song_cn.tly").string();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"lyr", input, "-o", ""},
           {"lyr", input, "-o="},
           {"lrc", input, "-o", ""},
           {"unlyr", input, "-o", ""},
           {"lyr", input, "-o", (dir.path() / "x").string(), "--font", ""}}) {
    const CommandResult run = norva(args);
    EXPECT_EQ(run.exitCode, 64) << args[0] << " " << args.back() << ": " << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(NorvaConventions, OutputThatCannotBeWrittenIsAFailure) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string lyr = (kLyrics / "expected" / "song_cn.tly.lyr").string();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"screens", lyr}, {"unlyr", lyr}, {"--help"}, {"lyr", "--help"}}) {
    const CommandResult full = norvaWithStdoutTo("/dev/full", args);
    EXPECT_EQ(full.exitCode, 1) << args[0];
    EXPECT_NE(full.err.find("norva: cannot write to standard output"), std::string::npos)
        << args[0] << ": " << full.err;
    EXPECT_EQ(norvaWithStdoutTo("/dev/null", args).exitCode, 0) << args[0];
  }
}

}  // namespace
}  // namespace norva
