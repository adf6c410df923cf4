#include "logo/logo_conversion.h"

namespace norva::logo {

std::optional<Size> fitToScreen(unsigned w, unsigned h) {
  if (w <= kScreenWidth && h <= kScreenHeight) return Size{w, h};
  uint64_t newW = 0;
  uint64_t newH = 0;
  if (w > kScreenWidth && uint64_t{h} * kScreenWidth / w <= kScreenHeight) {
    newW = kScreenWidth;
    newH = uint64_t{h} * kScreenWidth / w;
  } else {
    newW = uint64_t{w} * kScreenHeight / h;
    newH = kScreenHeight;
  }
  if (newW == 0 || newH == 0) return std::nullopt;
  return Size{static_cast<unsigned>(newW), static_cast<unsigned>(newH)};
}

RgbImage stretch(const RgbImage& source, Size size) {
  RgbImage out(size.width, size.height);
  for (unsigned y = 0; y < size.height; ++y) {
    const auto sy = static_cast<unsigned>(uint64_t{y} * source.height / size.height);
    for (unsigned x = 0; x < size.width; ++x) {
      const auto sx = static_cast<unsigned>(uint64_t{x} * source.width / size.width);
      out.at(x, y) = source.at(sx, sy);
    }
  }
  return out;
}

std::optional<RgbImage> fitPicture(const RgbImage& picture) {
  if (picture.empty()) return std::nullopt;
  const auto size = fitToScreen(picture.width, picture.height);
  if (!size) return std::nullopt;
  if (size->width == picture.width && size->height == picture.height) return picture;
  return stretch(picture, *size);
}

void convertToLogo(const RgbImage& picture, int threshold, LogoBitmap& logo) {
  logo.width = picture.width;
  logo.height = picture.height;
  logo.depth = 1;
  logo.layout = LAYOUT_COLUMNS;
  for (unsigned x = 0; x < picture.width; ++x) {
    for (unsigned y = 0; y < picture.height; ++y) {
      const Rgb c = picture.at(x, y);
      const int sum = c.r + c.g + c.b;
      logo.setPixel(x, y, sum <= threshold ? 1u : 0u);
    }
  }
}

RgbImage renderLogo(const LogoBitmap& logo) {
  RgbImage out(logo.width, logo.height);
  for (unsigned y = 0; y < logo.height; ++y)
    for (unsigned x = 0; x < logo.width; ++x)
      out.at(x, y) = lgoValueColour(logo.depth, logo.pixel(x, y));
  return out;
}

std::string logoAsBlockText(const LogoBitmap& logo) {
  // A logo pixel counts as ink when its colour is darker than mid grey.
  auto ink = [&](unsigned x, unsigned y) {
    if (y >= logo.height) return false;
    const Rgb c = lgoValueColour(logo.depth, logo.pixel(x, y));
    return c.r + c.g + c.b < 384;
  };
  std::string text;
  for (unsigned y = 0; y < logo.height; y += 2) {
    for (unsigned x = 0; x < logo.width; ++x) {
      const bool top = ink(x, y);
      const bool bottom = ink(x, y + 1);
      text += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
    }
    text += '\n';
  }
  return text;
}

}  // namespace norva::logo
