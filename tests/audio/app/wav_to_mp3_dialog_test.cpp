#include "audio/app/wav_to_mp3_dialog.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>

#include "audio/fake_mp3_encoder.h"
#include "audio/service/lame_encoder.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::audio::app {
namespace {

namespace fs = std::filesystem;

class PickedFiles : public lyr::app::ListChoosers {
 public:
  QStringList chooseFiles(const desktop::FileDialogSetup& setup) override {
    filter = setup.filter;
    return files;
  }
  std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
  QStringList files;
  QString filter;
};

// Records, besides each message, whether it was shown from the window's thread.
class ThreadCheckingPrompter : public RecordingPrompter {
 public:
  Answer show(const Message& message) override {
    if (QThread::currentThread() != qApp->thread()) ++fromOtherThreads;
    return RecordingPrompter::show(message);
  }
  int fromOtherThreads = 0;
};

class WavToMp3DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(out);
    for (const char* name : {"a.wav", "b.wav"}) {
      std::ofstream(dir.path() / name) << "RIFF";
      choosers.files << QString::fromStdString((dir.path() / name).string());
    }
    encoder.setBehaviour([](const EncodeCall& call) {
      std::ofstream(call.target) << "mp3";
      return EncodeOutcome::Encoded;
    });
    dialog.addFiles();
    dialog.outputFolder()->setEditText(QString::fromStdString(out.string()));
  }

  // Waits for the end of the run: the window's thread handles the worker's reports meanwhile.
  bool waitForEnd() {
    QSignalSpy finished(&dialog, &WavToMp3Dialog::runFinished);
    return finished.wait(10000);
  }

  std::vector<bool> buttonsEnabled() const {
    std::vector<bool> enabled;
    for (QPushButton* button :
         {dialog.addButton(), dialog.deleteButton(), dialog.clearInputsButton(),
          dialog.startButton(), dialog.clearOutputsButton(), dialog.cancelButton()})
      enabled.push_back(button->isEnabled());
    return enabled;
  }

  QApplication& app = testing::offscreenApp<QApplication>();
  TempDir dir;
  fs::path out = dir.path() / "out";
  ThreadCheckingPrompter prompter;
  PickedFiles choosers;
  FakeMp3Encoder encoder;
  WavToMp3Dialog dialog{prompter, choosers, encoder};
};

const std::vector<bool> kIdle{true, true, true, true, true, false};
const std::vector<bool> kRunning{false, false, false, false, false, true};

TEST_F(WavToMp3DialogTest, ARunConvertsTheListAndSaysSoFromTheWindowsThread) {
  EXPECT_EQ(choosers.filter, "WAV files (*.wav) (*.wav)");  // the label, then the pattern
  ASSERT_EQ(dialog.inputs().size(), 2u);
  ASSERT_TRUE(dialog.start());
  EXPECT_TRUE(waitForEnd());
  EXPECT_FALSE(dialog.running());
  EXPECT_EQ(buttonsEnabled(), kIdle);
  EXPECT_FALSE(dialog.progressTimer()->isActive());
  ASSERT_EQ(dialog.outputTable()->topLevelItemCount(), 2);
  EXPECT_EQ(dialog.outputTable()->topLevelItem(0)->text(0), "a.mp3");
  EXPECT_EQ(dialog.outputTable()->topLevelItem(1)->text(0), "b.mp3");
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{{"转化完成.", "WAV转MP3", MessageIcon::Warning}}));
  EXPECT_EQ(prompter.fromOtherThreads, 0);
}

TEST_F(WavToMp3DialogTest, StartSetsEverythingBeforeTheWorkerAndRefusesASecondStartAndClosing) {
  encoder.holdCall(1);
  ASSERT_TRUE(dialog.start());
  // Whatever the worker has done so far, the window already shows the run.
  EXPECT_TRUE(dialog.running());
  EXPECT_EQ(buttonsEnabled(), kRunning);
  EXPECT_TRUE(dialog.progressTimer()->isActive());
  EXPECT_EQ(dialog.progressTimer()->interval(), 500);
  EXPECT_FALSE(dialog.start());
  EXPECT_FALSE(dialog.close());
  dialog.reject();
  const Message cancelFirst{"请先取消转化", "NORVA RD710歌词编辑软件", MessageIcon::Information};
  EXPECT_EQ(prompter.messages, (std::vector<Message>{cancelFirst, cancelFirst}));

  ASSERT_TRUE(encoder.waitForCalls(1));
  dialog.showProgress();
  dialog.showProgress();
  EXPECT_EQ(dialog.progressText()->text(), "a.wav.");
  dialog.cancelButton()->click();
  EXPECT_TRUE(waitForEnd());
  EXPECT_EQ(prompter.messages.back(), (Message{"转化被取消.", "WAV转MP3", MessageIcon::Warning}));
  EXPECT_EQ(encoder.calls().size(), 1u);
  EXPECT_EQ(dialog.outputTable()->topLevelItemCount(), 0);
  EXPECT_FALSE(fs::exists(out / "a.mp3"));
  EXPECT_EQ(buttonsEnabled(), kIdle);
  EXPECT_EQ(prompter.fromOtherThreads, 0);
}

TEST_F(WavToMp3DialogTest, StartRefusesABadFolderAndDoesNothingWithoutFiles) {
  const Message refused{"输出路径错误！            ", "NORVA MP3播放机转换软件",
                        MessageIcon::Error};
  for (const char* folder : {"/a", "C:", "/no/such/folder"}) {
    dialog.outputFolder()->setEditText(folder);
    EXPECT_FALSE(dialog.start()) << folder;
  }
  EXPECT_EQ(prompter.messages, (std::vector<Message>(3, refused)));
  EXPECT_FALSE(dialog.running());
  EXPECT_EQ(buttonsEnabled(), kIdle);

  dialog.clearInputs();
  EXPECT_FALSE(dialog.start());
  EXPECT_EQ(prompter.messages.size(), 3u);
  EXPECT_TRUE(encoder.calls().empty());
}

TEST(WavToMp3DialogWithLame, ConvertsAWavFileEndToEnd) {
  testing::offscreenApp<QApplication>();
  TempDir dir;
  const fs::path wav = dir.path() / "tone.wav";
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(wav.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  const std::vector<short> silence(2205);
  sf_writef_short(file, silence.data(), 2205);
  sf_close(file);

  RecordingPrompter prompter;
  PickedFiles choosers;
  choosers.files << QString::fromStdString(wav.string());
  LameEncoder encoder;
  WavToMp3Dialog dialog(prompter, choosers, encoder);
  dialog.addFiles();
  dialog.outputFolder()->setEditText(QString::fromStdString(dir.path().string()));
  QSignalSpy finished(&dialog, &WavToMp3Dialog::runFinished);
  ASSERT_TRUE(dialog.start());
  ASSERT_TRUE(finished.wait(10000));
  ASSERT_EQ(dialog.outputTable()->topLevelItemCount(), 1);
  EXPECT_EQ(dialog.outputTable()->topLevelItem(0)->text(0), "tone.mp3");
  const std::vector<uint8_t> mp3 = readWholeFile(dir.path() / "tone.mp3").bytes;
  ASSERT_GE(mp3.size(), 2u);
  EXPECT_EQ(mp3[0], 0xFF);
  EXPECT_EQ(prompter.messages.back().text, "转化完成.");
}

}  // namespace
}  // namespace norva::audio::app
