// The media player test double keeps the real player's rules on a clock the test moves.
#include "audio/fake_media_player.h"

#include <gtest/gtest.h>

#include <limits>

namespace norva::audio {
namespace {

class FakeMediaPlayerTest : public ::testing::Test {
 protected:
  FakeMediaPlayerTest() { player_.addFile("/music/song.mp3", 10.0); }
  FakeMediaPlayer player_;
};

TEST_F(FakeMediaPlayerTest, TheClockMovesOnlyWhilePlaying) {
  ASSERT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::Playing);
  player_.advance(1.5);
  EXPECT_DOUBLE_EQ(player_.position(), 1.5);
  player_.pause();
  player_.advance(2.0);
  EXPECT_DOUBLE_EQ(player_.position(), 1.5);
  EXPECT_EQ(player_.playState(), MediaPlayState::Paused);
  player_.play();
  player_.advance(0.25);
  EXPECT_DOUBLE_EQ(player_.position(), 1.75);
  player_.stop();
  player_.advance(1.0);
  EXPECT_EQ(player_.position(), 0.0);
  EXPECT_TRUE(player_.isOpen());
}

TEST_F(FakeMediaPlayerTest, TheEndStopsAndPlayStartsAgain) {
  ASSERT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::Playing);
  player_.advance(9.0);
  EXPECT_FALSE(player_.endReached());
  player_.advance(5.0);
  EXPECT_TRUE(player_.endReached());
  EXPECT_EQ(player_.playState(), MediaPlayState::Stopped);
  EXPECT_DOUBLE_EQ(player_.position(), 10.0);
  player_.play();
  EXPECT_EQ(player_.position(), 0.0);
  EXPECT_EQ(player_.playState(), MediaPlayState::Playing);
}

// Seek targets are kept inside the file of 10 s.
TEST_F(FakeMediaPlayerTest, SeekTargetsAreKeptInsideTheFile) {
  struct Row {
    double seconds;
    double expected;
  };
  const Row rows[] = {
      {-0.001, 0.0},
      {0.0, 0.0},
      {0.001, 0.001},
      {9.999, 9.999},
      {10.0, 10.0},
      {10.001, 10.0},
      {std::numeric_limits<double>::quiet_NaN(), 0.0},
  };
  ASSERT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::Playing);
  for (const Row& row : rows) {
    player_.setPosition(row.seconds);
    EXPECT_DOUBLE_EQ(player_.position(), row.expected) << row.seconds;
  }
}

TEST_F(FakeMediaPlayerTest, FailuresLeaveNothingOpenAndSayWhy) {
  ASSERT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::Playing);
  EXPECT_EQ(player_.openAndPlay("/music/notes.txt"), MediaOpenOutcome::CannotDecode);
  EXPECT_EQ(player_.errorDescription(), "Cannot play \"notes.txt\": not an audio file");
  EXPECT_FALSE(player_.isOpen());

  player_.setSoundCardPresent(false);
  EXPECT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::DeviceRefused);
  EXPECT_FALSE(player_.soundCardPresent());
  EXPECT_FALSE(player_.isOpen());

  player_.setSoundCardPresent(true);
  ASSERT_EQ(player_.openAndPlay("/music/song.mp3"), MediaOpenOutcome::Playing);
  EXPECT_TRUE(player_.errorDescription().empty());
  player_.failWith("The audio file could not be read to its end: broken frame");
  EXPECT_EQ(player_.playState(), MediaPlayState::Stopped);
  EXPECT_EQ(player_.errorDescription(),
            "The audio file could not be read to its end: broken frame");
}

TEST_F(FakeMediaPlayerTest, LogsTheCallersOperations) {
  player_.openAndPlay("/music/song.mp3");
  player_.setPosition(7.6);
  player_.pause();
  player_.play();
  player_.stop();
  player_.close();
  const std::vector<std::string> expected{"open song.mp3", "seek 7.600000", "pause",
                                          "play",          "stop",          "close"};
  EXPECT_EQ(player_.log(), expected);
}

TEST(MediaPlaybackTexts, EveryValueHasItsOwnText) {
  EXPECT_STREQ(toString(MediaOpenOutcome::Playing), "playing");
  EXPECT_STREQ(toString(MediaOpenOutcome::CannotDecode), "cannot decode");
  EXPECT_STREQ(toString(MediaOpenOutcome::TooManyChannels), "too many channels");
  EXPECT_STREQ(toString(MediaOpenOutcome::DeviceRefused), "device refused");
  EXPECT_STREQ(toString(MediaPlayState::Stopped), "stopped");
  EXPECT_STREQ(toString(MediaPlayState::Paused), "paused");
  EXPECT_STREQ(toString(MediaPlayState::Playing), "playing");
}

}  // namespace
}  // namespace norva::audio
