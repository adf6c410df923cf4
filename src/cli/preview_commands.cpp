// norva info and norva play: the preview engine on the command line.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>

#include "audio/audio_messages.h"
#include "audio/null_output.h"
#include "audio/service/system_output.h"
#include "base/gbk_codec.h"
#include "base/service/file_io.h"
#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/interrupt_catcher.h"
#include "cli/refusal.h"
#include "cli/stdio_files.h"
#include "preview/lyric_track.h"
#include "preview/preview_messages.h"
#include "preview/service/lyric_loader.h"
#include "preview/service/mpeg_player.h"
#include "preview/stream_info.h"

namespace norva::cli {
namespace {

using preview::LyricProgress;
using preview::MpegPlayer;

const char* versionName(preview::MpegVersion version) {
  switch (version) {
    case preview::MpegVersion::Mpeg1:
      return "1";
    case preview::MpegVersion::Mpeg2:
      return "2";
    case preview::MpegVersion::Mpeg25:
      return "2.5";
  }
  return "?";
}

const char* modeName(preview::ChannelMode mode) {
  switch (mode) {
    case preview::ChannelMode::Stereo:
      return "stereo";
    case preview::ChannelMode::JointStereo:
      return "joint stereo";
    case preview::ChannelMode::DualChannel:
      return "dual channel";
    case preview::ChannelMode::Mono:
      return "mono";
  }
  return "?";
}

// A screen's GBK text for one terminal line: UTF-8, the CRs between its lines as " / ".
std::string screenLine(const std::string& gbk) {
  std::string line;
  for (char c : gbkToUtf8(gbk)) {
    if (c == '\r')
      line += " / ";
    else if (c != '\n')
      line += c;
  }
  return line;
}

// The terminal in single-key mode while playing, restored however play ends.
class RawTerminal {
 public:
  RawTerminal() {
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios raw = saved_;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
  }
  ~RawTerminal() {
    if (active_) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;

 private:
  termios saved_{};
  bool active_ = false;
};

struct PlayOptions {
  enum class Audio { Default, Alsa, Null } audio = Audio::Default;
  bool maxSpeed = false;
  double speed = 1.0;
  std::optional<int> seek;
};

std::unique_ptr<audio::AudioOutput> makeOutput(const PlayOptions& options, Prompter& prompter) {
  using audio::NullOutput;
  const auto pace =
      options.maxSpeed ? NullOutput::Pace::AsFastAsPossible : NullOutput::Pace::RealTime;
  auto null = std::make_unique<NullOutput>(pace, options.speed);
  if (options.audio == PlayOptions::Audio::Null) return null;
  return audio::makeSystemOutput(std::move(null), [&prompter](const std::string& why) {
    prompter.show(Message{audio::noSoundDeviceText(why), preview::kPlayerCaption,
                          MessageIcon::Warning, MessageButtons::Ok});
  });
}

std::optional<PlayOptions> parsePlayOptions(const Arguments& args, std::string& error) {
  PlayOptions options;
  if (auto audio = args.value("--audio")) {
    if (*audio == "alsa")
      options.audio = PlayOptions::Audio::Alsa;
    else if (*audio == "null")
      options.audio = PlayOptions::Audio::Null;
    else {
      error = "--audio takes alsa or null";
      return std::nullopt;
    }
  }
  if (auto speed = args.value("--speed")) {
    if (*speed == "max") {
      options.maxSpeed = true;
    } else {
      char* end = nullptr;
      options.speed = std::strtod(speed->c_str(), &end);
      if (end == speed->c_str() || *end != '\0' || !(options.speed > 0) || options.speed > 1000) {
        error = "--speed takes a number above 0 (at most 1000) or max";
        return std::nullopt;
      }
    }
    if (options.audio == PlayOptions::Audio::Alsa && (options.maxSpeed || options.speed != 1.0)) {
      error = "--speed other than 1 plays on the null device only";
      return std::nullopt;
    }
    if (options.audio == PlayOptions::Audio::Default && (options.maxSpeed || options.speed != 1.0))
      options.audio = PlayOptions::Audio::Null;
  }
  if (auto seek = args.value("--seek")) {
    char* end = nullptr;
    const long value = std::strtol(seek->c_str(), &end, 10);
    if (end == seek->c_str() || *end != '\0' || value < 0 || value > 1000) {
      error = "--seek takes thousandths, 0 to 1000";
      return std::nullopt;
    }
    options.seek = static_cast<int>(value);
  }
  return options;
}

// The time as a player of the terminal shows it: minutes, seconds and tenths ("01:05.3").
std::string clockText(int64_t tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld.%lld", static_cast<long long>(tenths / 600),
                static_cast<long long>(tenths / 10 % 60), static_cast<long long>(tenths % 10));
  return text;
}

// Shows the status bar's two parts: the time, and the lyric screen (or the lyric message), and
// what the keys changed (paused, volume).
class StatusLine {
 public:
  StatusLine(const preview::LyricLoad& lyric, bool terminal)
      : lyric_(lyric), progress_(lyric.track ? &*lyric.track : nullptr), terminal_(terminal) {}

