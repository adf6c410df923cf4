#pragma once
// A DeviceLink over the fake library, with recorded messages and settings in a fresh folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>

#include "base/recording_prompter.h"
#include "device/service/device_link.h"
#include "fake_tcc730.h"
#include "test_support/temp_dir.h"

namespace norva::device {

class ScriptedChooser : public FileChooser {
 public:
  std::optional<std::string> answer;
  std::vector<std::string> titles;
  std::vector<std::string> filters;
  std::vector<std::string> initialPaths;
  std::optional<std::string> chooseFileToOpen(void*, const std::string& title,
                                              const std::string& filter,
                                              const std::string& initialPath) override {
    titles.push_back(title);
    filters.push_back(filter);
    initialPaths.push_back(initialPath);
    return answer;
  }
};

class RecordingLauncher : public ViewerLauncher {
 public:
  std::vector<std::pair<std::string, std::vector<std::string>>> started;
  bool start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.emplace_back(program, arguments);
    return true;
  }
};

class DeviceLinkTest : public ::testing::Test {
 protected:
  DeviceLinkTest() : settings((dir.path() / "Trelliq.ini").string()) {
    link.setFileChooser(&chooser);
    link.setViewerLauncher(&launcher);
  }

  void answer(std::deque<Answer> answers) { prompter = RecordingPrompter(std::move(answers)); }

  // Initializes and connects with both drives read.
  void connect() {
    ASSERT_TRUE(link.Initialize());
    int count = 0;
    int mask = 0;
    ASSERT_TRUE(link.Connect(true, count, mask));
  }

  void putFiles(int drive, std::initializer_list<const char*> names) {
    for (const char* name : names) fake.files[drive].push_back({name, 1000});
  }

  std::vector<EntryRef> listed(int drive) {
    TransferList list;
    EXPECT_TRUE(link.ListDrive(drive, list, true));
    std::vector<EntryRef> refs;
    for (const auto& item : list.items()) refs.push_back({item.index, item.text});
    return refs;
  }

  TempDir dir;
  FakePlayer fake;
  RecordingPrompter prompter;
  DeviceSettings settings;
  ScriptedChooser chooser;
  RecordingLauncher launcher;
  DeviceLink link{prompter, settings, [](std::string&) { return FakePlayer::functions(); }};
};

}  // namespace norva::device
