#pragma once
// The lyric editor's texts to the user, in UTF-8, exactly as the program shows them: captions,
// messages, file dialog filters, menu and status bar texts.
#include <string_view>

namespace norva::editor::text {

// Names and captions.
constexpr std::string_view kAppName = "NORVA RD710歌词编辑软件";  // settings and framework caption
constexpr std::string_view kOrganisation = "Norva";
constexpr std::string_view kFrameTitle = "NORVA MP3歌词编辑软件";
constexpr std::string_view kConverterCaption = "NORVA RD710转化软件";
constexpr std::string_view kErrorCaption = "错误";
constexpr std::string_view kUntitled = "Untitled";
constexpr std::string_view kFileNewName = "Sontra";
constexpr std::string_view kDocumentString =
    "NORVA MP3歌词编辑软件\n\nSontra\n\n\nSontrava.Document\nSontra Document";
constexpr std::string_view kUserManual = "RD710_CHS.pdf";
constexpr std::string_view kComInitFailed = "COM初始化错误！";

// Messages of the file commands.
constexpr std::string_view kFileTooLarge = "文件太大请使用其它软件打开";
constexpr std::string_view kCannotSaveReadOnly =
    "由于某种原因，不能保存文件(如文件权限为只读模式).";
constexpr std::string_view kCannotSave = "由于某种原因，不能保存文件.";
constexpr std::string_view kSavePromptPrefix = "保存文件 ";
constexpr std::string_view kQuestionMarkFullWidth = "？";
constexpr std::string_view kQuestionMark = "?";

// Texts of our own: the overwrite question when the extension is added after the save dialog,
// the encoding that was read, and the character GBK cannot hold (%s the character, %04X its
// code point).
constexpr std::string_view kOverwriteCaption = "另存为";
constexpr std::string_view kOverwriteQuestion = "%s 已存在。\n要替换它吗?";
constexpr std::string_view kEncodingRead = "已按 %s 编码读入，保存为 GBK";
constexpr std::string_view kUnencodableOnOpen =
    "文件中的字符“%s”(U+%04X)不能用GBK编码表示，文件没有打开。";
constexpr std::string_view kUnencodableOnSave =
    "文本中的字符“%s”(U+%04X)不能用GBK编码保存，文件没有保存。";

// Titles of the file dialogs and of the about box, the recent-file entries ("&1 path"), and the
// start-up failure on standard error.
constexpr std::string_view kOpenDialogTitle = "打开";
constexpr std::string_view kSaveDialogTitle = "另存为";
constexpr std::string_view kAboutTitle = "关于歌词编辑软件";
constexpr std::string_view kAboutLine = "NORVA RD710歌词编辑软件 V%s";
constexpr std::string_view kWebAddress = "http://www.norva.example/";
constexpr std::string_view kRecentEntryFormat = "&%d %s";

// File dialog filters.
constexpr std::string_view kOpenAllLabel = "所有支持文件(*.txt;*.smi;*.lyr;*.lrc)";
constexpr std::string_view kOpenAllPattern = "*.txt;*.smi;*.lyr;*.lrc";
constexpr std::string_view kTextFilesLabel = "TEXT Files(*.TXT)";
constexpr std::string_view kTextFilesPattern = "*.TXT";
constexpr std::string_view kTlyFilesLabel = "TLY Files(*.TLY)";
constexpr std::string_view kTlyFilesPattern = "*.TLY";
constexpr std::string_view kSamiFilesLabel = "SAMI Files(*.SMI)";
constexpr std::string_view kSamiFilesPattern = "*.SMI";
constexpr std::string_view kLyrFilesLabel = "LYR Files(*.LYR)";
constexpr std::string_view kLyrFilesPattern = "*.LYR";
constexpr std::string_view kLrcFilesLabel = "LRC Files(*.LRC)";
constexpr std::string_view kLrcFilesPattern = "*.LRC";
// The SAMI export's save dialog.
constexpr std::string_view kSamiExportLabel = "SAMI Files(*.smi)";
constexpr std::string_view kSamiExportPattern = "*.smi";
constexpr std::string_view kLyric16x16Label = "LYRIC Files(16*16)(*.lyr)";
constexpr std::string_view kLyric8x8Label = "LYRIC Files(8*8)(*.lyr)";
constexpr std::string_view kLyric8x16Label = "LYRIC Files(8*16)(*.lyr)";
constexpr std::string_view kLyricPattern = "*.lyr";

// The audio commands: the open dialog's filters, the player state poll's message, the Set play
// position dialog, and our text for an entry outside its range.
constexpr std::string_view kAudioFilesLabel = "音频文件";
constexpr std::string_view kAudioFilesPattern =
    "*.wav;*.mp3;*.aiff;*.au;*.aiff;*.aif;*.aifc;*.au;*.snd";
constexpr std::string_view kWavFilesLabel = "Windows (*.wav)";
constexpr std::string_view kWavFilesPattern = "*.wav";
constexpr std::string_view kMp3FilesLabel = "MP3 Files(*.mp3)";
constexpr std::string_view kMp3FilesPattern = "*.mp3";
constexpr std::string_view kAiffFilesLabel = "AIFF (*.aiff,*.aif,*.aifc)";
constexpr std::string_view kAiffFilesPattern = "*.aiff;*.aif;*.aifc";
constexpr std::string_view kAuFilesLabel = "SUN AU (*.au,*.snd)";
constexpr std::string_view kAuFilesPattern = "*.au;*.snd";
constexpr std::string_view kNoSoundCard = "音频硬件无效。";
constexpr std::string_view kSetPositionTitle = "设定音频位置";
constexpr std::string_view kPositionLabel = "位置:";
constexpr std::string_view kPositionUnit = "ms(毫秒)";
constexpr std::string_view kPositionRange = "请输入 0 到 5000000 之间的整数。";

// Status bar.
constexpr std::string_view kLineColumnFormat = " Ln %d Col %d ";
constexpr std::string_view kLineColumnSizer = "Ln 000 Col 000";
constexpr std::string_view kPlayTimeSizer = "000 000(ms) ";
constexpr std::string_view kCapsLock = "大写";
constexpr std::string_view kNumLock = "数字";
constexpr std::string_view kScrollLock = "滚动";

// Menus.
constexpr std::string_view kMenuFile = "文件(&F)";
constexpr std::string_view kMenuEdit = "编辑(&E)";
constexpr std::string_view kMenuView = "查看(&V)";
constexpr std::string_view kMenuAudio = "音频(&M)";
constexpr std::string_view kMenuConvert = "转化(&R)";
constexpr std::string_view kMenuSettings = "设置(&S)";
constexpr std::string_view kMenuHelp = "帮助(&H)";

constexpr std::string_view kNew = "新建(&N)\tCtrl+N";
constexpr std::string_view kOpen = "打开(&O)...\tCtrl+O";
constexpr std::string_view kSave = "保存(&S)\tCtrl+S";
constexpr std::string_view kSaveAs = "另存为(&A)...";
constexpr std::string_view kPrint = "打印(&P)...\tCtrl+P";
constexpr std::string_view kPrintPreview = "打印预览(&V)";
constexpr std::string_view kPrintSetup = "打印设置(&R)...";
constexpr std::string_view kExit = "退出(&X)";
constexpr std::string_view kUndo = "撤消(&U)\tCtrl+Z";
constexpr std::string_view kCut = "剪切(&T)\tCtrl+X";
constexpr std::string_view kCopy = "复制(&C)\tCtrl+C";
constexpr std::string_view kPaste = "粘贴(&P)\tCtrl+V";
constexpr std::string_view kChooseFont = "设置字体...";
constexpr std::string_view kWordWrap = "自动换行";
constexpr std::string_view kMainToolbar = "一般工具栏(&T)";
constexpr std::string_view kSyncToolbar = "同步工具栏";
constexpr std::string_view kStatusBar = "状态栏(&S)";
constexpr std::string_view kOpenAudio = "打开音频文件...\tAlt+O";
constexpr std::string_view kSetPosition = "设定播放位置...";
constexpr std::string_view kSyncFromCursor = "从光标所在段落开始同步";
constexpr std::string_view kForward = "快进";
constexpr std::string_view kBackward = "快退";
constexpr std::string_view kPlay = "播放\tAlt+P";
constexpr std::string_view kPause = "暂停\tAlt+B";
constexpr std::string_view kStop =
    "停止\tAtl+D";  // the shown shortcut is spelt so; the key is Alt+D
constexpr std::string_view kStepBack = "后退\tAlt+R";
constexpr std::string_view kSync = "同步\tAlt+S";
constexpr std::string_view kInsertLineBreak = "插入换行符<br>\tAlt+I";
constexpr std::string_view kConvertToLyr = "转TLY或SMI为LYR\tAlt+T";
constexpr std::string_view kTlyToSami = "转TLY为SMI";
constexpr std::string_view kVerifySync = "验证同步结果";
constexpr std::string_view kLrcToLyr = "LRC-->LYR";
constexpr std::string_view kBatchLrcToLyr = "批量LRC-->LYR";
constexpr std::string_view kMp3ToMpr = "MP3-->MPR";
constexpr std::string_view kBatchMp3ToMpr = "批量MP3-->MPR";
constexpr std::string_view kBatchTextEncoding = "批量转化TXT编码";
constexpr std::string_view kWavToMp3 = "WAV-->MP3";
constexpr std::string_view kSetAssociations = "确定文件关联(&R)";
constexpr std::string_view kRemoveAssociations = "解除文件关联(&U)";
// The status bar's text for the commands that have one of their own.
constexpr std::string_view kSetAssociationsStatus = "注册LRC LYR TLY文件类型 使其相关联";
constexpr std::string_view kRemoveAssociationsStatus = "解除LRC LYR TLY类型文件的关联";
constexpr std::string_view kWavToMp3Status = "WAV音频格式转为MP3格式";
constexpr std::string_view kAbout = "关于(&A)...";
constexpr std::string_view kUserManualItem = "用户手册\tF1";

// The verify dialog ("验证同步结果"): caption, controls, its browse filters and its messages.
constexpr std::string_view kVerifyTitle = "验证音频和SAMI同步";
constexpr std::string_view kVerifyPrompt = "请选择音频和相应的SAMI文件:";
constexpr std::string_view kVerifyBrowseAudio = "浏览 ->音频文件";
constexpr std::string_view kVerifyBrowseSami = "浏览 ->SMI文件";
constexpr std::string_view kVerifyPlay = "播放";
constexpr std::string_view kVerifyCaption = "NORVA MP3编辑软件";
constexpr std::string_view kSoundFilesLabel = "声音文件";
constexpr std::string_view kVerifyWavLabel = "Wav files (*.wav)";
constexpr std::string_view kVerifyAiffLabel = "AIFF (*.aiff *.aif *.aifc)";
constexpr std::string_view kVerifyAuLabel = "SUN AU (*.au *.snd)";

// The player's screen beside the text (a View menu item and the pane's title).
constexpr std::string_view kPlayerScreen = "小机屏幕";

}  // namespace norva::editor::text
