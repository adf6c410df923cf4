#include "logo/opened_picture.h"

#include <utility>

#include "logo/lgo_reader.h"
#include "logo/logo_conversion.h"

namespace norva::logo {

const char* toString(OpenStatus status) {
  switch (status) {
    case OpenStatus::Loaded:
      return "loaded";
    case OpenStatus::NothingLoaded:
      return "no loading step took the file";
    case OpenStatus::Failed:
      return "not a picture the converter can open";
  }
  return "unknown open status";
}

OpenedPicture finishOpening(std::optional<RgbImage> loaded, std::optional<bool> lgoReversedBits,
                            std::string_view fileName) {
  OpenedPicture opened;
  if (!loaded) {
    opened.status = hasLgoExtension(fileName) ? OpenStatus::Failed : OpenStatus::NothingLoaded;
    return opened;
  }
  opened.lgoReversedBits = lgoReversedBits;
  auto fitted = fitPicture(*loaded);
  if (!fitted) {
    opened.status = OpenStatus::Failed;
    return opened;
  }
  opened.status = OpenStatus::Loaded;
  opened.picture = std::move(*fitted);
  return opened;
}

}  // namespace norva::logo
