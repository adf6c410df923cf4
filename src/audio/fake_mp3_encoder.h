#pragma once
// An MP3 encoder for tests of its callers. It writes nothing itself: each encode() call is
// recorded and handed to the test's behaviour, which may write the target and chooses the
// outcome. A call chosen to be held waits, after its behaviour, until stop() is called and then
// returns Stopped, so a test can act while that file is being encoded. Thread-safe: encode() runs
// on the caller's worker, stop() and the waits on the test's thread.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "audio/mp3_encoder.h"

namespace norva::audio {

struct EncodeCall {
  std::filesystem::path source;
  std::filesystem::path target;
};

class FakeMp3Encoder : public Mp3Encoder {
 public:
  using Behaviour = std::function<EncodeOutcome(const EncodeCall&)>;

  // What each call does; without one, a call writes nothing and gives Encoded.
  void setBehaviour(Behaviour behaviour);
  // Call number `number` (counting from 1) waits for stop() after running its behaviour.
  void holdCall(size_t number);

  EncodeOutcome encode(const std::filesystem::path& source,
                       const std::filesystem::path& target) override;
  void stop() override;

  // Waits until `count` calls have started; false when that takes longer than `limit`.
  bool waitForCalls(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10));
  std::vector<EncodeCall> calls() const;
  size_t stops() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Behaviour behaviour_;
  size_t heldCall_ = 0;
  bool stopped_ = false;  // a stop for the call now held
  size_t running_ = 0;
  size_t stops_ = 0;
  std::vector<EncodeCall> calls_;
};

}  // namespace norva::audio
