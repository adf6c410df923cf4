// sontrava: the lyric editor. Opens, edits and saves lyric texts and compiles them for the
// player.
#include <QApplication>
#include <QMetaObject>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_messages.h"
#include "audio/null_output.h"
#include "audio/service/media_player.h"
#include "audio/service/system_output.h"
#include "desktop/about_dialog.h"
#include "desktop/file_dialogs.h"
#include "desktop/program_settings.h"
#include "desktop/qt_prompter.h"
#include "desktop/stderr_prompter.h"
#include "editor/app/command_icons.h"
#include "editor/app/sontrava_window.h"
#include "editor/app/view_services.h"
#include "editor/editor_messages.h"
#include "editor/startup.h"

using namespace norva::editor;

namespace {

constexpr const char* kUsage =
    "usage: sontrava [/LYR|/Lrc|/TLY] [FILE] [--screenshot PNG]\n"
    "  FILE              a lyric text to open (.txt .tly .smi .lyr .lrc)\n"
    "  --screenshot PNG  open FILE, write the main window to PNG and end; messages go to\n"
    "                    standard error and end the program with status 1\n"
    "  --help            this text\n"
    "  --version         the program's version\n";

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool printed(const char* text) {
  std::fputs(text, stdout);
  return std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The start folder, before anything may change the current folder: relative paths on the
  // command line are taken against it.
  std::error_code error;
  const std::filesystem::path startFolder = std::filesystem::current_path(error);
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return printed(kUsage) ? 0 : 1;
    if (arg == "--version") return printed("sontrava " NORVA_VERSION "\n") ? 0 : 1;
  }
  StartupCommand start;
  if (parseStartup(args, startFolder, start) != StartupParse::Ok) {
    std::fprintf(stderr, "sontrava: --screenshot needs a file name\n%s", kUsage);
    return 2;
  }

  QApplication app(argc, argv);
  norva::desktop::setProgramIdentity(qt(text::kAppName));
  QApplication::setWindowIcon(applicationIcon());

  norva::desktop::QtPrompter windowPrompter;
  norva::desktop::StderrPrompter screenshotPrompter;
  norva::Prompter& prompter =
      start.screenshot ? static_cast<norva::Prompter&>(screenshotPrompter) : windowPrompter;
  norva::desktop::QtFileDialogs dialogs(nullptr);
  QtFontChooser fonts;
  QtTextPrinter printer;
  const std::unique_ptr<QSettings> settings =
      norva::desktop::openProgramSettings(qt(text::kAppName));

  // The players' sound: the desktop's sound device, or the null device with a message when
  // none opens. The device is chosen on a player's worker thread; the message is shown on the
  // window's.
  const auto soundOutput = [&prompter] {
    return norva::audio::makeSystemOutput(
        std::make_unique<norva::audio::NullOutput>(norva::audio::NullOutput::Pace::RealTime),
        [&prompter](const std::string& why) {
          QMetaObject::invokeMethod(
              qApp,
              [&prompter, text = norva::audio::noSoundDeviceText(why)] {
                norva::tell(prompter, text, text::kAppName, norva::MessageIcon::Warning);
              },
              Qt::QueuedConnection);
        });
  };
  // The sync commands' player.
  norva::audio::MediaPlayer player(soundOutput());

  SontravaEnvironment env;
  env.prompter = &prompter;
  env.dialogs = &dialogs;
  env.fonts = &fonts;
  env.printer = &printer;
  env.openUrl = norva::desktop::openWithDesktop;
  env.programPath = QApplication::applicationFilePath();
  env.settings = settings.get();
  env.mediaPlayer = &player;
  env.showAbout = [](QWidget* parent) {
    const norva::desktop::AboutTexts texts{
        qt(text::kAboutTitle),
        qt(text::kAboutLine).replace(QStringLiteral("%s"), QStringLiteral(NORVA_VERSION)),
        qt(text::kWebAddress)};
    norva::desktop::AboutDialog(texts, norva::desktop::openWithDesktop, parent).exec();
  };

  // The verify dialog has a player of its own for each time it opens.
  env.makeVerifyPlayer = [&soundOutput]() -> std::unique_ptr<norva::audio::MediaPlayback> {
    return std::make_unique<norva::audio::MediaPlayer>(soundOutput());
  };

  SontravaWindow window(env);
  windowPrompter.setParent(&window);
  // The file opens before the window shows; a file that cannot be opened ends the program.
  if (start.file &&
      window.openPath(QString::fromStdString(start.file->string())) != CommandOutcome::Done) {
    std::fprintf(stderr, "sontrava: cannot open %s\n", start.file->c_str());
    return 1;
  }
  window.show();

  if (start.screenshot) {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const bool saved =
        window.grab().save(QString::fromStdString(start.screenshot->string()), "PNG");
    if (!saved) std::fprintf(stderr, "sontrava: cannot write %s\n", start.screenshot->c_str());
    return saved && !screenshotPrompter.anythingShown() ? 0 : 1;
  }
  return QApplication::exec();
}
