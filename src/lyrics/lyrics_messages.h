#pragma once
// The texts and captions the lyric tools show, in UTF-8, exactly as the user sees them.
#include <string_view>

namespace norva::lyr::text {

constexpr std::string_view kEditorCaption = "NORVA MP3歌词编辑软件";
constexpr std::string_view kErrorCaption = "错误";
constexpr std::string_view kFileTooLong = "文件太长!";
constexpr std::string_view kCannotWrite = "不能写文件！      ";
constexpr std::string_view kSaved = "保存成功!";

constexpr std::string_view kCompileErrorCaption = "Compile Error information";
constexpr std::string_view kLoadFailed = "Load file is error!";
constexpr std::string_view kLrcTooLarge = "LRC文件太大!";
constexpr std::string_view kCreateFailed = "Create file failure!";
constexpr std::string_view kNoText = "程序处理缺陷!";
constexpr std::string_view kScreenTooLong = "单屏显示字符过长!";
constexpr std::string_view kUnknownError = "未知错误!";

constexpr std::string_view kTooManyScreens = "屏数超过256屏后将无法显示";
constexpr std::string_view kTooManyScreensCaption = "MP3-->MPR";  // both texts of 256 screens
constexpr std::string_view kConverted = "转换完毕!";
constexpr std::string_view kLrcConverterCaption = "LRC歌词转换软件";

constexpr std::string_view kMp3Missing = "指定的MP3文件不存在,或者正在使用!";
constexpr std::string_view kMprFailedCaption = "MPR转化失败";
// The MP3 holds no MPEG audio the player could play (the preview's header search finds none).
constexpr std::string_view kMp3NoAudio = "指定的MP3文件中没有找到MPEG音频数据!";
constexpr std::string_view kMprTooManyScreens = "屏数超过256后将不显示其后的数据";
constexpr std::string_view kNotLyr = "歌词文件不是有效的LYR文件!";

// The layout warning; %d is the screen number. The Large-font form of the compiler starts
// with an extra "\t\n".
constexpr std::string_view kLayoutWarningLarge =
    "第%d段文本太长或换行符太多\t\n小机将不能完全显示该行文本!\t\n\t\n是否全部忽略继续转化?\t\n\t\n"
    "是    全部忽略不再检查\t\n否    继续检查\t\n取消  退出转换";
constexpr std::string_view kLayoutWarningSmall =
    "第%d段文本太长或换行符太多\t\n小机将不能完全显示该行文本!\t\n\t\n是否全部忽略继续转化?\t\n\t\n"
    "是  全部忽略不再检查\t\n否  继续检查\t\n取消  退出转换";

// What a SAMI file gives for the verify dialog's timetable, as norva timetable reports it.
constexpr std::string_view kSamiWithoutBody =
    "no <BODY> ... </BODY>: the verify dialog builds no timetable from it";
constexpr std::string_view kTimetableCut =
    "entries starting after 255 minutes or beyond the 64,000-byte timetable were left out";

// Converting text files for the player.
constexpr std::string_view kTextConverterCaption = "TXT文件转换";
constexpr std::string_view kTextSourceOpenFailed = "原文件打开失败!";
constexpr std::string_view kTextTooLong = "TXT文本过长!\r\n MP3播发器将不支持!";
constexpr std::string_view kTextBatchCaption = "TXT转换";
constexpr std::string_view kTextBatchDone = "转化完成!";

// The batch converters. The LRC and text converters share their "nothing to convert" text.
constexpr std::string_view kNothingToConvert = "没有待转换文件或歌词目录、输出目录为空!";
constexpr std::string_view kLrcBatchCaption = "LRC-->LYR软件";
constexpr std::string_view kLrcBatchDone = "转化完成.";
constexpr std::string_view kLrcBatchDoneCaption = "LRC转LYR";
constexpr std::string_view kLrcBatchBusy = "请先取消转化";
constexpr std::string_view kMprBatchCaption = "MP3-->MPR";
constexpr std::string_view kMprNothingToConvert = "没有待转换文件或歌词目录 输出目录为空!";
constexpr std::string_view kMprChooseLyricKind = "请选择相应的歌词文件类型!\r\n TLY  LYR  LRC";
constexpr std::string_view kMprBatchDone = "转化完毕!";
constexpr std::string_view kMprBatchStopped = "已经取消!";
constexpr std::string_view kMprBatchBusy = "请先取消转换!";

// The single MPR dialog ("MPR转换工具").
constexpr std::string_view kMprToolCaption = "MPR转换工具";
constexpr std::string_view kMprToolChoosePaths = "请选择MP3或LYR文件!";
constexpr std::string_view kMprToolCancelled = "已经取消!";
constexpr std::string_view kMprToolDone = "转化完毕!";
constexpr std::string_view kMprToolMp3Button = "MP3路径";
constexpr std::string_view kMprToolLyricButton = "LYR路径";
constexpr std::string_view kMprToolConvert = "转换(&S)";
constexpr std::string_view kMprToolMp3Filter = "MP3 files (*.MP3)|*.mp3";
constexpr std::string_view kMprToolLyricFilters =
    "歌词转换文件(*.LYR;*.LRC)|*.LYR;*.LRC|lyr files (*.LYR)|*.lyr|lrc files (*.LRC)|*.lrc";

// The text encoding dialog ("TEXT文件转换").
constexpr std::string_view kTextDialogTitle = "TEXT文件转换";
constexpr std::string_view kTextDialogInputs = "待转化TEXT文件";
constexpr std::string_view kTextDialogOutputs = "转化后TXT文件";
constexpr std::string_view kTextDialogFilter = "TXT files (*.txt)|*.txt";

// What the batch dialogs share.
constexpr std::string_view kQuitButton = "退出(&Q)";
constexpr std::string_view kBrowseButton = "浏览...";
constexpr std::string_view kAddButton = "添加(&A)";
constexpr std::string_view kDeleteButton = "删除(&D)";
constexpr std::string_view kClearButton = "清空(&C)";
constexpr std::string_view kStartButton = "开始转化(&S)";
constexpr std::string_view kStopButton = "停止转化(&E)";
constexpr std::string_view kFolderPickerTitle = "目录选择";
constexpr std::string_view kFileColumn = "File";
constexpr std::string_view kFolderColumn = "Folder";
constexpr std::string_view kBytesColumn = "Bytes";

// The LRC batch dialog ("LRC-->LYR").
constexpr std::string_view kLrcBatchTitle = "LRC-->LYR";
constexpr std::string_view kLrcBatchInputs = "待转化LRC文件";
constexpr std::string_view kLrcBatchOutputs = "转化后LYR文件";
constexpr std::string_view kLrcBatchFilter = "LRC files (*.lrc)|*.LRC";

// The MPR batch dialog (titled as the single MPR dialog).
constexpr std::string_view kMprBatchInputs = "待转换的MP3文件";
constexpr std::string_view kMprBatchOutputs = "输出MPR文件";
constexpr std::string_view kMprBatchLyricFolder = "歌词目录：";
constexpr std::string_view kMprBatchOutputFolder = "输出目录：";
constexpr std::string_view kMprBatchFilter = "MP3 files (*.mp3)|*.mp3";
constexpr std::string_view kMprBatchClearInputs = "清空";
constexpr std::string_view kMprBatchClearOutputs = "清除(&C)";
constexpr std::string_view kMprBatchKindTly = "TLY";
constexpr std::string_view kMprBatchKindLyr = "LYR";
constexpr std::string_view kMprBatchKindLrc = "LRC";

}  // namespace norva::lyr::text
