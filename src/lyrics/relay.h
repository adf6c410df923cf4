#pragma once
// Relay rewrites a LYR image so that every index entry owns its own copy of its text, in index
// order. The player expects this form; compiler images (where several entries may share one
// LRC line's text) and LYR files read from disk both pass through it.
#include "lyrics/lyr_format.h"

namespace norva::lyr {

enum class RelayResult {
  Ok,
  Malformed,    // counts, offsets or NUL terminators outside the image: not a usable LYR
  TooLarge,     // the relayed image would not fit 32768 bytes
  TextTooLong,  // a text of 256 bytes or more
};

// `image.size` bytes (at most 32768) are the data; nothing outside them is read. On success
// the image is rewritten in place and `image.size` is the new size, a multiple of 512. On
// failure the image is unchanged.
RelayResult relay(LyrImage& image);

}  // namespace norva::lyr