  // One progress step at `tenths`; `screenChangesOnly` prints on screen changes only (scripts).
  void step(int64_t tenths, bool screenChangesOnly) {
    std::lock_guard lock(mutex_);
    const auto step = progress_.update(tenths);
    const std::string time = clockText(tenths);
    std::string text;
    if (step.screen) text = screenLine(lyric_.track->entries()[*step.screen].text);
    if (screenChangesOnly) {
      if (step.changed) std::cout << time << "  " << text << '\n' << std::flush;
      return;
    }
    if (terminal_) {
      std::cout << "\r\033[K" << time << "  " << text << state_ << std::flush;
    } else if (tenths / 10 != lastSecond_ || step.changed) {
      std::cout << time << "  " << text << '\n' << std::flush;
    }
    lastSecond_ = tenths / 10;
  }
  // What a key changed: shown at the end of the status line, or as a line of its own.
  void note(const std::string& state) {
    std::lock_guard lock(mutex_);
    state_ = state.empty() ? std::string() : "  [" + state + "]";
    if (terminal_)
      std::cout << "\r\033[K" << state_ << std::flush;
    else if (!state.empty())
      std::cout << state << '\n' << std::flush;
  }
  void finish(int64_t tenths) {
    std::lock_guard lock(mutex_);
    if (terminal_) std::cout << '\n';
    std::cout << clockText(tenths) << "  end\n" << std::flush;
  }

 private:
  std::mutex mutex_;
  const preview::LyricLoad& lyric_;
  LyricProgress progress_;
  bool terminal_;
  int64_t lastSecond_ = -1;
  std::string state_;
};

// Keys: space pauses and resumes, left/right seek by 50 thousandths, +/- volume, q quits.
// Returns false when playing should end; `inputOpen` goes false at the end of the input.
bool handleKeys(MpegPlayer& player, StatusLine& status, std::string& pending, bool& inputOpen) {
  std::array<char, 64> buffer{};
  const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
  if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) inputOpen = false;
  if (count <= 0) return true;
  pending.append(buffer.data(), static_cast<size_t>(count));
  while (!pending.empty()) {
    if (pending[0] == '\033') {
      if (pending.size() < 3) return true;
      if (pending[1] == '[' && pending[2] == 'C') player.seek(player.position() + 50);
      if (pending[1] == '[' && pending[2] == 'D') player.seek(player.position() - 50);
      pending.erase(0, 3);
      continue;
    }
    const char key = pending[0];
    pending.erase(0, 1);
    switch (key) {
      case 'q':
      case 'Q':
        return false;
      case ' ':
        if (player.paused()) {
          player.resume();
          status.note("playing");
        } else {
          player.pause();
          status.note("paused");
        }
        break;
      case '+':
      case '-':
        player.setVolume(player.volume() + (key == '+' ? 10 : -10));
        status.note("volume " + std::to_string(player.volume()));
        break;
      default:
        break;
    }
  }
  return true;
}

}  // namespace

