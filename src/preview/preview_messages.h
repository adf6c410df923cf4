#pragma once
// The preview's texts to the user, exactly as the player window and norva show them.
namespace norva::preview {

// Window caption of the player.
inline constexpr const char* kPlayerCaption = "MP3 Player";
// Status texts when no lyric goes with the music; the path that was read follows in quotes.
inline constexpr const char* kNoLyricFileText = "无对应的歌词文件";
inline constexpr const char* kNoSyncLyricText = "No sync lyric!";

// Why the engine did not start playing a file.
inline constexpr const char* kOpenedText = "playing";
inline constexpr const char* kAnotherEngineText = "another file is already playing";
inline constexpr const char* kCannotReadText = "the file cannot be read";
inline constexpr const char* kNoStreamText =
    "no MPEG audio stream found (fewer than 4324 bytes, or no three consistent Layer II/III "
    "frames)";
inline constexpr const char* kDecoderRefusedText = "the MPEG audio decoder refused the stream";
inline constexpr const char* kDeviceRefusedText = "the sound device refused the stream's format";

}  // namespace norva::preview
