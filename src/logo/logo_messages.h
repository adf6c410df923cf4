#pragma once
// The logo converter's texts to the user, exactly as the program shows them.
namespace norva::logo {

inline constexpr const char* kLogoCaption = "LOGO编辑工具";
inline constexpr const char* kOverwriteQuestion = "该文件已经存在，要覆盖吗？";
inline constexpr const char* kOpenFailedText = "该文件不能作为可识别的图象数据文件打开！";
inline constexpr const char* kWindowInitFailedText = "窗口初始化失败！";
inline constexpr const char* kSurfacesFailedText = "DirectX初始化失败！";

}  // namespace norva::logo
