#pragma once
// The device manager's texts to the user, exactly as the program shows them. Texts with a
// format field keep it as the program fills it ("%s" a name, "%zu" a line number).
namespace norva::device {

// Player pane and status bar.
inline constexpr const char* kNoPlayerNotice = " 播放器没有连接,\r\n暂时无法使用固件升级功能！";
inline constexpr const char* kInternalMemoryTitle = "存储空间";      // 3004
inline constexpr const char* kExternalMemoryTitle = "扩展存储空间";  // 3005
inline constexpr const char* kUnknownFirmwareVersion = "Unknown Firmware Version";

// Storage operations.
inline constexpr const char* kDeleteOneQuestion = "是否删除%s ?";  // 4002
inline constexpr const char* kDeleteSelectedQuestion =
    "Would you delete the selected file?";                                         // 4003
inline constexpr const char* kDeleteCaption = "Confirm file deleting";             // 3008
inline constexpr const char* kCannotDownloadFolder = "无法下载目录！";             // 4005
inline constexpr const char* kOverwriteQuestion = "文件已经存在.\n是否需要覆盖?";  // 4006
inline constexpr const char* kFormatQuestion = "所有文件将被删除.\n是否继续?";     // 4007
inline constexpr const char* kFormatCaption = "Format";                            // 3012
inline constexpr const char* kLowLevelFormatCaption = "Low Level Format";          // 3020
inline constexpr const char* kRawDataNotSpecified =
    "Raw Data Filename or Range was not specified.";                                  // 4010
inline constexpr const char* kRawDataRangeExceeded = "Raw Data Range was exceeded.";  // 4011

// Firmware and fonts.
inline constexpr const char* kFirmwareUpgradeTitle = "固件升级";                  // 3013
inline constexpr const char* kBootCodeUpgradeTitle = "Boot Code Upgrade";         // 3015
inline constexpr const char* kIntelHexFilter = "Intel Hex File(*.hex)\n*.hex\n";  // 3014
inline constexpr const char* kFontDownloadTitle = "LCD UNICODE Font Download";    // 3019
inline constexpr const char* kFontFilter = "Bitmap font(*.fot)\n*.fot\n\n";       // 3018
inline constexpr const char* kUnplugUsb = "请拔除USB!";                           // 4008
inline constexpr const char* kRestartPlayer = "重新启动播放器";                   // 4009
inline constexpr const char* kFontInfoCaption = "播放器字体信息";

// The system's own message for a path that is too long (Windows error 206).
inline constexpr const char* kPathTooLongText = "文件名或扩展名太长。";

// Texts of our own for what the original never refused.
inline constexpr const char* kHexRefusedCaption = "Intel HEX";
inline constexpr const char* kHexRefusedPrefix = "固件文件无法转换，没有发送到播放器：";
inline constexpr const char* kHexLineText = "第%zu行";
inline constexpr const char* kHexNonHexCharacter = "含有非十六进制字符";
inline constexpr const char* kHexRecordCutShort = "的记录不完整";
inline constexpr const char* kHexRecordTooLong = "的记录后面有多余的字符";
inline constexpr const char* kHexBadChecksum = "的校验和错误";
inline constexpr const char* kHexBadAddressRecord = "的地址记录无效";
inline constexpr const char* kHexImageTooLarge = "的数据使固件映像超过16 MiB";
inline constexpr const char* kHexEmptyImage = "转换后的固件映像为空";
inline constexpr const char* kHexCannotRead = "无法读取文件";
inline constexpr const char* kHexCannotWrite = "无法写入映像文件";
inline constexpr const char* kUnsafePlayerName = "播放器上的文件名含有路径分隔符或“..”，已拒绝：";
inline constexpr const char* kLibraryMissing = "无法加载播放器的USB库：";
inline constexpr const char* kPlayerErrorCaption = "播放器";

// Configuration dialog.
inline constexpr const char* kConfigurationTitle = "Configuration";
inline constexpr const char* kTimeoutPageName = "Setting Timeout";              // 3100
inline constexpr const char* kRomPageName = "ROM Selection";                    // 3101
inline constexpr const char* kAdpcmPageName = "ADPCM Configuration";            // 3102
inline constexpr const char* kRawDataPageName = "Raw Data Read Configuration";  // 3103
inline constexpr const char* kTvfPageName = "TVF Configuration";                // 3104
inline constexpr const char* kReceiveTimeoutLabel = "Receiving Timeout [ms] :";
inline constexpr const char* kSendTimeoutLabel = "Transmission Timeout [ms] :";
inline constexpr const char* kFormatTimeoutLabel = "Formating Timeout [ms] :";
inline constexpr const char* kRomInMds = "ROM writing in MDS";
inline constexpr const char* kRomStandAlone = "ROM writing in stand-alone mode";
inline constexpr const char* kConvertToWav = "Convert to WAV";
inline constexpr const char* kAdpcmBinary = "Download Binary Telechips ADPCM (TCW)";
inline constexpr const char* kTvfBinary = "Download Binary Telechips TVF";
inline constexpr const char* kRawFileLabel = "File Name to Save :";
inline constexpr const char* kRawViewerLabel = "Viewer Link :";
inline constexpr const char* kBrowseButton = "Browse >>";
inline constexpr const char* kRawRangeLabel = "Block Address Range :";
inline constexpr const char* kRawAddrLabel = "Addr :";
inline constexpr const char* kRawCountLabel = "Count :";
inline constexpr const char* kDataFileFilter = "Data File(*.dat)\n*.dat\nAll Files(*.*)\n*.*\n";
inline constexpr const char* kExecutableFilter =
    "Executable File(*.exe)\n*.exe\nAll Files(*.*)\n*.*\n";

// Disk Medium Information dialog.
inline constexpr const char* kMediumInfoTitle = "Disk Medium Information";
inline constexpr const char* kCloseButton = "Close";
inline constexpr const char* kDeviceStatusLabel = "Device I/O Status :";
inline constexpr const char* kFatStatusLabel = "FAT Status :";
inline constexpr const char* kMediumTypeLabel = "Medium Type :";
inline constexpr const char* kTotalBlocksLabel = "Total Block Count :";
inline constexpr const char* kUsedBlocksLabel = "Used Block Count :";
inline constexpr const char* kPhysicalBlocksLabel = "Physical Block Count :";
inline constexpr const char* kBadBlocksLabel = "Bad Block Count :";
inline constexpr const char* kFatTypeLabel = "FAT Type :";
inline constexpr const char* kFatStartLabel = "FAT Start Sector :";
inline constexpr const char* kFatSectorCountLabel = "FAT Sector Count :";
inline constexpr const char* kRootStartLabel = "Root Start Sector :";
inline constexpr const char* kRootEntryCountLabel = "Root Entry Count :";
inline constexpr const char* kTotalFileCountLabel = "Total File Count :";
inline constexpr const char* kGood = "Good";
inline constexpr const char* kInvalid = "Invalid";
inline constexpr const char* kNandMedium = "NAND/SMC";
inline constexpr const char* kPage512 = " (512 bytes/page)";
inline constexpr const char* kPage1024 = " (1024 bytes/page)";
inline constexpr const char* kPageUnknown = " (??? bytes/page)";
inline constexpr const char* kMmcMedium = "MMC/SD";
inline constexpr const char* kUnknownMedium = "Unknown Medium";
inline constexpr const char* kFat12 = "FAT12";
inline constexpr const char* kUnknownFat = "Unknown";

// Font information dialog.
inline constexpr const char* kFontSizeLabel = "文件大小:";
inline constexpr const char* kFontNameLabel = "文件名称:";
inline constexpr const char* kFontInfoClose = "关闭(&C)";

// Driver scripts, help and about.
inline constexpr const char* kInstallDriverMenu = "安装USB驱动";    // 32811
inline constexpr const char* kUninstallDriverMenu = "卸载USB驱动";  // 32815
inline constexpr const char* kUserManualFile = "RD710_CHS.pdf";
inline constexpr const char* kHtmlHelpIndex = "HtmlHelp/index.html";
inline constexpr const char* kHyperlinkErrorPrefix = "Unable to open hyperlink:\n\n";
inline constexpr const char* kProgramCaption = "Trelliq";
inline constexpr const char* kAboutTitle = "关于MP3升级程序";
inline constexpr const char* kAboutLine = "NORVA RD710 MP3升级程序";
inline constexpr const char* kMakerWebAddress = "http://www.norva.example/";

// Texts of our own for the driver scripts on a system that cannot run them, and for failures
// the original never reported ("%1", "%2" are filled by the window).
inline constexpr const char* kScriptWrittenText =
    "驱动脚本已写入：\n%1\n\n该脚本只能在Windows系统上运行，本系统不需要安装USB驱动。";
inline constexpr const char* kScriptNotWrittenText = "无法写入驱动脚本，脚本没有运行：\n%1\n%2";
inline constexpr const char* kManualNotOpened = "无法打开用户手册：\n%1";
inline constexpr const char* kFirmwareProgressText = "正在升级播放器固件，请不要拔除USB……";

// The explorer window.
inline constexpr const char* kPlayerConnectedNotice = " 播放器已经连接，现可以更新字库或固件升级!";
inline constexpr const char* kNotFormattedStatus = "Not Formated, Total %d%s";  // 3021
inline constexpr const char* kReadOnlyStatus = "Read Only - Total %d%s";        // 3022
inline constexpr const char* kTotalStatus = "总共%d%s";                         // 3006
inline constexpr const char* kColumnName = "名称";                              // 3000
inline constexpr const char* kColumnSize = "大小";                              // 3001
inline constexpr const char* kColumnType = "类型";                              // 3002
inline constexpr const char* kColumnModified = "修改时间";                      // 3003
inline constexpr const char* kColumnIndex = "索引";                             // 3011
inline constexpr const char* kFilterMp3 = "MP3文件(*.mp3)";                     // 3009
inline constexpr const char* kFilterMpr = "MPR文件(*.mpr)";
inline constexpr const char* kFilterAll = "所有(*.*)";                             // 3010
inline constexpr const char* kDownloadToInternal = "Download To Internal Memory";  // 2002
inline constexpr const char* kUploadFromInternal = "Upload From Internal Memory";  // 2000
inline constexpr const char* kDownloadToExternal = "Download To External Memory";  // 2003
inline constexpr const char* kUploadFromExternal = "Upload From External Memory";  // 2001
inline constexpr const char* kMemoryViewName = "Mp3 Memory Viewer";
inline constexpr const char* kDeleteFileMenu = "删除文件";
inline constexpr const char* kAudioPlayMenu = "音频播放";
// Menus of the main window.
inline constexpr const char* kExitMenu = "退出(&x)";
inline constexpr const char* kToolBarMenu = "工具栏(&T)";
inline constexpr const char* kStatusBarMenu = "状态栏(&S)";
inline constexpr const char* kRefreshMenu = "刷新\tF5";
inline constexpr const char* kFirmwareUpgradeMenu = "固件升级";
inline constexpr const char* kFontMenu = "更新播放器字库";
inline constexpr const char* kFontDownloadMenu = "下载字库";
inline constexpr const char* kFontInformationMenu = "查看字库信息";
inline constexpr const char* kAboutMenu = "关于MP3升级程序...";
inline constexpr const char* kUserManualMenu = "用户手册\tF1";
// Menu titles and edit items of our own.
inline constexpr const char* kFileMenuTitle = "文件(&F)";
inline constexpr const char* kEditMenuTitle = "编辑(&E)";
inline constexpr const char* kViewMenuTitle = "查看(&V)";
inline constexpr const char* kSettingsMenuTitle = "设置(&S)";
inline constexpr const char* kToolsMenuTitle = "工具(&T)";
inline constexpr const char* kHelpMenuTitle = "帮助(&H)";
inline constexpr const char* kCutMenu = "剪切(&T)\tCtrl+X";
inline constexpr const char* kCopyMenu = "复制(&C)\tCtrl+C";
inline constexpr const char* kPasteMenu = "粘贴(&P)\tCtrl+V";
// The memory view's context menu.
inline constexpr const char* kDeleteMenu = "Delete";
inline constexpr const char* kUpMenu = "Up";
inline constexpr const char* kDownMenu = "Down";
inline constexpr const char* kRefreshContextMenu = "Refresh";
inline constexpr const char* kFormatMenu = "Format";
inline constexpr const char* kLowLevelFormatMenu = "Low Level Format";
inline constexpr const char* kRenameMenu = "Rename";
inline constexpr const char* kDownloadRawDataMenu = "Download Raw Data";
inline constexpr const char* kDiskPropertiesMenu = "Disk Properties";
inline constexpr const char* kDesktopFolderName = "Desktop";
// Texts of our own: the desktop's own folders, a folder the delete command refuses, and the
// preview when the program carries none.
inline constexpr const char* kHomeFolderName = "主文件夹";
inline constexpr const char* kFileSystemRootName = "文件系统";
inline constexpr const char* kCannotDeleteFolder = "无法删除目录！";
inline constexpr const char* kPreviewNotAvailable = "音频播放不可用。";
inline constexpr const char* kBusyStatus = "正在传输…";

}  // namespace norva::device
