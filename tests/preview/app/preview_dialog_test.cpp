#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "audio/null_output.h"
#include "base/service/file_io.h"
#include "preview/app/manual_ticks.h"
#include "preview/app/preview_player_dialog.h"
#include "preview/lyric_body.h"
#include "preview/synthetic_stream.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::preview {
namespace {

using audio::NullOutput;
using namespace std::chrono_literals;

constexpr auto kGenerous = std::chrono::milliseconds(60'000);

// MPEG 1 Layer III, 128 kbit/s, 48 kHz: 384-byte frames of exactly 24 ms.
constexpr std::array<uint8_t, 4> kHeader48k{0xFF, 0xFB, 0x94, 0x44};
constexpr size_t kFrames = 400;

const std::vector<std::pair<uint16_t, std::string>> kThreeScreens{
    {0, "first"}, {35, "second\rline"}, {72, "third"}};

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  const auto written = writeFileAtomically(path, bytes);
  ASSERT_TRUE(written.ok()) << written.error;
}

QString qpath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

class PreviewDialogTest : public ::testing::Test {
 protected:
  PreviewDialogTest() { norva::testing::offscreenApp<QApplication>(); }

  // An MP3 of 400 frames with (or without) the three-screen lyric beside it as "Song.lyr".
  QString songWithLyric(bool withLyric = true) {
    const auto mp3 = dir.path() / "Song.mp3";
    writeFile(mp3, test::frames(kFrames, kHeader48k));
    if (withLyric)
      writeFile(dir.path() / "Song.lyr", test::lyrFile(test::lyricBody(kThreeScreens)));
    return qpath(mp3);
  }

  PreviewEnvironment environment() {
    PreviewEnvironment env;
    env.makeOutput = [this] {
      auto device = std::make_unique<NullOutput>(NullOutput::Pace::Stepped);
      device->setVolume(startLevel);
      device_ = device.get();
      return device;
    };
    env.makeTicks = makeManualTicks;
    return env;
  }

  PreviewPlayerDialog& open(const QString& path, bool isMp3 = true) {
    dialog = std::make_unique<PreviewPlayerDialog>(path, isMp3, environment());
    return *dialog;
  }

  PreviewPlayerController& controller() { return dialog->controller(); }
  ManualTicks& progress() { return static_cast<ManualTicks&>(controller().progressTicks()); }
  ManualTicks& infoRefresh() { return static_cast<ManualTicks&>(controller().infoTicks()); }
  QString lyricPart() { return dialog->statusBar().lyricPart().text(); }
  QString timePart() { return dialog->statusBar().timePart().text(); }

  // Lets the device play up to `frames` blocks in all since the start, then one progress tick.
  void playTo(uint64_t frames) {
    device_->allowBlocks(frames - allowed_);
    allowed_ = frames;
    ASSERT_TRUE(device_->waitForBlocksReported(frames, kGenerous)) << frames;
    progress().fire();
  }

