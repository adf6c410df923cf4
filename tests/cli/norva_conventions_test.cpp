// What every norva subcommand shares: help, version, option parsing and honest exit codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <regex>
#include <set>

#include "base/service/file_io.h"
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

const std::vector<std::string> kCommands{"lyr",       "lrc",     "unlyr", "screens",   "smi",
                                         "timetable", "logo",    "info",  "play",      "mpr",
                                         "player",    "hex2bin", "txt16", "batch-lrc", "batch-mpr",
                                         "wav2mp3"};

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

// Every command the overview lists is one whose help the test above checks.
TEST(NorvaConventions, OverviewListsExactlyTheCheckedCommands) {
  const std::string overview = norva({"--help"}).out;
  std::set<std::string> listed;
  const size_t list = overview.find("\ncommands:\n");
  ASSERT_NE(list, std::string::npos) << overview;
  for (size_t line = overview.find('\n', list + 1) + 1;
       line < overview.size() && overview.compare(line, 2, "  ") == 0;
       line = overview.find('\n', line) + 1)
    listed.insert(overview.substr(line + 2, overview.find(' ', line + 2) - line - 2));
  EXPECT_EQ(listed, std::set<std::string>(kCommands.begin(), kCommands.end()));
}

TEST(NorvaConventions, HelpAfterDoubleDashIsAFileName) {
  TempDir dir;
  const CommandResult run = norva({"screens", "--", "--help"});
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_EQ(run.out.find("usage:"), std::string::npos);
}

TEST(NorvaConventions, DoubleDashEndsOptionsBeforeAValueOrAFile) {
  TempDir dir;
  const auto picture = dir.path() / "-logo.wbmp";
  std::filesystem::copy_file(
      std::filesystem::path(NORVA_TEST_DATA_DIR) / "pictures" / "logo_128x64.wbmp", picture);
  const auto lyr = dir.path() / "-x.lyr";
  std::filesystem::copy_file(kLyrics / "expected" / "song_cn.tly.lyr", lyr);
  // Run inside the folder, so that the names really start with "-".
  const std::string folder = dir.path().string();
  const CommandResult shown =
      runCommand({"/bin/sh", "-c", "cd \"$1\" && exec \"$0\" logo --show -- -logo.wbmp",
                  NORVA_BINARY, folder});
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out.rfind("128 x 64\n", 0), 0u) << shown.out;
  const CommandResult screens = runCommand(
      {"/bin/sh", "-c", "cd \"$1\" && exec \"$0\" screens -- -x.lyr", NORVA_BINARY, folder});
  EXPECT_EQ(screens.exitCode, 0) << screens.err;
}

// "-" reads standard input and "-o -" writes standard output: the same bytes as with files.
TEST(NorvaConventions, DashIsStandardInputAndOutput) {
  const auto expected = readWholeFile(kLyrics / "expected" / "song_cn.tly.lyr").bytes;
  const std::string tly = (kLyrics / "song_cn.tly").string();
  const CommandResult piped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" lyr - -o - < \"$1\"", NORVA_BINARY, tly});
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_EQ(std::vector<uint8_t>(piped.out.begin(), piped.out.end()), expected);

  const std::string lrc = (kLyrics / "song_cn.lrc").string();
  const CommandResult lrcPiped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" lrc - -o - < \"$1\"", NORVA_BINARY, lrc});
  EXPECT_EQ(lrcPiped.exitCode, 0) << lrcPiped.err;
  const auto lrcExpected = readWholeFile(kLyrics / "expected" / "song_cn.lrc.lyr").bytes;
  EXPECT_EQ(std::vector<uint8_t>(lrcPiped.out.begin(), lrcPiped.out.end()), lrcExpected);

  const std::string lyr = (kLyrics / "expected" / "song_cn.tly.lyr").string();
  const CommandResult fromFile = norva({"screens", lyr});
  const CommandResult fromStdin =
      runCommand({"/bin/sh", "-c", "exec \"$0\" screens - < \"$1\"", NORVA_BINARY, lyr});
  EXPECT_EQ(fromStdin.exitCode, 0);
  EXPECT_EQ(fromStdin.out.substr(fromStdin.out.find('\n')),
            fromFile.out.substr(fromFile.out.find('\n')));
}

