#pragma once
// The audio output's texts to the user.
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
