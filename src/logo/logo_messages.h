#pragma once
// The logo converter's texts to the user, exactly as the program shows them.
namespace norva::logo {

inline constexpr const char* kLogoCaption = "LOGO编辑工具";
inline constexpr const char* kOverwriteQuestion = "该文件已经存在，要覆盖吗？";
inline constexpr const char* kOpenFailedText = "该文件不能作为可识别的图象数据文件打开！";
inline constexpr const char* kWindowInitFailedText = "窗口初始化失败！";
inline constexpr const char* kSurfacesFailedText = "DirectX初始化失败！";

// The open and save dialogs.
inline constexpr const char* kOpenTitle = "LOGO编辑工具打开数据文件";
inline constexpr const char* kSaveTitle = "LOGO编辑工具保存数据文件";
inline constexpr const char* kOpenFilter =
    "Files(.bmp;.jpg;.gif;.ico;.lgo;.emf;.wmf;.bpp;.wbmp;.cur) "
    "(*.bmp *.jpg *.gif *.ico *.lgo *.emf *.wmf *.bpp *.wbmp *.cur);;All Files(*.*) (*)";
inline constexpr const char* kSaveFilter = "LGO Files(*.lgo) (*.lgo);;All Files(*.*) (*)";
inline constexpr const char* kLgoSuffix = "lgo";

// The about box and the manual.
inline constexpr const char* kAboutTitle = "关于Glyphane软件";
inline constexpr const char* kAboutLine = "NORVA RD710 LOGO编辑软件 V1.11";
inline constexpr const char* kMakerWebAddress = "http://www.norva.example/";
inline constexpr const char* kManualFileName = "RD710_CHS.pdf";
inline constexpr const char* kApplicationName = "Glyphane";

}  // namespace norva::logo