int runInfo(Args rawArgs) {
  constexpr std::string_view kUsage = "info FILE";
  Arguments args(rawArgs, {}, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("one FILE needed", kUsage);
  const std::string& path = args.positionals()[0];
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(path);
  if (!inputFile) return kExitRefused;
  const auto file = readWholeFile(*inputFile);
  if (file.status != ReadResult::Status::Ok)
    return refuseCommand({{path}, {}}, path, preview::kCannotReadText);
  const auto info = preview::analyseStream(file.bytes);
  if (!info) return refuseFile(path, preview::kNoStreamText);
  const auto& h = info->header;
  std::ostringstream out;
  out << "file: " << (path == "-" ? "standard input" : path) << '\n'
      << "size: " << file.bytes.size() << " bytes\n"
      << "first frame offset: " << info->firstFrameOffset << '\n'
      << "three-frame tests: " << info->tries << '\n'
      << "MPEG version: " << versionName(h.version) << '\n'
      << "layer: " << static_cast<int>(h.layer) << '\n'
      << "sampling rate: " << h.sampleRate << " Hz\n"
      << "channel mode: " << modeName(h.mode) << '\n'
      << "bit rate: " << h.bitrate / 1000 << " kbit/s\n"
      << "frame size: " << h.frameSize << " bytes" << (h.padding ? " (+1 padding)" : "") << '\n';
  if (info->xing) {
    const auto& x = *info->xing;
    out << "Xing header: " << (x.info ? "Info" : "Xing") << ", flags " << x.flags;
    if (x.frames) out << ", frames " << *x.frames;
    if (x.bytes) out << ", bytes " << *x.bytes;
    out << (x.toc ? ", table of contents" : "");
    if (x.scale) out << ", scale " << *x.scale;
    out << '\n';
  } else {
    out << "Xing header: none\n";
  }
  char ms[32];
  std::snprintf(ms, sizeof ms, "%.2f", info->msPerFrame);
  out << "total frames: " << info->totalFrames << '\n'
      << "milliseconds per frame: " << ms << '\n'
      << "audio starts at: " << info->audioOffset << '\n';
  std::cout << out.str();
  return kExitDone;
}

namespace {

int64_t tenthsPlayedBy(const MpegPlayer& player) {
  return preview::tenthsPlayed(player.framesPlayed(), player.msPerFrame());
}

// --speed max: the null device plays as fast as it can; every block played is a step, so each
// screen change is printed with its exact time.
int playToTheEnd(MpegPlayer& player, StatusLine& status, std::future<void>& ended) {
  ended.wait();
  status.finish(tenthsPlayedBy(player));
  player.stop();
  return kExitDone;
}

// Real time: the status line every 200 ms, keys from the terminal, Ctrl-C ends.
int playWithKeys(MpegPlayer& player, StatusLine& status) {
  RawTerminal raw;
  // Ctrl+C and SIGTERM end playing in order: the terminal and the device are restored.
  const InterruptCatcher interrupt{SIGINT, SIGTERM};
  bool inputOpen = true;
  std::string pending;
  while (!interrupt.interrupted()) {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&fd, inputOpen ? 1 : 0, 200);
    if (interrupt.interrupted()) break;
    if (ready > 0) {
      if ((fd.revents & (POLLIN | POLLHUP)) && !handleKeys(player, status, pending, inputOpen))
        break;
      if (fd.revents & (POLLERR | POLLNVAL)) inputOpen = false;
    }
    if (player.paused()) continue;
    status.step(tenthsPlayedBy(player), false);
    if (player.endOfData()) break;
  }
  status.finish(tenthsPlayedBy(player));
  player.stop();
  return interrupt.interrupted() ? interrupt.exitCode() : kExitDone;
}

}  // namespace

int runPlay(Args rawArgs) {
  constexpr std::string_view kUsage =
      "play FILE [--audio alsa|null] [--speed N|max] [--seek P] [--mpr]";
  constexpr std::array<std::string_view, 3> kValued{"--audio", "--speed", "--seek"};
  constexpr std::array<std::string_view, 1> kFlags{"--mpr"};
  Arguments args(rawArgs, kValued, kFlags);
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("one FILE needed", kUsage);
  std::string error;
  const auto options = parsePlayOptions(args, error);
  if (!options) return usageError(error, kUsage);
  const std::string& path = args.positionals()[0];
  if (args.flag("--mpr") && path != "-")
    return usageError("--mpr is for - (standard input)", kUsage);
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(path);
  if (!inputFile) return kExitRefused;

  CliPrompter prompter(std::cerr, Answer::Ok);
  const auto lyric = path == "-" ? preview::loadLyricFor(*inputFile, args.flag("--mpr"), path)
                                 : preview::loadLyricFor(path);
  if (lyric.missingMessage) std::cout << *lyric.missingMessage << '\n';

  std::promise<void> endPromise;
  auto ended = endPromise.get_future();
  MpegPlayer player(makeOutput(*options, prompter));
  player.setEndCallback([&endPromise] { endPromise.set_value(); });
  StatusLine status(lyric, !options->maxSpeed && ::isatty(STDOUT_FILENO));
  if (options->maxSpeed) {
    player.setPlayedCallback([&status, &player](int64_t frames) {
      status.step(preview::tenthsPlayed(frames, player.msPerFrame()), true);
    });
  }
  const auto opened = player.open(*inputFile, options->seek.value_or(0));
  if (opened == preview::OpenOutcome::CannotRead)
    return refuseCommand({{path}, {}}, path, toString(opened));
  if (opened != preview::OpenOutcome::Opened)
    return refuseFile(path, std::string("cannot be played: ") + toString(opened));
  return options->maxSpeed ? playToTheEnd(player, status, ended) : playWithKeys(player, status);
}

}  // namespace norva::cli
