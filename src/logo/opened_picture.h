#pragma once
// The outcome of the open command: a picture fitted to the screen, nothing (no loading step
// took the file, which is not an error), or a failure the user is told about.
#include <optional>
#include <string_view>

#include "logo/rgb_image.h"

namespace norva::logo {

enum class OpenStatus {
  Loaded,         // a picture, fitted to the screen
  NothingLoaded,  // no step took the file and its name does not end in ".lgo": no message
  Failed,         // an ".lgo" file the reader refused, or a picture that cannot be fitted
};

const char* toString(OpenStatus status);

struct OpenedPicture {
  OpenStatus status = OpenStatus::NothingLoaded;
  RgbImage picture;                     // fitted, when Loaded
  std::optional<bool> lgoReversedBits;  // set when an LGO file was read successfully
};

// The open command's rule after the loading steps: `loaded` is the picture a step produced at
// its natural size (nothing when no step took the file named `fileName`), `lgoReversedBits`
// the flag of an accepted LGO file. Fits the picture to the screen.
OpenedPicture finishOpening(std::optional<RgbImage> loaded, std::optional<bool> lgoReversedBits,
                            std::string_view fileName);

}  // namespace norva::logo
