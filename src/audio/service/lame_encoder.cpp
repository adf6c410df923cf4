#include "audio/service/lame_encoder.h"

#include <lame/lame.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

namespace norva::audio {
namespace {

constexpr std::array kLayer3Bitrates{8,  16,  24,  32,  40,  48,  56,  64,  80,
                                     96, 112, 128, 144, 160, 192, 224, 256, 320};
constexpr sf_count_t kBlockFrames = 8192;
// LAME's own bound for the bytes one call may give: 1.25 times the samples and 7200.
constexpr size_t kMp3BufferBytes = kBlockFrames * 5 / 4 + 7200;

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool writeAll(std::FILE* out, const unsigned char* bytes, int count) {
  return count <= 0 ||
         std::fwrite(bytes, 1, static_cast<size_t>(count), out) == static_cast<size_t>(count);
}

}  // namespace

bool isLayer3Bitrate(int kbps) {
  return std::find(kLayer3Bitrates.begin(), kLayer3Bitrates.end(), kbps) != kLayer3Bitrates.end();
}

EncodeOutcome LameEncoder::encode(const std::filesystem::path& source,
                                  const std::filesystem::path& target) {
  stop_.store(false);
  encoding_.store(true);
  struct Done {
    std::atomic<bool>& flag;
    ~Done() { flag.store(false); }
  } done{encoding_};

  SF_INFO info{};
  const std::unique_ptr<SNDFILE, SoundFileCloser> in(sf_open(source.c_str(), SFM_READ, &info));
  if (!in) return EncodeOutcome::SourceUnreadable;
  if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0)
    return EncodeOutcome::SourceUnsupported;

  const std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) return EncodeOutcome::EncoderRefused;
  lame_set_num_channels(lame.get(), info.channels);
  lame_set_in_samplerate(lame.get(), info.samplerate);
  lame_set_num_samples(lame.get(),
                       static_cast<unsigned long>(std::max<sf_count_t>(info.frames, 0)));
  lame_set_mode(lame.get(), info.channels == 1 ? MONO : JOINT_STEREO);
  lame_set_VBR(lame.get(), vbr_off);
  lame_set_brate(lame.get(), settings_.bitrateKbps);
  lame_set_quality(lame.get(), settings_.quality);
  if (lame_init_params(lame.get()) < 0) return EncodeOutcome::EncoderRefused;

  const std::unique_ptr<std::FILE, FileCloser> out(std::fopen(target.c_str(), "wb"));
  if (!out) return EncodeOutcome::TargetUnwritable;

  std::vector<short> pcm(static_cast<size_t>(kBlockFrames) * static_cast<size_t>(info.channels));
  std::vector<unsigned char> mp3(kMp3BufferBytes);
  const int mp3Size = static_cast<int>(mp3.size());
  for (;;) {
    if (stop_.load()) return EncodeOutcome::Stopped;
    const sf_count_t frames = sf_readf_short(in.get(), pcm.data(), kBlockFrames);
    if (frames < 0) return EncodeOutcome::SourceUnreadable;
    if (frames == 0) break;
    const int count = static_cast<int>(frames);
    const int bytes =
        info.channels == 2
            ? lame_encode_buffer_interleaved(lame.get(), pcm.data(), count, mp3.data(), mp3Size)
            : lame_encode_buffer(lame.get(), pcm.data(), pcm.data(), count, mp3.data(), mp3Size);
    if (bytes < 0) return EncodeOutcome::EncoderRefused;
    if (!writeAll(out.get(), mp3.data(), bytes)) return EncodeOutcome::TargetUnwritable;
    if (frames < kBlockFrames && sf_error(in.get()) != SF_ERR_NO_ERROR)
      return EncodeOutcome::SourceUnreadable;
  }
  const int last = lame_encode_flush(lame.get(), mp3.data(), mp3Size);
  if (last < 0) return EncodeOutcome::EncoderRefused;
  if (!writeAll(out.get(), mp3.data(), last)) return EncodeOutcome::TargetUnwritable;

  // The information tag took the first frame's place while encoding; now it holds the figures.
  const size_t tagBytes = lame_get_lametag_frame(lame.get(), mp3.data(), mp3.size());
  if (tagBytes > 0 && tagBytes <= mp3.size()) {
    if (std::fseek(out.get(), 0, SEEK_SET) != 0 ||
        !writeAll(out.get(), mp3.data(), static_cast<int>(tagBytes)))
      return EncodeOutcome::TargetUnwritable;
  }
  if (std::fflush(out.get()) != 0) return EncodeOutcome::TargetUnwritable;
  return EncodeOutcome::Encoded;
}

void LameEncoder::stop() {
  // Only a running call is stopped: a stop between calls must not end the next file at once.
  if (encoding_.load()) stop_.store(true);
}

}  // namespace norva::audio
