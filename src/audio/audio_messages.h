#pragma once
// The audio output's texts to the user.
#include <cstdint>
#include <string>
#include <string_view>

namespace norva::audio {

// Said once when no sound device opens and the null device plays instead; `device` names the
// device that failed (and why, when known).
inline std::string noSoundDeviceText(std::string_view device) {
  return "No sound device could be opened: " + std::string(device) +
         ". Playing on the null device, without sound.";
}

}  // namespace norva::audio

// The media player's error descriptions; `name` is the audio file's name.
inline std::string cannotDecodeText(std::string_view name, std::string_view why) {
  return "Cannot play \"" + std::string(name) + "\": " + std::string(why);
}

inline std::string tooManyChannelsText(std::string_view name, int channels) {
  return "Cannot play \"" + std::string(name) + "\": it has " + std::to_string(channels) +
         " channels; only mono and stereo sound is played.";
}

inline std::string deviceRefusedText(std::string_view name, uint32_t sampleRate,
                                     uint16_t channels) {
  return "The sound device does not play \"" + std::string(name) + "\" (" +
         std::to_string(sampleRate) + " Hz, " + std::to_string(channels) + " channels).";
}

inline std::string readFailedText(std::string_view why) {
  return "The audio file could not be read to its end: " + std::string(why);
}

inline std::string seekFailedText(std::string_view why) {
  return "The audio file could not be moved to the new position: " + std::string(why);
}

// The WAV to MP3 converter's window and messages ("WAV->MP3").
namespace norva::audio::text {

inline constexpr std::string_view kWavToMp3Title = "WAV->MP3";
inline constexpr std::string_view kWavInputs = "待转化的WAV文件";
inline constexpr std::string_view kMp3Outputs = "输出的MP3文件";
inline constexpr std::string_view kAddWav = "添加 ...";
inline constexpr std::string_view kDeleteWav = "删除";
inline constexpr std::string_view kClearList = "清空";
inline constexpr std::string_view kStartConversion = "开始转换";
inline constexpr std::string_view kCancelConversion = "取消";
inline constexpr std::string_view kBrowseFolder = "浏览 ...";
inline constexpr std::string_view kOutputFolderLabel = "输出目录：";
inline constexpr std::string_view kConvertingLabel = "正在转化：";
inline constexpr std::string_view kWavFilter = "WAV files (*.wav)|*.wav";
inline constexpr std::string_view kFolderPickerTitle = "目录选择";

// The output folder is too short, no folder, or cannot take a new file (error icon).
inline constexpr std::string_view kOutputFolderRefused = "输出路径错误！            ";
inline constexpr std::string_view kOutputFolderCaption = "NORVA MP3播放机转换软件";
// The end of a run (warning icon).
inline constexpr std::string_view kConversionCancelled = "转化被取消.";
inline constexpr std::string_view kConversionDone = "转化完成.";
inline constexpr std::string_view kConversionCaption = "WAV转MP3";
// Closing the window while a run goes on (information icon).
inline constexpr std::string_view kCancelFirst = "请先取消转化";
inline constexpr std::string_view kCancelFirstCaption = "NORVA RD710歌词编辑软件";

}  // namespace norva::audio::text
