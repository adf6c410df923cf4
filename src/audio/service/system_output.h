#pragma once
// The desktop's sound device for a player window: the ALSA PCM named by NORVA_ALSA_DEVICE (or
// "default"), and when that cannot be opened, a second device (normally the null device).
#include <functional>
#include <memory>
#include <string>

#include "audio/audio_output.h"

namespace norva::audio {

// `onFallback` receives, once, the failed device's name and why it failed (when known).
std::unique_ptr<AudioOutput> makeSystemOutput(
    std::unique_ptr<AudioOutput> fallback, std::function<void(const std::string& why)> onFallback);

}  // namespace norva::audio
