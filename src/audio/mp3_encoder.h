#pragma once
// What the WAV to MP3 converter asks of an MP3 encoder: two operations. encode() turns one
// audio file into one MP3 file and returns when it is done, has failed or has been stopped;
// stop(), called from any other thread, makes a running encode() give up soon. A stop that
// comes when no encode() runs has no effect on the next one.
#include <filesystem>

namespace norva::audio {

enum class EncodeOutcome {
  Encoded,            // the target holds the whole source as MP3
  Stopped,            // stop() ended the call; the target holds a part
  SourceUnreadable,   // the source could not be opened or read as audio
  SourceUnsupported,  // more channels or a rate the encoder does not take
  EncoderRefused,     // the encoder would not start with these settings
  TargetUnwritable,   // the target could not be written
};
const char* toString(EncodeOutcome outcome);

class Mp3Encoder {
 public:
  virtual ~Mp3Encoder() = default;
  virtual EncodeOutcome encode(const std::filesystem::path& source,
                               const std::filesystem::path& target) = 0;
  virtual void stop() = 0;
};

}  // namespace norva::audio
