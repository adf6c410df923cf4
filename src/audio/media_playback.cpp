#include "audio/media_playback.h"

namespace norva::audio {

const char* toString(MediaOpenOutcome outcome) {
  switch (outcome) {
    case MediaOpenOutcome::Playing:
      return "playing";
    case MediaOpenOutcome::CannotDecode:
      return "cannot decode";
    case MediaOpenOutcome::TooManyChannels:
      return "too many channels";
    case MediaOpenOutcome::DeviceRefused:
      return "device refused";
  }
  return "unknown";
}

const char* toString(MediaPlayState state) {
  switch (state) {
    case MediaPlayState::Stopped:
      return "stopped";
    case MediaPlayState::Paused:
      return "paused";
    case MediaPlayState::Playing:
      return "playing";
  }
  return "unknown";
}

}  // namespace norva::audio
