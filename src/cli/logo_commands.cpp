// norva logo: a picture to the player's logo, as the logo converter does it, and a text view
// of a logo.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>

#include "base/service/file_io.h"
#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "logo/lgo_reader.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "logo/logo_messages.h"
#include "logo/opened_picture.h"
#include "logo/service/lgo_files.h"
#include "logo/wbmp_reader.h"

#ifdef NORVA_CLI_HAS_PICTURE_LOADER
#include <QFile>
#include <QString>
#include <QtGlobal>

#include "logo/service/picture_loader.h"
#endif

namespace norva::cli {
namespace {

using namespace norva::logo;

#ifdef NORVA_CLI_HAS_PICTURE_LOADER
// Qt's image readers warn on stderr about damaged files ("QBuffer::seek: Invalid pos",
// "qt.gui.imageio.jpeg: ..."); norva says itself what became of the file.
void dropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}
#endif

OpenedPicture openForCli(const std::string& path) {
#ifdef NORVA_CLI_HAS_PICTURE_LOADER
  const QtMessageHandler previous = qInstallMessageHandler(dropQtMessages);
  OpenedPicture opened = openPicture(QFile::decodeName(path.c_str()), PictureLoaderOptions{});
  qInstallMessageHandler(previous);
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

constexpr const char* kUsage =
    "usage: norva logo IN -o OUT.lgo [--threshold T]\n"
    "       norva logo --show FILE [--threshold T]\n";

}  // namespace

int runLogo(Args args) {
  static constexpr std::string_view kValued[] = {"-o", "--threshold", "--show"};
  static constexpr std::string_view kFlags[] = {"--overwrite"};
  const Arguments parsed(args, kValued, kFlags);
  const auto show = parsed.value("--show");
  const auto out = parsed.value("-o");
  if (!parsed.ok() || (show.has_value() == out.has_value()) ||
      parsed.positionals().size() != (show ? 0u : 1u)) {
    std::cerr << (parsed.ok() ? "" : "norva logo: " + parsed.error() + "\n") << kUsage;
    return kExitUsage;
  }
  int threshold = kThresholdDefault;
  if (const auto t = parsed.value("--threshold")) {
    const auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), threshold);
    if (ec != std::errc() || end != t->data() + t->size() || threshold < 0 ||
        threshold > kThresholdMax) {
      std::cerr << "norva logo: --threshold takes a whole number from 0 to 765\n";
      return kExitUsage;
    }
  }

  CliPrompter prompter(std::cerr, Answer::Ok);
  const std::string input = show ? *show : parsed.positionals().front();
  if (out) {
    if (auto refused = refuseOutputOverInput({input}, *out)) return *refused;
  }
  OpenedPicture opened = openForCli(input);
  if (opened.status == OpenStatus::Failed) {
    prompter.show(Message{kOpenFailedText, kLogoCaption, MessageIcon::Warning, MessageButtons::Ok});
    return kExitRefused;
  }
  if (opened.status == OpenStatus::NothingLoaded) {
    std::cerr << "norva logo: " << input << " is no picture the logo converter reads\n";
    return kExitRefused;
  }

  LogoBitmap logo;
  convertToLogo(opened.picture, threshold, logo);
  if (show) {
    std::cout << logo.width << " x " << logo.height << '\n' << logoAsBlockText(logo);
    return kExitDone;
  }
  // Like every norva command (and compilers), an existing output is replaced without asking; the
  // write is atomic, so a failure leaves the old file.
  const WriteResult written =
      writeFileAtomically(*out, encodeLgo(logo, opened.lgoReversedBits.value_or(false)));
  if (!written.ok()) {
    std::cerr << "norva logo: " << written.error << '\n';
    return kExitRefused;
  }
  return kExitDone;
}

}  // namespace norva::cli
