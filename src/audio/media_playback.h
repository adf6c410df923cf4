#pragma once
// What the lyric editor asks of a media player: open a file and play it, play, pause, stop,
// the position in seconds (read and set), the play state, the text of the last failure and
// whether a sound device is there. The service's MediaPlayer plays files; FakeMediaPlayer
// plays nothing on a clock the test moves.
#include <filesystem>
#include <string>

namespace norva::audio {

// What came of opening a file.
enum class MediaOpenOutcome {
  Playing,          // the file is open and playing from its start
  CannotDecode,     // not a file that can be read as audio
  TooManyChannels,  // more than two channels
  DeviceRefused,    // the sound device does not open for the file's format
};
const char* toString(MediaOpenOutcome outcome);

enum class MediaPlayState {
  Stopped,  // nothing open, stopped, or played to the end
  Paused,
  Playing,
};
const char* toString(MediaPlayState state);

class MediaPlayback {
 public:
  virtual ~MediaPlayback() = default;

  // Closes what is open, opens the file and starts playing it from the start. On failure
  // nothing is open, the state is Stopped and errorDescription() says why.
  virtual MediaOpenOutcome openAndPlay(const std::filesystem::path& path) = 0;
  // Plays on from where it stands; after the end, from the start. Nothing without a file.
  virtual void play() = 0;
  virtual void pause() = 0;
  // Stops playing and moves to the start; the file stays open.
  virtual void stop() = 0;
  // Stops and closes the file and the device.
  virtual void close() = 0;

  // Seconds heard since the start of the file.
  virtual double position() const = 0;
  // Moves to `seconds` (below 0 or NaN is the start, past the end is the end) and plays on
  // from there in the state the player is in.
  virtual void setPosition(double seconds) = 0;
  // The file's length in seconds; 0 without a file.
  virtual double duration() const = 0;

  virtual MediaPlayState playState() const = 0;
  virtual bool isOpen() const = 0;
  // True once playing reached the end of the file (until the next play, seek or open).
  virtual bool endReached() const = 0;
  // The last failure's text; empty when there is none.
  virtual std::string errorDescription() const = 0;
  // False once the sound device refused to open (no usable device).
  virtual bool soundCardPresent() const = 0;
};

}  // namespace norva::audio
