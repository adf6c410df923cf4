#include "cli/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>

namespace norva::cli {

StandardOutput::StandardOutput() {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  previous_ = std::cout.rdbuf(this);
}

StandardOutput::~StandardOutput() {
  writeBuffered();
  std::cout.rdbuf(previous_);
}

bool StandardOutput::writeBuffered() {
  const char* at = pbase();
  const char* const end = pptr();
  while (at < end && error_ == 0) {
    const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<size_t>(end - at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      break;
    }
    at += n;
  }
  // What could not be written is dropped: the output is broken anyway.
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
  if (!writeBuffered()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int StandardOutput::sync() {
  return writeBuffered() ? 0 : -1;
}

int StandardOutput::flushAndGetError() {
  writeBuffered();
  return error_;
}

}  // namespace norva::cli
