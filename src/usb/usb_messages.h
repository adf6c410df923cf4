#pragma once
// The texts our player library shows for its error codes (through the host's message box, or
// on stderr), one per code of tcc730.h.
#include <array>
#include <cstdint>

namespace norva::usb {

inline constexpr std::array<const char*, 19> kErrorTexts = {
    "操作成功完成。",                         // 0
    "操作失败。",                             // 1 general
    "播放器没有连接或已被拔除。",             // 2 not attached
    "无法与播放器建立连接。",                 // 3 no connection
    "指定的存储器不存在。",                   // 4 bad drive
    "指定的文件序号无效。",                   // 5 bad index
    "无法访问文件。",                         // 6 file
    "内存不足。",                             // 7 out of memory
    "存储器空间不足。",                       // 8 disk full
    "根目录已满,无法再增加文件。",            // 9 directory full
    "同名文件已经存在。",                     // 10 exists
    "文件名无效。",                           // 11 bad name
    "播放器中的文件已被改变,请刷新后重试。",  // 12 stale entry
    "数据格式无效或文件系统已损坏。",         // 13 bad image
    "操作已取消。",                           // 14 cancelled
    "播放器中没有字库。",                     // 15 no font
    "播放器正忙,请稍后再试。",                // 16 busy
    "数据块范围超出存储器容量。",             // 17 bad range
    "存储器尚未格式化。",                     // 18 unformatted
};

inline constexpr const char* kUnknownErrorText = "未知错误。";

}  // namespace norva::usb
