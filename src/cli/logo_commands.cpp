// norva logo: a picture to the player's logo, as the logo converter does it, and a text view
// of a logo.
#include <charconv>
#include <iostream>
#include <optional>

#include "base/service/file_io.h"
#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "cli/stdio_files.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "logo/logo_messages.h"
#include "logo/opened_picture.h"

#ifdef NORVA_CLI_HAS_PICTURE_PLUGIN
#include "cli/picture_plugin.h"
#else
#include "logo/lgo_reader.h"
#include "logo/service/lgo_files.h"
#include "logo/wbmp_reader.h"
#endif

namespace norva::cli {
namespace {

using namespace norva::logo;

// The picture of `path` as the logo converter opens it; nothing, with the reason on stderr,
// when the readers are not there.
std::optional<OpenedPicture> openForCli(const std::string& path) {
#ifdef NORVA_CLI_HAS_PICTURE_PLUGIN
  std::string error;
  std::optional<OpenedPicture> opened = openPictureThroughPlugin(path, error);
  if (!opened)
    sayLine(std::string("pictures are read by the picture plugin ") + kPicturesLibraryName +
            ", which cannot be loaded (reinstall norva, or name the plugin file in " +
            kPicturesLibraryVariable + "): " + error);
  return opened;
#else
  // Without Qt only the converter's own readers are built: WBMP, then LGO.
  std::optional<RgbImage> image;
  std::optional<bool> reversedBits;
  const ReadResult read = readWholeFile(path, 64u << 20);
  if (read.status == ReadResult::Status::Ok) image = decodeWbmp(read.bytes);
  if (!image && hasLgoExtension(path)) {
    if (auto lgo = readLgoFile(path)) {
      reversedBits = lgo->reversedBits;
      image = renderLogo(*lgo);
    }
  }
  return finishOpening(std::move(image), reversedBits, path);
#endif
}

constexpr std::string_view kUsage =
    "logo IN -o OUT.lgo [--threshold T] | logo --show FILE [--threshold T]";

}  // namespace

int runLogo(Args args) {
  static constexpr std::string_view kValued[] = {"-o", "--threshold", "--show"};
  static constexpr std::string_view kFlags[] = {"--overwrite"};
  const Arguments parsed(args, kValued, kFlags);
  if (!parsed.ok()) return usageError(parsed.error(), kUsage);
  const auto show = parsed.value("--show");
  const auto out = parsed.value("-o");
  if (show.has_value() == out.has_value() || parsed.positionals().size() != (show ? 0u : 1u))
    return usageError(show ? "--show FILE takes no other file" : "IN and -o OUT.lgo needed",
                      kUsage);
  int threshold = kThresholdDefault;
  if (const auto t = parsed.value("--threshold")) {
    const auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), threshold);
    if (ec != std::errc() || end != t->data() + t->size() || threshold < 0 ||
        threshold > kThresholdMax)
      return usageError("--threshold takes a whole number from 0 to 765", kUsage);
  }

  CliPrompter prompter(std::cerr, Answer::Ok);
  const std::string input = show ? *show : parsed.positionals().front();
  if (out) {
    if (auto refused = refuseOutputOverInput({input}, *out)) return *refused;
  }
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(input);
  const std::optional<std::string> outputFile = out ? stdio.output(*out) : std::nullopt;
  if (!inputFile || (out && !outputFile)) return kExitRefused;
  const CommandFiles files{{input}, out};

  const std::optional<OpenedPicture> opened = openForCli(*inputFile);
  if (!opened) return kExitRefused;
  if (opened->status == OpenStatus::Failed) {
    prompter.show(Message{kOpenFailedText, kLogoCaption, MessageIcon::Warning, MessageButtons::Ok});
    return refuseCommand(files, input, "the logo converter cannot open it");
  }
  if (opened->status == OpenStatus::NothingLoaded)
    return refuseCommand(files, input, "no picture the logo converter reads");

  LogoBitmap logo;
  convertToLogo(opened->picture, threshold, logo);
  if (show) {
    std::cout << logo.width << " x " << logo.height << '\n' << logoAsBlockText(logo);
    return kExitDone;
  }
  // Like every norva command (and compilers), an existing output is replaced without asking; the
  // write is atomic, so a failure leaves the old file.
  const WriteResult written =
      writeFileAtomically(*outputFile, encodeLgo(logo, opened->lgoReversedBits.value_or(false)));
  if (!written.ok()) return refuseCommand(files, *out, "cannot be written: " + written.error);
  return stdio.finish(kExitDone);
}

}  // namespace norva::cli
