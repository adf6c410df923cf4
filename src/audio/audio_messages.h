#pragma once
// The audio output's texts to the user.
#include <cstdint>
#include <string>
#include <string_view>

namespace norva::audio {

// Said once when no sound device opens and the null device plays instead; `device` names the
// device that failed (and why, when known).
inline std::string noSoundDeviceText(std::string_view device) {
  return "No sound device could be opened: " + std::string(device) +
         ". Playing on the null device, without sound.";
}

}  // namespace norva::audio

// The media player's error descriptions; `name` is the audio file's name.
inline std::string cannotDecodeText(std::string_view name, std::string_view why) {
  return "Cannot play \"" + std::string(name) + "\": " + std::string(why);
}

inline std::string tooManyChannelsText(std::string_view name, int channels) {
  return "Cannot play \"" + std::string(name) + "\": it has " + std::to_string(channels) +
         " channels; only mono and stereo sound is played.";
}

inline std::string deviceRefusedText(std::string_view name, uint32_t sampleRate,
                                     uint16_t channels) {
  return "The sound device does not play \"" + std::string(name) + "\" (" +
         std::to_string(sampleRate) + " Hz, " + std::to_string(channels) + " channels).";
}

inline std::string readFailedText(std::string_view why) {
  return "The audio file could not be read to its end: " + std::string(why);
}

inline std::string seekFailedText(std::string_view why) {
  return "The audio file could not be moved to the new position: " + std::string(why);
}