  uint32_t startLevel = 0xFFFFFFFFu;
  TempDir dir;
  std::unique_ptr<PreviewPlayerDialog> dialog;
  NullOutput* device_ = nullptr;
  uint64_t allowed_ = 0;
};

TEST_F(PreviewDialogTest, FirstPlayReadsTheVolumeFromTheDeviceBeforeAnyEngineExists) {
  // A file that does not open leaves no engine; the slider still shows the device's volume.
  struct Row {
    uint32_t level;
    int shown;
  };
  const Row rows[] = {
      {0x00000000u, 0}, {0x7FFF7FFFu, 49}, {0x80008000u, 50}, {0xFFFEFFFEu, 99}, {0xFFFFFFFFu, 99},
  };
  const auto junk = dir.path() / "junk.mp3";
  writeFile(junk, std::vector<uint8_t>(100, 0x11));
  const QString good = songWithLyric();
  for (const auto& row : rows) {
    startLevel = row.level;
    open(qpath(junk));
    EXPECT_EQ(controller().state(), PlayState::Stopped);
    EXPECT_FALSE(controller().hasEngine());
    EXPECT_EQ(controller().lastOpenOutcome(), OpenOutcome::NoStream);
    EXPECT_FALSE(progress().active());
    EXPECT_EQ(dialog->volumeSlider().value(), row.shown) << std::hex << row.level;
    dialog.reset();

    open(good);
    EXPECT_EQ(controller().state(), PlayState::Playing);
    EXPECT_TRUE(controller().hasEngine());
    EXPECT_EQ(dialog->volumeSlider().value(), row.shown) << std::hex << row.level;
    dialog.reset();
  }
}

TEST_F(PreviewDialogTest, TitleNamePanelAndStatusParts) {
  auto& d = open(songWithLyric());
  EXPECT_EQ(d.windowTitle(), QStringLiteral("MP3 Player - \"") + qpath(dir.path() / "Song.mp3") +
                                 QStringLiteral("\""));
  EXPECT_EQ(d.infoPanel().text(), QStringLiteral("Song.mp3"));
  EXPECT_EQ(d.button(PreviewCommand::Play).text(), QStringLiteral("播放(&P)"));
  EXPECT_EQ(d.button(PreviewCommand::Pause).text(), QStringLiteral("暂停(&Z)"));
  EXPECT_EQ(d.button(PreviewCommand::Stop).text(), QStringLiteral("停止(&S)"));
  EXPECT_EQ(d.button(PreviewCommand::Close).text(), QStringLiteral("关闭(&C)"));
  EXPECT_EQ(d.volumeSlider().maximum(), 100);
  EXPECT_EQ(d.volumeSlider().tickInterval(), 20);
  EXPECT_EQ(d.positionSlider().maximum(), 1000);

  d.resize(360, 220);
  d.show();
  QCoreApplication::processEvents();
  auto& status = d.statusBar();
  EXPECT_GE(status.height(), 22);
  EXPECT_EQ(status.width(), d.width());
  // Part 1 is the last 40 pixels, part 0 everything left of it.
  EXPECT_EQ(status.timePart().geometry().right(), status.width() - 1);
  EXPECT_EQ(status.timePart().width(), 40);
  EXPECT_EQ(status.lyricPart().geometry().left(), 0);
  EXPECT_EQ(status.lyricPart().geometry().right(), status.width() - 41);
  EXPECT_EQ(status.grab().toImage().pixelColor(status.width() - 50, 1), QColor(212, 212, 212));
  EXPECT_EQ(lyricPart(), QString());
}

TEST_F(PreviewDialogTest, EachScreenAppearsOnceItsTimeHasPassed) {
  // Screens at 0.0, 3.5 and 7.2 s; 24 ms frames, so t = frames x 24 / 100 (whole tenths).
  struct Row {
    uint64_t frames;
    const char* time;
    QString lyric;
  };
  const Row rows[] = {
      {4, " 00:00 ", QString()},                         // t = 0: not past the first
      {5, " 00:00 ", QStringLiteral("first")},           // t = 1
      {149, " 00:03 ", QStringLiteral("first")},         // t = 35
      {150, " 00:03 ", QStringLiteral("second\rline")},  // t = 36
      {304, " 00:07 ", QStringLiteral("second\rline")},  // t = 72
      {305, " 00:07 ", QStringLiteral("third")},         // t = 73
  };
  open(songWithLyric());
  for (const auto& row : rows) {
    playTo(row.frames);
    EXPECT_EQ(timePart(), QString::fromLatin1(row.time)) << row.frames;
    EXPECT_EQ(lyricPart(), row.lyric) << row.frames;
  }
  EXPECT_EQ(dialog->positionSlider().value(), 763);  // 305 of 400 frames
}

TEST_F(PreviewDialogTest, ScreenChangeEmptiesThePartBeforeWritingTheNewScreen) {
  open(songWithLyric());
  QSignalSpy spy(&controller(), &PreviewPlayerController::lyricTextChanged);
  playTo(5);
  playTo(6);
  ASSERT_EQ(spy.size(), 3);
  EXPECT_EQ(spy[0][0].toString(), QString());
  EXPECT_EQ(spy[1][0].toString(), QStringLiteral("first"));
  EXPECT_EQ(spy[2][0].toString(), QStringLiteral("first"));
}

TEST_F(PreviewDialogTest, ScreensFromAnMprHead) {
  const auto mpr = dir.path() / "Song.MPR";
  writeFile(mpr, test::concat(test::lyricBody(kThreeScreens, 1, 1024),
                              test::frames(kFrames, kHeader48k)));
  open(qpath(mpr), false);
  ASSERT_EQ(controller().state(), PlayState::Playing);
  playTo(5);
  EXPECT_EQ(lyricPart(), QStringLiteral("first"));
  playTo(150);
  EXPECT_EQ(lyricPart(), QStringLiteral("second\rline"));
}

TEST_F(PreviewDialogTest, MissingLyricMessagesNameTheFileRead) {
  struct Row {
    const char* media;
    bool isMp3;
    const char* lyricFile;  // what is beside the media, if anything
    QString message;        // then the path read, in double quotes
    const char* readName;
  };
  const Row rows[] = {
      {"a.mp3", true, nullptr, QStringLiteral("无对应的歌词文件"), "a.LYR"},
      // Only the header block: a LYR of 512 bytes has no lyric.
      {"b.mp3", true, "b.LYR", QStringLiteral("无对应的歌词文件"), "b.LYR"},
      // The head of an MPR that is only MP3 data: its byte 16 is no font class.
      {"c.mpr", false, nullptr, QStringLiteral("No sync lyric!"), "c.mpr"},
  };
  for (const auto& row : rows) {
    const auto media = dir.path() / row.media;
    writeFile(media, test::frames(kFrames, kHeader48k));
    if (row.lyricFile) writeFile(dir.path() / row.lyricFile, std::vector<uint8_t>(512, 0));
    open(qpath(media), row.isMp3);
    const QString expected =
        row.message + QChar('"') + qpath(dir.path() / row.readName) + QChar('"');
    EXPECT_EQ(lyricPart(), expected) << row.media;
    EXPECT_EQ(controller().state(), PlayState::Playing) << row.media;
    // Playing goes on without a lyric; the message stays.
    playTo(60);
    EXPECT_EQ(timePart(), QStringLiteral(" 00:01 ")) << row.media;
    EXPECT_EQ(lyricPart(), expected) << row.media;
    dialog.reset();
    allowed_ = 0;
  }
}

TEST_F(PreviewDialogTest, PauseFreezesTimeAndLyricUntilPlay) {
  open(songWithLyric());
  playTo(150);
  ASSERT_EQ(lyricPart(), QStringLiteral("second\rline"));
  QTest::mouseClick(&dialog->button(PreviewCommand::Pause), Qt::LeftButton);
  ASSERT_EQ(controller().state(), PlayState::Paused);
  // The engine moves on (a seek to 80 %, frame 320), the window does not while paused.
  controller().endPositionScroll(800);
  EXPECT_TRUE(progress().active());
  progress().fire(3);
  EXPECT_EQ(timePart(), QStringLiteral(" 00:03 "));
  EXPECT_EQ(lyricPart(), QStringLiteral("second\rline"));

  QTest::mouseClick(&dialog->button(PreviewCommand::Play), Qt::LeftButton);
  EXPECT_EQ(controller().state(), PlayState::Playing);
  progress().fire();
  EXPECT_EQ(timePart(), QStringLiteral(" 00:07 "));  // 320 x 24 ms
  EXPECT_EQ(lyricPart(), QStringLiteral("third"));
}

TEST_F(PreviewDialogTest, StopWritesTheZeroTimeAndEmptiesTheLyricPart) {
  open(songWithLyric());
  playTo(150);
  QTest::mouseClick(&dialog->button(PreviewCommand::Stop), Qt::LeftButton);
  EXPECT_EQ(controller().state(), PlayState::Stopped);
  EXPECT_FALSE(controller().hasEngine());
  EXPECT_FALSE(progress().active());
  EXPECT_FALSE(infoRefresh().active());
  EXPECT_EQ(timePart(), QStringLiteral(" 00:00 "));
  EXPECT_EQ(lyricPart(), QString());
  EXPECT_EQ(dialog->positionSlider().value(), 0);

  // Play again: the lyric and the file from their start, on the same device.
  QTest::mouseClick(&dialog->button(PreviewCommand::Play), Qt::LeftButton);
  ASSERT_EQ(controller().state(), PlayState::Playing);
  device_->allowBlocks(5);
  ASSERT_TRUE(device_->waitForBlocksReported(allowed_ + 5, kGenerous));
  progress().fire();
  EXPECT_EQ(lyricPart(), QStringLiteral("first"));
}

TEST_F(PreviewDialogTest, EndOfDataStopsButKeepsTheLastTime) {
  open(songWithLyric());
  device_->allowBlocks(kFrames);
  ASSERT_TRUE(QTest::qWaitFor([&] { return controller().engine()->endOfData(); }, 60'000));
  progress().fire();
  // 397 frames are decoded (the last 1,152 bytes are fewer than a decode needs): 9.5 s.
  EXPECT_EQ(timePart(), QStringLiteral(" 00:09 "));
  EXPECT_EQ(lyricPart(), QString());
  EXPECT_EQ(controller().state(), PlayState::Stopped);
  EXPECT_FALSE(controller().hasEngine());
  EXPECT_FALSE(progress().active());
  EXPECT_EQ(dialog->positionSlider().value(), 0);
}

TEST_F(PreviewDialogTest, PositionDragHoldsTheUpdatesAndSeeksAtRelease) {
  open(songWithLyric());
  playTo(5);
  auto& slider = dialog->positionSlider();
  slider.setSliderDown(true);
  EXPECT_TRUE(controller().dragging());
  EXPECT_FALSE(progress().active());
  EXPECT_FALSE(infoRefresh().active());
  slider.setSliderPosition(500);
  device_->allowBlocks(20);
  ASSERT_TRUE(device_->waitForBlocksReported(25, kGenerous));
  progress().fire();
  EXPECT_EQ(timePart(), QStringLiteral(" 00:00 "));  // no update during the drag
  EXPECT_EQ(controller().engine()->framesPlayed(), 25);

  slider.setSliderDown(false);
  EXPECT_FALSE(controller().dragging());
  EXPECT_TRUE(progress().active());
  EXPECT_TRUE(infoRefresh().active());
  EXPECT_EQ(controller().engine()->framesPlayed(), 200);  // half of 400 frames
  progress().fire();
  EXPECT_EQ(timePart(), QStringLiteral(" 00:04 "));
  EXPECT_EQ(lyricPart(), QStringLiteral("second\rline"));
  EXPECT_EQ(slider.value(), 500);
}

TEST_F(PreviewDialogTest, PositionScrollWithoutAnEngineGoesBackToZero) {
  open(songWithLyric());
  QTest::mouseClick(&dialog->button(PreviewCommand::Stop), Qt::LeftButton);
  auto& slider = dialog->positionSlider();
  slider.setSliderDown(true);
  slider.setSliderPosition(300);
  slider.setSliderDown(false);
  EXPECT_EQ(slider.value(), 0);
  EXPECT_FALSE(controller().dragging());
  EXPECT_FALSE(progress().active());

  // The next drag while playing holds the updates again.
  QTest::mouseClick(&dialog->button(PreviewCommand::Play), Qt::LeftButton);
  ASSERT_TRUE(progress().active());
  slider.setSliderDown(true);
  EXPECT_FALSE(progress().active());
  EXPECT_TRUE(controller().dragging());
}

TEST_F(PreviewDialogTest, VolumeSliderSetsTheDeviceWithOrWithoutAnEngine) {
  open(songWithLyric());
  auto& slider = dialog->volumeSlider();
  slider.setValue(30);
  slider.triggerAction(QAbstractSlider::SliderPageStepAdd);  // 30 + 10
  EXPECT_EQ(device_->volume(), 0x66666666u);                 // 40 x 65535 / 100 = 26214 = 0x6666
  QTest::mouseClick(&dialog->button(PreviewCommand::Stop), Qt::LeftButton);
  slider.triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(device_->volume(), 0xFFFFFFFFu);
  // Shown by the window itself: not a user's move, the device keeps its level.
  slider.setValue(10);
  EXPECT_EQ(device_->volume(), 0xFFFFFFFFu);
}

TEST_F(PreviewDialogTest, EveryWayOfClosingStops) {
  const QString song = songWithLyric();
  const std::function<void(PreviewPlayerDialog&)> closers[] = {
      [](PreviewPlayerDialog& d) {
        QTest::mouseClick(&d.button(PreviewCommand::Close), Qt::LeftButton);
      },
      [](PreviewPlayerDialog& d) { d.close(); },
      [](PreviewPlayerDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
  };
  for (const auto& closeIt : closers) {
    auto& d = open(song);
    d.show();
    playTo(5);
    closeIt(d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(controller().state(), PlayState::Stopped);
    EXPECT_FALSE(controller().hasEngine());
    EXPECT_FALSE(progress().active());
    dialog.reset();
    allowed_ = 0;
  }
}

TEST_F(PreviewDialogTest, NameRefreshRestartsTheOneSecondAnimation) {
  open(songWithLyric());
  auto& panel = dialog->infoPanel();
  auto& animation = static_cast<ManualTicks&>(panel.animation());
  struct Row {
    int steps;
    bool running;
  };
  for (const Row row : {Row{99, true}, Row{100, false}}) {
    infoRefresh().fire();  // the 3 s refresh puts the name in again
    ASSERT_TRUE(animation.active());
    animation.fire(row.steps);
    EXPECT_EQ(animation.active(), row.running) << row.steps;
    EXPECT_EQ(panel.text(), QStringLiteral("Song.mp3"));
  }
}

}  // namespace
}  // namespace norva::preview
