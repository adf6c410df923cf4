#pragma once
// The explorer window against the real player library and a simulated player in a temporary
// folder, with recorded messages, a recording command handler and preview, and settings in
// the same folder.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTreeWidget>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "base/recording_prompter.h"
#include "device/app/device_command_handler.h"
#include "device/app/device_worker.h"
#include "device/app/explorer_services.h"
#include "device/app/gui_thread_prompter.h"
#include "device/app/trelliq_window.h"
#include "device/service/player_state.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::device {

class RecordingHandler : public DeviceCommandHandler {
 public:
  bool handles(int commandId) const override { return commandId == 32785 || commandId == 32793; }
  bool isEnabled(int) const override { return enabled; }
  DeviceCommandOutcome run(int commandId, QWidget*) override {
    ran.push_back(commandId);
    return outcome;
  }
  DeviceCommandOutcome showMediumInformation(int drive, QWidget*) override {
    mediumDrives.push_back(drive);
    return DeviceCommandOutcome::Done;
  }
  bool enabled = true;
  DeviceCommandOutcome outcome = DeviceCommandOutcome::Done;
  std::vector<int> ran;
  std::vector<int> mediumDrives;
};

// A prompter whose answers may run code first (to change the world while a question waits).
class ScriptedPrompter : public Prompter {
 public:
  Answer show(const Message& message) override {
    messages.push_back(message);
    if (!steps.empty()) {
      auto step = std::move(steps.front());
      steps.pop_front();
      return step(message);
    }
    return message.buttons == MessageButtons::Ok ? Answer::Ok : fallback;
  }
  std::vector<Message> messages;
  std::deque<std::function<Answer(const Message&)>> steps;
  Answer fallback = Answer::Yes;
};

struct PreviewCall {
  QString path;
  bool isMp3;
};

class TrelliqTest : public ::testing::Test {
 protected:
  TrelliqTest() {
    ::setenv("NORVA_PLAYER_DIR", (dir.path() / "player").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    ::setenv("NORVA_TCC730_LIBRARY", NORVA_TCC730_PATH, 1);
    std::filesystem::create_directories(pcFolder());
    settings = std::make_unique<DeviceSettings>(iniPath());
    settings->setText(SettingKey{"Desktop", "LastDirectory"}, pcFolder().string());
  }
  ~TrelliqTest() override {
    if (window) window->close();
    window.reset();
    if (link) link->Shutdown();
  }

  std::filesystem::path pcFolder() const { return dir.path() / "pc"; }
  std::string iniPath() const { return (dir.path() / "Trelliq.ini").string(); }

  // A player with a 16 MiB card, and the window over it.
  void open(bool createPlayer = true) {
    if (createPlayer) {
      ASSERT_EQ(state.create(16u), PlayerStateOutcome::Done);
    }
    link = std::make_unique<DeviceLink>(prompter, *settings);
    ASSERT_TRUE(link->Initialize());
    services = std::make_unique<ExplorerServices>(
        ExplorerServices{*link, *settings, prompter, worker, handler,
                         [this](const QUrl& url) {
                           opened.push_back(url);
                           return true;
                         },
                         [this](QWidget*, const QString& path, bool isMp3) {
                           previews.push_back({path, isMp3});
                         }});
    window = std::make_unique<TrelliqWindow>(*services);
    window->resize(900, 600);
    window->show();
  }

  std::filesystem::path writePcFile(const std::string& name, size_t size, long mtime = 0) {
    const auto path = pcFolder() / name;
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    if (mtime != 0) {
      const timeval times[2] = {{mtime, 0}, {mtime, 0}};
      ::utimes(path.c_str(), times);
    }
    return path;
  }

  // Puts PC files on a drive through the link, before or after the window exists.
  void putOnPlayer(int drive, std::initializer_list<std::pair<const char*, size_t>> files) {
    TransferList list;
    for (const auto& [name, size] : files) {
      const auto source = dir.path() / "staging" / name;
      std::filesystem::create_directories(source.parent_path());
      std::ofstream(source, std::ios::binary) << std::string(size, 'p');
      list.add({source.string(), -1, 0, {}});
    }
    ASSERT_EQ(link->DownloadFiles(nullptr, drive, list), 0u);
  }

  static QStringList names(QTreeWidget& list) {
    QStringList out;
    for (int row = 0; row < list.topLevelItemCount(); ++row) out << list.topLevelItem(row)->text(0);
    return out;
  }
  static QStringList selectedNames(QTreeWidget& list) {
    QStringList out;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
      if (list.topLevelItem(row)->isSelected()) out << list.topLevelItem(row)->text(0);
    return out;
  }
  static void select(QTreeWidget& list, const QStringList& which) {
    list.clearSelection();
    for (int row = 0; row < list.topLevelItemCount(); ++row)
      if (which.contains(list.topLevelItem(row)->text(0)))
        list.topLevelItem(row)->setSelected(true);
  }

  // Waits for the worker's operation to end.
  void waitForWorker(QSignalSpy& finished) {
    if (finished.isEmpty()) {
      ASSERT_TRUE(finished.wait(20000));
    }
  }

  QApplication& app = norva::testing::offscreenApp<QApplication>();
  TempDir dir;
  FolderPlayerState state{dir.path() / "player"};
  ScriptedPrompter shown;
  std::unique_ptr<DeviceSettings> settings;
  GuiThreadPrompter prompter{shown, app};
  DeviceWorker worker;
  RecordingHandler handler;
  std::unique_ptr<DeviceLink> link;
  std::unique_ptr<ExplorerServices> services;
  std::unique_ptr<TrelliqWindow> window;
  std::vector<QUrl> opened;
  std::vector<PreviewCall> previews;
};

}  // namespace norva::device