// The same for the MPR, firmware and preview commands: the bytes of standard output are those
// of the file the command writes, and what it reads from standard input it shows as from a file.
TEST(NorvaConventions, DashWorksForMprHexAndThePreview) {
  const std::filesystem::path data = NORVA_TEST_DATA_DIR;
  const std::string mp3 = (data / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3").string();
  const std::string lrc = (kLyrics / "song_cn.lrc").string();
  TempDir dir;
  const auto mpr = dir.path() / "song.mpr";
  ASSERT_EQ(norva({"mpr", mp3, lrc, "-o", mpr.string()}).exitCode, 0);
  const auto mprBytes = readWholeFile(mpr).bytes;
  const CommandResult mprPiped = runCommand(
      {"/bin/sh", "-c", "exec \"$0\" mpr - \"$2\" -o - < \"$1\"", NORVA_BINARY, mp3, lrc});
  EXPECT_EQ(mprPiped.exitCode, 0) << mprPiped.err;
  EXPECT_EQ(std::vector<uint8_t>(mprPiped.out.begin(), mprPiped.out.end()), mprBytes);

  const std::string hex = (data / "hex" / "codec_fw_0x2000.hex").string();
  const CommandResult hexPiped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" hex2bin - -o - < \"$1\"", NORVA_BINARY, hex});
  EXPECT_EQ(hexPiped.exitCode, 0) << hexPiped.err;
  EXPECT_EQ(std::vector<uint8_t>(hexPiped.out.begin(), hexPiped.out.end()),
            readWholeFile(data / "hex" / "codec_fw_0x2000.image.bin").bytes);

  const CommandResult info = norva({"info", mp3});
  const CommandResult infoPiped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" info - < \"$1\"", NORVA_BINARY, mp3});
  EXPECT_EQ(infoPiped.exitCode, 0) << infoPiped.err;
  EXPECT_EQ(infoPiped.out.substr(0, infoPiped.out.find('\n')), "file: standard input");
  EXPECT_EQ(infoPiped.out.substr(infoPiped.out.find('\n')), info.out.substr(info.out.find('\n')));

  // An MPR played from standard input shows its lyric with --mpr, as the file does.
  const CommandResult played = norva({"play", mpr.string(), "--speed", "max"});
  const CommandResult playedPiped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" play - --mpr --speed max < \"$1\"", NORVA_BINARY,
                  mpr.string()});
  EXPECT_EQ(playedPiped.exitCode, 0) << playedPiped.err;
  EXPECT_EQ(playedPiped.out, played.out);
  EXPECT_NE(played.out.find("00:01.1"), std::string::npos) << played.out;

  // One input a command can be standard input.
  const CommandResult twice = norva({"mpr", "-", "-", "-o", (dir.path() / "x").string()});
  EXPECT_EQ(twice.exitCode, 64);
  EXPECT_NE(twice.err.find("only one of MP3 and LYRIC can be -"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x"));
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
    EXPECT_NE(full.err.find("norva: standard output: cannot be written: No space left on device"),
              std::string::npos)
        << args[0] << ": " << full.err;
    EXPECT_EQ(norvaWithStdoutTo("/dev/null", args).exitCode, 0) << args[0];
  }
}

