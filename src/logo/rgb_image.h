#pragma once
// A plain picture: 8-bit red, green and blue per pixel, rows from the top.
#include <vector>

#include "logo/lgo_format.h"

namespace norva::logo {

struct RgbImage {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<Rgb> pixels;  // width * height, row after row

  RgbImage() = default;
  RgbImage(unsigned w, unsigned h, Rgb fill = {255, 255, 255})
      : width(w), height(h), pixels(size_t{w} * h, fill) {}

  Rgb& at(unsigned x, unsigned y) { return pixels[size_t{y} * width + x]; }
  const Rgb& at(unsigned x, unsigned y) const { return pixels[size_t{y} * width + x]; }
  bool empty() const { return width == 0 || height == 0; }
};

}  // namespace norva::logo
