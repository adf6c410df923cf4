#pragma once
// norva's standard output: std::cout writes through a buffer of its own straight to file
// descriptor 1, which keeps the system's reason for the first write that failed (a full disk,
// a closed pipe), so that the refusal can say it; the C library's stream would report the
// failure only as a flag. Installed for as long as the object lives.
#include <array>
#include <streambuf>

namespace norva::cli {

class StandardOutput : public std::streambuf {
 public:
  StandardOutput();
  ~StandardOutput() override;
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // Writes what is buffered; the errno value of the first failed write since the start, or 0.
  int flushAndGetError();

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool writeBuffered();

  std::array<char, 65536> buffer_{};
  std::streambuf* previous_ = nullptr;
  int error_ = 0;
};

}  // namespace norva::cli
