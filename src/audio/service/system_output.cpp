#include "audio/service/system_output.h"

#include <cstdlib>

#include "audio/service/alsa_output.h"
#include "audio/service/fallback_output.h"

namespace norva::audio {

std::unique_ptr<AudioOutput> makeSystemOutput(
    std::unique_ptr<AudioOutput> fallback, std::function<void(const std::string& why)> onFallback) {
  // NORVA_ALSA_DEVICE names another PCM than "default" (for instance ALSA's "null" plugin).
  const char* device = std::getenv("NORVA_ALSA_DEVICE");
  auto alsa = std::make_unique<AlsaOutput>(device && *device ? device : "default");
  return std::make_unique<FallbackOutput>(
      std::move(alsa), std::move(fallback),
      [onFallback = std::move(onFallback)](const AudioOutput& failed) {
        std::string why = failed.name();
        if (auto* alsaOutput = dynamic_cast<const AlsaOutput*>(&failed)) {
          if (const auto error = alsaOutput->lastError()) why += " (" + *error + ")";
        }
        if (onFallback) onFallback(why);
      });
}

}  // namespace norva::audio
