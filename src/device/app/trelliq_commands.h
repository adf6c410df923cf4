#pragma once
// The device manager's command numbers: every action of the main window carries its number as
// its identifier (QAction::data), which the enabling rules and the tests use.
namespace norva::device {

namespace command {
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kToolBar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kHtmlHelp = 32771;
inline constexpr int kFormat = 32773;
inline constexpr int kDelete = 32784;
inline constexpr int kFirmwareUpgrade = 32785;
inline constexpr int kUp = 32786;
inline constexpr int kDown = 32787;
inline constexpr int kRefresh = 32788;
inline constexpr int kConfiguration = 32789;
inline constexpr int kBootCodeUpgrade = 32791;
inline constexpr int kRename = 32792;
inline constexpr int kFontDownload = 32793;
inline constexpr int kLowLevelFormat = 32794;
inline constexpr int kFontInformation = 32798;
inline constexpr int kFontCopy = 32799;
inline constexpr int kFontErase = 32800;
inline constexpr int kRawDataDrive0 = 32802;
inline constexpr int kRawDataDrive1 = 32803;
inline constexpr int kDownloadRawData = 32805;
inline constexpr int kDiskProperties = 32808;
inline constexpr int kDesktopAudioPlay = 32809;
inline constexpr int kUserManual = 32810;
inline constexpr int kInstallDriver = 32811;
inline constexpr int kToolbarAudioPlay = 32814;
inline constexpr int kUninstallDriver = 32815;
inline constexpr int kInstallWin98Disk = 32817;    // removed from the menu at start
inline constexpr int kUninstallWin98Disk = 32818;  // removed from the menu at start
inline constexpr int kNextPane = 0xE150;      // F6
inline constexpr int kPreviousPane = 0xE151;  // Shift+F6
}  // namespace command

// The status bar pane that shows the firmware version.
inline constexpr int kFirmwareStatusPane = 3200;

}  // namespace norva::device