// An output that is one of the command's inputs, reached through a hard link or a "./" path, is
// refused and the input keeps its bytes.
TEST(NorvaConventions, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
  const std::filesystem::path data = NORVA_TEST_DATA_DIR;
  struct Case {
    std::string command;
    std::filesystem::path input;
    std::vector<std::string> more;  // further inputs and options after the input
  };
  const std::vector<Case> cases{
      {"lrc", data / "lyrics" / "song_cn.lrc", {}},
      {"lyr", data / "lyrics" / "song_cn.tly", {}},
      {"unlyr", data / "lyrics" / "expected" / "song_cn.tly.lyr", {}},
      {"logo", data / "pictures" / "logo_128x64_1bit.bmp", {"--overwrite"}},
      {"hex2bin", data / "hex" / "codec_fw_0x2000.hex", {}},
      {"mpr", data / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3", {}},
  };
  for (const auto& c : cases) {
    for (const bool hardLink : {true, false}) {
      TempDir dir;
      const auto input = dir.path() / c.input.filename();
      std::filesystem::copy_file(c.input, input);
      const std::vector<uint8_t> before = readWholeFile(input).bytes;
      std::string output = (dir.path() / "." / c.input.filename()).string();
      if (hardLink) {
        std::filesystem::create_hard_link(input, dir.path() / "other");
        output = (dir.path() / "other").string();
      }
      std::vector<std::string> args{c.command, input.string()};
      if (c.command == "mpr") args.push_back((data / "lyrics" / "song_cn.lrc").string());
      args.insert(args.end(), c.more.begin(), c.more.end());
      args.insert(args.end(), {"-o", output});
      const CommandResult run = norva(args);
      EXPECT_EQ(run.exitCode, 1) << c.command << (hardLink ? " (hard link)" : " (./)") << run.err;
      EXPECT_NE(run.err.find("is the input"), std::string::npos) << c.command << run.err;
      EXPECT_EQ(readWholeFile(input).bytes, before) << c.command;
    }
  }
}

TEST(NorvaConventions, WhatIsNotWhatItClaimsIsRefused) {
  const std::filesystem::path data = NORVA_TEST_DATA_DIR;
  TempDir dir;
  const auto out = dir.path() / "out";
  // An "MP3" in which the preview's header search finds no audio.
  for (const std::string& bytes : {std::string(), std::string(100000, '\x5A')}) {
    ASSERT_TRUE(writeFileAtomically(dir.path() / "e.mp3", bytes).ok());
    const CommandResult run =
        norva({"mpr", (dir.path() / "e.mp3").string(), (data / "lyrics" / "song_cn.lrc").string(),
               "-o", out.string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("[MPR转化失败] 指定的MP3文件中没有找到MPEG音频数据!"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  // A text with no timed paragraph: LRC (with a hint) or nothing at all.
  ASSERT_TRUE(writeFileAtomically(dir.path() / "empty.tly", std::string_view()).ok());
  for (const auto& [input, hint] : {std::pair{data / "lyrics" / "song_cn.lrc", true},
                                    std::pair{dir.path() / "empty.tly", false}}) {
    const CommandResult run = norva({"lyr", input.string(), "-o", out.string()});
    EXPECT_EQ(run.exitCode, 1) << input;
    EXPECT_NE(run.err.find("no timed paragraph"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("norva lrc") != std::string::npos, hint) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const CommandResult allowed =
      norva({"lyr", (dir.path() / "empty.tly").string(), "-o", out.string(), "--allow-empty"});
  EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
  EXPECT_EQ(std::filesystem::file_size(out), 1024u);  // header block and one block of body
}

// Starts `norva play` on the null device in real time, waits for its first status line (it is
// printed once the program handles signals), sends `signal` and returns the exit status.
int exitStatusOfPlayEndedBy(int signal) {
  const std::string song = (std::filesystem::path(NORVA_TEST_DATA_DIR) / "audio" /
                            "song_cn_speech_44k1_stereo_cbr128.mp3")
                               .string();
  int out[2];
  if (::pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<std::string> words{NORVA_BINARY, "play", song, "--audio", "null"};
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t child = -1;
  const int spawned = ::posix_spawn(&child, NORVA_BINARY, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) return -1;
  char c = 0;
  while (::read(out[0], &c, 1) == 1 && c != '\n') {
  }
  ::kill(child, signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(out[0]);
  return status;
}

TEST(NorvaConventions, PlayEndedBySignalExitsWith128PlusItsNumber) {
  const int interrupted = exitStatusOfPlayEndedBy(SIGINT);
  ASSERT_TRUE(WIFEXITED(interrupted)) << "killed instead of ending in order";
  EXPECT_EQ(WEXITSTATUS(interrupted), 130);
  const int terminated = exitStatusOfPlayEndedBy(SIGTERM);
  ASSERT_TRUE(WIFEXITED(terminated));
  EXPECT_EQ(WEXITSTATUS(terminated), 143);
}

}  // namespace
}  // namespace norva
