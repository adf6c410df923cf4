#pragma once
// The device commands against the simulated player: a fresh player state folder, settings
// folder and program folder per test, the player library loaded from the build, recorded
// messages, scripted file dialogs, recorded links and dialogs answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QUrl>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "desktop/env_scope.h"
#include "desktop/scripted_file_dialogs.h"
#include "device/app/device_commands.h"
#include "device/app/gui_thread_prompter.h"
#include "device/service/device_link.h"
#include "device/service/player_state.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::device {

inline std::string fileContents(const std::filesystem::path& path) {
  const ReadResult read = readWholeFile(path);
  return {read.bytes.begin(), read.bytes.end()};
}

// Every file of a folder with its bytes.
inline std::map<std::string, std::string> folderSnapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[entry.path().lexically_relative(folder).string()] = fileContents(entry.path());
  return files;
}

inline QString hexFixture(const char* name) {
  return QString::fromUtf8(NORVA_TEST_DATA_DIR) + "/hex/" + QString::fromUtf8(name);
}

class DeviceAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::offscreenApp<QApplication>();
    for (const auto& [name, value] :
         {std::pair<const char*, std::string>{"NORVA_PLAYER_DIR", playerDir().string()},
          {"NORVA_TCC730_LIBRARY", NORVA_TCC730_PATH},
          {"XDG_CONFIG_HOME", (dir.path() / "config").string()},
          {"TMPDIR", dir.path().string()},
          {"MTOOLS_SKIP_CHECK", "1"}})
      environment.push_back(std::make_unique<testing::EnvScope>(name, value));
    std::filesystem::create_directories(programFolder());
    ASSERT_EQ(state.create(cardMiB()), PlayerStateOutcome::Done);
    settings = std::make_unique<DeviceSettings>(settingsFile().string());
    link = std::make_unique<DeviceLink>(prompter, *settings);
    ASSERT_TRUE(link->Initialize());
    RefreshPlayerPane(*link, pane, false);
    ASSERT_EQ(pane.driveCount, 2);
    commands = std::make_unique<DeviceCommands>(DeviceCommandsEnvironment{
        *link,
        *settings,
        prompter,
        dialogs,
        [this](const QUrl& url) {
          opened.push_back(url);
          return opens;
        },
        programFolder() / "trelliq",
        pane,
        [this] { return QString::fromStdString((dir.path() / "desktop").string()); },
        [this](int drive) { refreshedDrives.push_back(drive); },
        [this] { ++desktopRefreshes; },
        runWithProgress,
        [this](QDialog& dialog) { return answer(dialog); },
    });
  }
  void TearDown() override {
    commands.reset();
    link->Shutdown();
    while (!environment.empty()) environment.pop_back();
  }

  virtual std::optional<uint32_t> cardMiB() const { return std::nullopt; }
  std::filesystem::path playerDir() const { return dir.path() / "player"; }
  std::filesystem::path programFolder() const { return dir.path() / "program"; }
  // QSettings finds the user's folder once per process, so each test names its own file.
  std::filesystem::path settingsFile() const {
    return dir.path() / "config" / "Norva" / "Trelliq.conf";
  }

  // Opens the dialog without blocking, lets the test look at it, and closes it with
  // `dialogResult` unless it closed itself.
  int answer(QDialog& dialog) {
    dialog.open();
    QCoreApplication::processEvents();
    shownDialogs.push_back(dialog.windowTitle());
    stillOpen = dialog.isVisible();
    if (onDialog) onDialog(dialog);
    if (dialog.isVisible()) dialog.done(dialogResult);
    return dialog.result();
  }

  TempDir dir;
  std::vector<std::unique_ptr<testing::EnvScope>> environment;
  FolderPlayerState state{playerDir()};
  RecordingPrompter recorded;
  GuiThreadPrompter prompter{recorded, testing::offscreenApp<QApplication>()};
  std::unique_ptr<DeviceSettings> settings;
  std::unique_ptr<DeviceLink> link;
  desktop::ScriptedFileDialogs dialogs;
  PlayerPane pane;
  std::vector<QUrl> opened;
  bool opens = true;
  std::vector<int> refreshedDrives;
  int desktopRefreshes = 0;
  std::vector<QString> shownDialogs;
  bool stillOpen = false;
  int dialogResult = QDialog::Rejected;
  std::function<void(QDialog&)> onDialog;
  std::unique_ptr<DeviceCommands> commands;
};

}  // namespace norva::device
