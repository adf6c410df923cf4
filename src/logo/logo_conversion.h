#pragma once
// From a picture to the player's 128 x 64 black-and-white logo: the fit rule, the stretching
// copy, the brightness threshold, and the way back from a logo to a picture.
#include <optional>
#include <string>

#include "logo/logo_bitmap.h"
#include "logo/rgb_image.h"

namespace norva::logo {

constexpr unsigned kScreenWidth = 128;
constexpr unsigned kScreenHeight = 64;
constexpr int kThresholdMax = 765;      // 3 x 255
constexpr int kThresholdDefault = 389;  // the slider's centred start

struct Size {
  unsigned width = 0;
  unsigned height = 0;
  bool operator==(const Size&) const = default;
};

// The size a w x h picture is reduced to (pictures that fit keep theirs; nothing is enlarged).
// Nothing when the reduced size has a side of 0, which makes the open fail.
std::optional<Size> fitToScreen(unsigned w, unsigned h);

// Stretching copy that picks, for every target pixel, the source pixel its left/top edge falls on.
RgbImage stretch(const RgbImage& source, Size size);

// fitToScreen + stretch; nothing when the picture cannot be fitted.
std::optional<RgbImage> fitPicture(const RgbImage& picture);

// Rebuilds `logo` as a depth-1 column-layout logo of the picture's size: a pixel is black when
// R + G + B <= threshold.
void convertToLogo(const RgbImage& picture, int threshold, LogoBitmap& logo);

// Paints every logo pixel with the colour its value means in the logo's own depth and layout.
RgbImage renderLogo(const LogoBitmap& logo);

// The logo as text: two pixel rows a line, in block characters (UTF-8), each line ending "\n".
std::string logoAsBlockText(const LogoBitmap& logo);

}  // namespace norva::logo
