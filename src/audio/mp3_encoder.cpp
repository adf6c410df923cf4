#include "audio/mp3_encoder.h"

namespace norva::audio {

const char* toString(EncodeOutcome outcome) {
  switch (outcome) {
    case EncodeOutcome::Encoded:
      return "encoded";
    case EncodeOutcome::Stopped:
      return "stopped";
    case EncodeOutcome::SourceUnreadable:
      return "the source cannot be read as audio";
    case EncodeOutcome::SourceUnsupported:
      return "the source's channels or sample rate are not supported";
    case EncodeOutcome::EncoderRefused:
      return "the encoder refused the settings";
    case EncodeOutcome::TargetUnwritable:
      return "the MP3 file cannot be written";
  }
  return "?";
}

}  // namespace norva::audio
