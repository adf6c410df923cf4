// Every refused command ends with one line that names the file at fault and why, with the
// system's own text: commands x (missing input, unreadable input, read-only output folder,
// full standard output).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

namespace fs = std::filesystem;

const fs::path kData = NORVA_TEST_DATA_DIR;

// The last line of a text (without its line feed).
std::string lastLine(const std::string& text) {
  std::string body = text;
  if (!body.empty() && body.back() == '\n') body.pop_back();
  const size_t at = body.rfind('\n');
  return at == std::string::npos ? body : body.substr(at + 1);
}

// A command line of a command, given its input file and its output file ("-" for standard
// output); commands without an output file ignore it.
using CommandLine =
    std::function<std::vector<std::string>(const std::string& in, const std::string& out)>;

struct CommandCase {
  std::string name;
  fs::path input;  // a good input, copied into the test's folder under the same name
  CommandLine line;
  bool writesFile;  // the command writes the file given to -o
};

const std::string kLrc = (kData / "lyrics" / "song_cn.lrc").string();
const std::string kMp3 = (kData / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3").string();

const std::vector<CommandCase> kCommands{
    {"lyr", kData / "lyrics" / "song_cn.tly",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"lyr", in, "-o", out};
     },
     true},
    {"lrc", kData / "lyrics" / "song_cn.lrc",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"lrc", in, "-o", out};
     },
     true},
    {"lrc --font", kData / "lyrics" / "song_cn.lrc",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"lrc", in, "--font", "small", "-o", out};
     },
     true},
    {"unlyr", kData / "lyrics" / "expected" / "song_cn.tly.lyr",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"unlyr", in, "-o", out};
     },
     true},
    {"screens", kData / "lyrics" / "expected" / "song_cn.tly.lyr",
     [](auto& in, auto&) {
       return std::vector<std::string>{"screens", in};
     },
     false},
    {"logo", kData / "pictures" / "logo_128x64.wbmp",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"logo", in, "-o", out};
     },
     true},
    {"logo --show", kData / "pictures" / "logo_128x64.wbmp",
     [](auto& in, auto&) {
       return std::vector<std::string>{"logo", "--show", in};
     },
     false},
    {"info", kMp3,
     [](auto& in, auto&) {
       return std::vector<std::string>{"info", in};
     },
     false},
    {"play", kMp3,
     [](auto& in, auto&) {
       return std::vector<std::string>{"play", in, "--audio", "null", "--speed", "max"};
     },
     false},
    {"mpr (the MP3)", kMp3,
     [](auto& in, auto& out) {
       return std::vector<std::string>{"mpr", in, kLrc, "-o", out};
     },
     true},
    {"mpr (an LRC)", kData / "lyrics" / "song_cn.lrc",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"mpr", kMp3, in, "-o", out};
     },
     true},
    {"mpr (a LYR)", kData / "lyrics" / "expected" / "song_cn.tly.lyr",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"mpr", kMp3, in, "-o", out};
     },
     true},
    {"hex2bin", kData / "hex" / "codec_fw_0x2000.hex",
     [](auto& in, auto& out) {
       return std::vector<std::string>{"hex2bin", in, "-o", out};
     },
     true},
};

// Permissions do not stop root: as root the runs that need them drop to the user "nobody".
std::vector<std::string> asUnprivileged(std::vector<std::string> args) {
  if (::geteuid() == 0)
    args.insert(args.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
  return args;
}

CommandResult norva(std::vector<std::string> args);

// Runs unprivileged can reach the program and the test data (a checkout under a private home
// folder cannot be reached by "nobody"); without setpriv or such a tree they are skipped.
bool unprivilegedRunsWork() {
  static const bool works = norva({"info", kMp3}).exitCode == 0;
  return works;
}

// A folder of the test that the unprivileged user can enter and write in.
struct Workspace {
  TempDir dir;
  fs::path writable = dir.path() / "w";
  fs::path readOnly = dir.path() / "ro";
  Workspace() {
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(writable);
    fs::permissions(writable, fs::perms(0777));
    fs::create_directory(readOnly);
    fs::permissions(readOnly, fs::perms(0555));
  }
  // A copy of `file` that everybody can read.
  std::string copyOf(const fs::path& file) {
    const fs::path copy = writable / file.filename();
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms(0644));
    return copy.string();
  }
};

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(asUnprivileged(std::move(args)));
}

TEST(NorvaRefusals, AMissingInputIsNamedWithTheSystemsReason) {
  if (!unprivilegedRunsWork()) GTEST_SKIP() << "the program cannot be run as nobody here";
  for (const auto& c : kCommands) {
    Workspace space;
    const std::string in = (space.writable / ("missing-" + c.input.filename().string())).string();
    const std::string out = (space.writable / "out").string();
    const CommandResult run = norva(c.line(in, out));
    EXPECT_EQ(run.exitCode, 1) << c.name << ": " << run.err;
    EXPECT_EQ(lastLine(run.err), "norva: " + in + ": cannot be read: No such file or directory")
        << c.name;
    // A LYR file is read, not compiled: no compiler message blames it.
    if (c.name == "mpr (a LYR)") {
      EXPECT_EQ(run.err.find("Compile Error"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(out)) << c.name;
  }
}

TEST(NorvaRefusals, AnUnreadableInputIsNamedWithTheSystemsReason) {
  if (!unprivilegedRunsWork()) GTEST_SKIP() << "the program cannot be run as nobody here";
  for (const auto& c : kCommands) {
    Workspace space;
    const std::string in = space.copyOf(c.input);
    fs::permissions(in, fs::perms::none);
    const std::string out = (space.writable / "out").string();
    const CommandResult run = norva(c.line(in, out));
    EXPECT_EQ(run.exitCode, 1) << c.name << ": " << run.err;
    EXPECT_EQ(lastLine(run.err), "norva: " + in + ": cannot be read: Permission denied") << c.name;
    EXPECT_FALSE(fs::exists(out)) << c.name;
  }
}

TEST(NorvaRefusals, AReadOnlyOutputFolderIsNamedWithTheSystemsReason) {
  if (!unprivilegedRunsWork()) GTEST_SKIP() << "the program cannot be run as nobody here";
  for (const auto& c : kCommands) {
    if (!c.writesFile) continue;
    Workspace space;
    const std::string in = space.copyOf(c.input);
    const std::string out = (space.readOnly / "out").string();
    const CommandResult run = norva(c.line(in, out));
    EXPECT_EQ(run.exitCode, 1) << c.name << ": " << run.err;
    EXPECT_EQ(lastLine(run.err), "norva: " + out + ": cannot be written: Permission denied")
        << c.name;
    EXPECT_TRUE(fs::is_empty(space.readOnly)) << c.name;
  }
}

// Standard output on a full device: every command's output, the files too with -o -.
TEST(NorvaRefusals, AFullStandardOutputIsNamedWithTheSystemsReason) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (const auto& c : kCommands) {
    Workspace space;
    const std::vector<std::string> args = c.line(space.copyOf(c.input), "-");
    std::string script = "exec \"$0\"";
    for (size_t i = 0; i < args.size(); ++i) script += " \"$" + std::to_string(i + 1) + "\"";
    std::vector<std::string> argv{"/bin/sh", "-c", script + " >/dev/full", NORVA_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    const CommandResult run = runCommand(argv);
    EXPECT_EQ(run.exitCode, 1) << c.name << ": " << run.err;
    EXPECT_EQ(lastLine(run.err),
              "norva: standard output: cannot be written: No space left on device")
        << c.name;
  }
}

}  // namespace
}  // namespace norva
