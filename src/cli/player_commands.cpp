// norva player: the simulated player from a shell, through the same DeviceLink and storage
// operations the device manager uses.
#include <QProcess>
#include <QStandardPaths>
#include <array>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "device/service/device_link.h"
#include "device/service/player_state.h"

namespace norva::cli {
namespace {

constexpr std::string_view kUsage =
    "player create [--card MiB] | attach | detach | status | ls | put FILE... | "
    "get NAME... -o DIR | rm NAME... | mv NAME NEWNAME | up NAME | down NAME | format [--low] | "
    "fsck | firmware FILE [--boot] | font put FILE | font get DIR | font info | font erase "
    "[--drive 0|1] [--on-exists yes|no|cancel]";

int usage(std::string_view message) {
  return usageError(message, kUsage);
}

int exitFor(device::DeviceCode code) {
  if (code == device::kCodeOk) return kExitDone;
  return code == device::kCodeCancelled ? kExitCancelled : kExitRefused;
}

std::optional<uint32_t> parseNumber(std::string_view text) {
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The file named on the command line stands in for the open-file dialog.
class GivenFile : public device::FileChooser {
 public:
  std::optional<std::string> chooseFileToOpen(void*, const std::string&, const std::string&,
                                              const std::string&) override {
    return path;
  }
  std::optional<std::string> path;
};

// One connection to the player for one command.
class Session {
 public:
  explicit Session(Answer onQuestion)
      : prompter_(std::cerr, onQuestion), link_(prompter_, settings_) {
    link_.setFileChooser(&chooser_);
  }
  ~Session() {
    if (initialized_) link_.Shutdown();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  bool connect() {
    initialized_ = link_.Initialize();
    if (!initialized_) return false;
    int driveCount = 0;
    int driveMask = 0;
    if (!link_.Connect(true, driveCount, driveMask)) {
      sayLine("no player attached");
      return false;
    }
    return true;
  }

  device::DeviceLink& link() { return link_; }
  GivenFile& chooser() { return chooser_; }
  Prompter& prompter() { return prompter_; }

  // The entries of a drive named on the command line, as the last listing gives them.
  std::optional<std::vector<device::EntryRef>> find(int drive, std::span<const std::string> names) {
    device::TransferList list;
    if (!link_.ListDrive(drive, list, true)) {
      sayLine("drive " + std::to_string(drive) + " cannot be listed");
      return std::nullopt;
    }
    std::vector<device::EntryRef> found;
    for (const auto& name : names) {
      const auto& items = list.items();
      const auto item = std::find_if(items.begin(), items.end(),
                                     [&](const device::TransferItem& i) { return i.text == name; });
      if (item == items.end()) {
        sayLine("no entry named " + name + " on drive " + std::to_string(drive));
        return std::nullopt;
      }
      found.push_back({item->index, item->text});
    }
    return found;
  }

 private:
  CliPrompter prompter_;
  device::DeviceSettings settings_;
  device::DeviceLink link_;
  GivenFile chooser_;
  bool initialized_ = false;
};

int reportState(device::PlayerStateOutcome outcome) {
  if (outcome == device::PlayerStateOutcome::Done) return kExitDone;
  sayLine(device::toString(outcome));
  return kExitRefused;
}

int listDrive(Session& session, int drive) {
  device::TransferList list;
  if (!session.link().ListDrive(drive, list, true)) {
    sayLine("drive " + std::to_string(drive) + " cannot be listed");
    return kExitRefused;
  }
  const auto& entries = session.link().cachedEntries(drive);
  for (const auto& item : list.items()) {
    const auto& entry = entries[static_cast<size_t>(item.index)];
    std::cout << item.index << '\t' << item.size << '\t'
              << device::formatFatTimestamp(entry.fatDate(), entry.fatTime()) << '\t' << item.text
              << '\n';
  }
  return kExitDone;
}

int showStatus(const device::FolderPlayerState& state, Answer answer) {
  const auto status = state.status();
  std::cout << "player: " << state.folder().string() << " ("
            << (!status.exists    ? "none"
                : status.attached ? "attached"
                                  : "detached")
            << ")\n";
  if (!status.attached) return kExitDone;
  Session session(answer);
  if (!session.connect()) return kExitRefused;
  for (int drive = 0; drive < device::kDriveCount; ++drive) {
    uint64_t total = 0;
    uint64_t free = 0;
    std::cout << "drive " << drive << ": ";
    if (session.link().GetCapacity(drive, total, free) && total > 0)
      std::cout << total << " bytes, " << free << " free, "
                << session.link().GetFileCount(drive).value_or(0) << " files\n";
    else
      std::cout << "none\n";
  }
  const auto version = session.link().GetFirmwareVersion();
  std::cout << "firmware: "
            << (!version           ? ""
                : version->empty() ? "Unknown Firmware Version"
                                   : *version)
            << '\n';
  if (const auto font = session.link().storedFont())
    std::cout << "font: " << font->name << " (" << font->size << " bytes)\n";
  else
    std::cout << "font: none\n";
  return kExitDone;
}

int checkImage(const device::FolderPlayerState& state, int drive) {
  const auto image = state.imagePath(drive);
  if (!image) {
    sayLine("drive " + std::to_string(drive) + " has no image");
    return kExitRefused;
  }
  QString program = QStandardPaths::findExecutable("fsck.fat");
  if (program.isEmpty())
    program = QStandardPaths::findExecutable("fsck.fat", {"/usr/sbin", "/sbin"});
  if (program.isEmpty()) {
    sayLine("fsck.fat not found (package dosfstools)");
    return kExitRefused;
  }
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start(program, {"-n", QString::fromStdString(image->string())});
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
    return kExitRefused;
  return process.exitCode() == 0 ? kExitDone : kExitRefused;
}

int fontCommand(Session& session, std::span<const std::string> words) {
  if (words.empty()) return usage("font needs put, get, info or erase");
  auto& link = session.link();
  if (words[0] == "put" && words.size() == 2) {
    session.chooser().path = std::filesystem::absolute(words[1]).string();
    return exitFor(link.DownloadFont(nullptr));
  }
  if (words[0] == "get" && words.size() == 2) return exitFor(link.UploadFont(nullptr, words[1]));
  if (words[0] == "erase" && words.size() == 1) return exitFor(link.EraseFont(nullptr));
  if (words[0] == "info" && words.size() == 1) {
    device::FontRecord record;
    const auto code = link.ReadFontRecord(record);
    if (code == device::kCodeOk) std::cout << record.name << '\t' << record.size << '\n';
    return exitFor(code);
  }
  return usage("font put FILE | font get DIR | font info | font erase");
}

int deviceCommand(Session& session, const std::string& command, std::span<const std::string> words,
                  int drive, const Arguments& args) {
  auto& link = session.link();
  if (command == "ls")
    return words.empty() ? listDrive(session, drive) : usage("ls takes no names");
  if (command == "put") {
    if (words.empty()) return usage("put needs files");
    device::TransferList files;
    for (const auto& word : words) files.add({std::filesystem::absolute(word).string(), -1, 0, {}});
    return exitFor(link.DownloadFiles(nullptr, drive, files));
  }
  if (command == "get") {
    const auto folder = args.value("-o");
    if (words.empty() || !folder) return usage("get needs names and -o DIR");
    const auto entries = session.find(drive, words);
    if (!entries) return kExitRefused;
    device::TransferList list;
    const auto& cached = link.cachedEntries(drive);
    for (const auto& entry : *entries)
      list.add({entry.name, entry.index, cached[static_cast<size_t>(entry.index)].size(), {}});
    return exitFor(link.UploadFiles(nullptr, drive, *folder, list));
  }
  if (command == "rm") {
    if (words.empty()) return usage("rm needs names");
    const auto entries = session.find(drive, words);
    if (!entries) return kExitRefused;
    return exitFor(link.DeleteEntries(nullptr, drive, *entries));
  }
  if (command == "mv") {
    if (words.size() != 2) return usage("mv needs NAME and NEWNAME");
    const auto entries = session.find(drive, words.first(1));
    if (!entries) return kExitRefused;
    return exitFor(link.RenameEntry(drive, entries->front(), words[1]));
  }
  if (command == "up" || command == "down") {
    if (words.size() != 1) return usage(command + " needs one NAME");
    const auto entries = session.find(drive, words);
    if (!entries) return kExitRefused;
    const auto moved =
        command == "up" ? link.MoveUp(drive, *entries) : link.MoveDown(drive, *entries);
    if (moved.empty()) {
      sayLine(words[0] + " was not moved");
      return kExitRefused;
    }
    std::cout << moved.front() << '\t' << words[0] << '\n';
    return kExitDone;
  }
  if (command == "format") {
    if (!words.empty()) return usage("format takes no names");
    return exitFor(args.flag("--low") ? link.LowLevelFormatDrive(nullptr, drive)
                                      : link.FormatDrive(nullptr, drive));
  }
  if (command == "firmware") {
    if (words.size() != 1) return usage("firmware needs one FILE");
    session.chooser().path = std::filesystem::absolute(words[0]).string();
    const auto kind =
        args.flag("--boot") ? device::FirmwareKind::BootCode : device::FirmwareKind::CodecCode;
    const auto code = link.UpgradeFirmware(nullptr, kind);
    device::showUnplugNotice(session.prompter(), code);
    return exitFor(code);
  }
  if (command == "font") return fontCommand(session, words);
  return usage("unknown player command " + command);
}

}  // namespace

int runPlayer(Args rawArgs) {
  constexpr std::array<std::string_view, 4> kValued{"--drive", "--card", "-o", "--on-exists"};
  constexpr std::array<std::string_view, 2> kFlags{"--low", "--boot"};
  Arguments args(rawArgs, kValued, kFlags);
  if (!args.ok()) return usage(args.error());
  if (args.positionals().empty()) return usage("a player command is needed");
  const std::string command = args.positionals()[0];
  const std::span<const std::string> words(args.positionals().data() + 1,
                                           args.positionals().size() - 1);
  int drive = 0;
  if (const auto text = args.value("--drive")) {
    if (*text != "0" && *text != "1") return usage("--drive takes 0 or 1");
    drive = *text == "1" ? 1 : 0;
  }
  Answer onExists = Answer::Yes;  // outputs are replaced, as by every norva command
  if (const auto word = args.value("--on-exists");
      word && !CliPrompter::parseAnswer(*word, onExists))
    return usage("--on-exists takes yes, no or cancel");

  device::FolderPlayerState state(device::playerStateFolder());
  if (command == "create") {
    if (!words.empty()) return usage("create takes no names");
    std::optional<uint32_t> card;
    if (const auto text = args.value("--card")) {
      card = parseNumber(*text);
      if (!card) return usage("--card takes a size in MiB");
    }
    return reportState(state.create(card));
  }
  if (command == "attach") return reportState(state.attach());
  if (command == "detach") return reportState(state.detach());
  if (command == "status") return showStatus(state, onExists);
  if (command == "fsck") return checkImage(state, drive);

  Session session(onExists);
  if (!session.connect()) return kExitRefused;
  return deviceCommand(session, command, words, drive, args);
}

}  // namespace norva::cli
