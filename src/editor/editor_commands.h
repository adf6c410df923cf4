#pragma once
// Every command of the editor as data: its number (the action's identifier), where it sits in
// the menus, its label and keys, and when it is enabled and checked. The windows build their
// menus, toolbars and key bindings from this table and ask it before carrying out a command.
#include <array>
#include <span>
#include <string_view>

#include "editor/lyric_file_type.h"

namespace norva::editor {

namespace command {
constexpr int kSeparator = 0;
constexpr int kNew = 57600;
constexpr int kOpen = 57601;
constexpr int kSave = 57603;
constexpr int kSaveAs = 57604;
constexpr int kPrintSetup = 57606;
constexpr int kPrint = 57607;
constexpr int kPrintDirect = 57608;
constexpr int kPrintPreview = 57609;
constexpr int kRecentFiles = 57616;  // the first recent file; the others follow
constexpr int kExit = 57665;
constexpr int kUndo = 57643;
constexpr int kCut = 57635;
constexpr int kCopy = 57634;
constexpr int kPaste = 57637;
constexpr int kNextPane = 57680;
constexpr int kPreviousPane = 57681;
constexpr int kChooseFont = 32771;
constexpr int kWordWrap = 32815;
constexpr int kMainToolbar = 59392;
constexpr int kSyncToolbar = 32848;
constexpr int kStatusBar = 59393;
constexpr int kOpenAudio = 32774;
constexpr int kSetPosition = 32835;
constexpr int kSyncFromCursor = 32836;
constexpr int kForward = 32837;
constexpr int kBackward = 32838;
constexpr int kPlay = 32786;
constexpr int kPause = 32787;
constexpr int kStop = 32793;
constexpr int kStepBack = 32779;
constexpr int kSync = 32778;
constexpr int kInsertLineBreak = 32831;
constexpr int kConvertToLyr = 32776;
constexpr int kTlyToSami = 32851;
constexpr int kVerifySync = 32777;
constexpr int kLrcToLyr = 32858;
constexpr int kBatchLrcToLyr = 32859;
constexpr int kMp3ToMpr = 32856;
constexpr int kBatchMp3ToMpr = 32857;
constexpr int kBatchTextEncoding = 32860;
constexpr int kSetAssociations = 32861;
constexpr int kRemoveAssociations = 32862;
constexpr int kAbout = 57664;
constexpr int kUserManual = 32792;
constexpr int kWavToMp3 = 32853;  // the Convert menu's last item; no button or key carries it
constexpr int kPlayerScreen = 32901;  // the player's screen beside the text (our own)
}  // namespace command

enum class Menu { File, Edit, View, Audio, Convert, Settings, Help, None };

const char* toString(Menu menu);
// The menu's title ("文件(&F)" ...); empty for None.
std::string_view menuTitle(Menu menu);

// The piece of the program a command belongs to. Commands of pieces not yet in the program
// are listed with their labels and stay disabled.
enum class Feature : unsigned {
  Editor = 1u << 0,
  Audio = 1u << 1,
  SamiTools = 1u << 2,
  Batch = 1u << 3,
  Associations = 1u << 4,
  WavToMp3 = 1u << 5,
  ConverterDialogs = 1u << 6,  // the single MPR dialog and the text encoding dialog
};

const char* toString(Feature feature);

// What the enabling and check rules look at.
struct CommandState {
  unsigned features = static_cast<unsigned>(Feature::Editor);  // pieces present, ORed
  LyricFileType type = LyricFileType::Text;
  bool textEmpty = true;
  int syncCount = 0;
  bool audioOpen = false;
  bool paused = false;
  bool stopped = false;
  bool canUndo = false;
  bool hasSelection = false;
  bool canPaste = false;
  size_t recentFiles = 0;
  bool mainToolbarVisible = true;
  bool syncToolbarVisible = true;
  bool statusBarVisible = true;
  bool wordWrap = false;
  bool playerScreenVisible = false;
  bool associated = false;  // the association test: ".lyr" names the editor's type
};

using CommandRule = bool (*)(const CommandState&);

struct EditorCommand {
  int id = command::kSeparator;
  Menu menu = Menu::None;
  std::string_view text;                   // the menu item: label, then a tab and the shown keys
  std::array<std::string_view, 2> keys{};  // key bindings ("Ctrl+N", "Alt+Backspace")
  Feature feature = Feature::Editor;
  CommandRule enabled = nullptr;
  CommandRule checked = nullptr;  // nullptr: not a check item

  bool isSeparator() const { return id == command::kSeparator; }
};

// Every menu item in menu order (separators included, the recent-file list as its first
// command), then the commands without a menu item.
std::span<const EditorCommand> editorCommands();

// The command of that number; nullptr for numbers the editor does not know.
const EditorCommand* findCommand(int id);

// Enabled when its piece is present and its rule holds; disabled commands are not carried out,
// whether chosen from a menu, a button or a key.
bool isEnabled(int id, const CommandState& state);
bool isChecked(int id, const CommandState& state);

// What the status bar shows while the pointer is on the command: its own text where it has one,
// else its menu text.
std::string_view statusText(int id);

// The toolbars' buttons in order (kSeparator between groups).
std::span<const int> mainToolbarButtons();
std::span<const int> syncToolbarButtons();

}  // namespace norva::editor
