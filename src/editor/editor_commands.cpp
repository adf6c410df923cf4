#include "editor/editor_commands.h"

#include <algorithm>

#include "editor/editor_messages.h"

namespace norva::editor {
namespace {

using namespace command;

bool always(const CommandState&) {
  return true;
}
bool canUndo(const CommandState& s) {
  return s.canUndo;
}
bool hasSelection(const CommandState& s) {
  return s.hasSelection;
}
bool canPaste(const CommandState& s) {
  return s.canPaste;
}
bool hasRecentFiles(const CommandState& s) {
  return s.recentFiles > 0;
}
bool audioOpen(const CommandState& s) {
  return s.audioOpen;
}

bool canOpenAudio(const CommandState& s) {
  return !s.textEmpty && s.type != LyricFileType::Lrc &&
         !(s.type == LyricFileType::Tly && s.syncCount > 0);
}
bool canPlay(const CommandState& s) {
  return s.audioOpen && (s.paused || s.stopped);
}
bool canPause(const CommandState& s) {
  return s.audioOpen && !s.paused && !s.stopped;
}
bool canStop(const CommandState& s) {
  return s.audioOpen && !s.stopped;
}
bool canConvertToLyr(const CommandState& s) {
  return s.type == LyricFileType::Tly || s.type == LyricFileType::Sami ||
         s.type == LyricFileType::Lrc;
}
bool isLrc(const CommandState& s) {
  return s.type == LyricFileType::Lrc;
}
bool isTly(const CommandState& s) {
  return s.type == LyricFileType::Tly;
}
bool associated(const CommandState& s) {
  return s.associated;
}
bool notAssociated(const CommandState& s) {
  return !s.associated;
}

bool mainToolbarShown(const CommandState& s) {
  return s.mainToolbarVisible;
}
bool syncToolbarShown(const CommandState& s) {
  return s.syncToolbarVisible;
}
bool statusBarShown(const CommandState& s) {
  return s.statusBarVisible;
}
bool wordWrapOn(const CommandState& s) {
  return s.wordWrap;
}
bool playerScreenShown(const CommandState& s) {
  return s.playerScreenVisible;
}

constexpr EditorCommand separator(Menu menu) {
  return {kSeparator, menu, {}, {}, Feature::Editor, nullptr, nullptr};
}

// clang-format off
constexpr std::array kCommands{
    EditorCommand{kNew, Menu::File, text::kNew, {"Ctrl+N"}, Feature::Editor, always},
    EditorCommand{kOpen, Menu::File, text::kOpen, {"Ctrl+O"}, Feature::Editor, always},
    EditorCommand{kSave, Menu::File, text::kSave, {"Ctrl+S"}, Feature::Editor, always},
    EditorCommand{kSaveAs, Menu::File, text::kSaveAs, {}, Feature::Editor, always},
    separator(Menu::File),
    EditorCommand{kPrint, Menu::File, text::kPrint, {"Ctrl+P"}, Feature::Editor, always},
    EditorCommand{kPrintPreview, Menu::File, text::kPrintPreview, {}, Feature::Editor, always},
    EditorCommand{kPrintSetup, Menu::File, text::kPrintSetup, {}, Feature::Editor, always},
    separator(Menu::File),
    EditorCommand{kRecentFiles, Menu::File, {}, {}, Feature::Editor, hasRecentFiles},
    separator(Menu::File),
    EditorCommand{kExit, Menu::File, text::kExit, {}, Feature::Editor, always},

    EditorCommand{kUndo, Menu::Edit, text::kUndo, {"Ctrl+Z", "Alt+Backspace"}, Feature::Editor, canUndo},
    separator(Menu::Edit),
    EditorCommand{kCut, Menu::Edit, text::kCut, {"Ctrl+X", "Shift+Del"}, Feature::Editor, hasSelection},
    EditorCommand{kCopy, Menu::Edit, text::kCopy, {"Ctrl+C", "Ctrl+Ins"}, Feature::Editor, hasSelection},
    EditorCommand{kPaste, Menu::Edit, text::kPaste, {"Ctrl+V", "Shift+Ins"}, Feature::Editor, canPaste},
    separator(Menu::Edit),
    EditorCommand{kChooseFont, Menu::Edit, text::kChooseFont, {}, Feature::Editor, always},
    EditorCommand{kWordWrap, Menu::Edit, text::kWordWrap, {}, Feature::Editor, always, wordWrapOn},

    EditorCommand{kMainToolbar, Menu::View, text::kMainToolbar, {}, Feature::Editor, always, mainToolbarShown},
    EditorCommand{kSyncToolbar, Menu::View, text::kSyncToolbar, {}, Feature::Editor, always, syncToolbarShown},
    EditorCommand{kStatusBar, Menu::View, text::kStatusBar, {}, Feature::Editor, always, statusBarShown},
    EditorCommand{kPlayerScreen, Menu::View, text::kPlayerScreen, {}, Feature::Editor, always, playerScreenShown},

    EditorCommand{kOpenAudio, Menu::Audio, text::kOpenAudio, {"Alt+O"}, Feature::Audio, canOpenAudio},
    EditorCommand{kSetPosition, Menu::Audio, text::kSetPosition, {}, Feature::Audio, audioOpen},
    EditorCommand{kSyncFromCursor, Menu::Audio, text::kSyncFromCursor, {}, Feature::Audio, audioOpen},
    EditorCommand{kForward, Menu::Audio, text::kForward, {}, Feature::Audio, audioOpen},
    EditorCommand{kBackward, Menu::Audio, text::kBackward, {}, Feature::Audio, audioOpen},
    EditorCommand{kPlay, Menu::Audio, text::kPlay, {"Alt+P"}, Feature::Audio, canPlay},
    EditorCommand{kPause, Menu::Audio, text::kPause, {"Alt+B"}, Feature::Audio, canPause},
    EditorCommand{kStop, Menu::Audio, text::kStop, {"Alt+D"}, Feature::Audio, canStop},
    EditorCommand{kStepBack, Menu::Audio, text::kStepBack, {"Alt+R"}, Feature::Audio, audioOpen},
    EditorCommand{kSync, Menu::Audio, text::kSync, {"Alt+S"}, Feature::Audio, audioOpen},
    EditorCommand{kInsertLineBreak, Menu::Audio, text::kInsertLineBreak, {"Alt+I"}, Feature::Editor, always},
    separator(Menu::Audio),
    EditorCommand{kConvertToLyr, Menu::Audio, text::kConvertToLyr, {"Alt+T"}, Feature::Editor, canConvertToLyr},
    EditorCommand{kTlyToSami, Menu::Audio, text::kTlyToSami, {}, Feature::SamiTools, isTly},
    EditorCommand{kVerifySync, Menu::Audio, text::kVerifySync, {}, Feature::SamiTools, always},

    EditorCommand{kLrcToLyr, Menu::Convert, text::kLrcToLyr, {}, Feature::Editor, isLrc},
    EditorCommand{kBatchLrcToLyr, Menu::Convert, text::kBatchLrcToLyr, {}, Feature::Batch, always},
    separator(Menu::Convert),
    EditorCommand{kMp3ToMpr, Menu::Convert, text::kMp3ToMpr, {}, Feature::ConverterDialogs, always},
    EditorCommand{kBatchMp3ToMpr, Menu::Convert, text::kBatchMp3ToMpr, {}, Feature::Batch, always},
    separator(Menu::Convert),
    EditorCommand{kBatchTextEncoding, Menu::Convert, text::kBatchTextEncoding, {}, Feature::ConverterDialogs, always},
    EditorCommand{kWavToMp3, Menu::Convert, text::kWavToMp3, {}, Feature::WavToMp3, always},

    EditorCommand{kSetAssociations, Menu::Settings, text::kSetAssociations, {}, Feature::Associations, notAssociated},
    EditorCommand{kRemoveAssociations, Menu::Settings, text::kRemoveAssociations, {}, Feature::Associations, associated},

    EditorCommand{kAbout, Menu::Help, text::kAbout, {}, Feature::Editor, always},
    EditorCommand{kUserManual, Menu::Help, text::kUserManualItem, {"F1"}, Feature::Editor, always},

    EditorCommand{kPrintDirect, Menu::None, {}, {}, Feature::Editor, always},
    EditorCommand{kNextPane, Menu::None, {}, {"F6"}, Feature::Editor, always},
    EditorCommand{kPreviousPane, Menu::None, {}, {"Shift+F6"}, Feature::Editor, always},
};
// clang-format on

constexpr std::array kMainToolbarButtons{kNew,          kOpen,      kSave,           kSeparator,
                                         kCut,          kCopy,      kPaste,          kSeparator,
                                         kConvertToLyr, kOpenAudio, kInsertLineBreak};
constexpr std::array kSyncToolbarButtons{kPlay,     kPause, kStop,    kForward,
                                         kBackward, kSync,  kStepBack};

}  // namespace

const char* toString(Menu menu) {
  switch (menu) {
    case Menu::File:
      return "File";
    case Menu::Edit:
      return "Edit";
    case Menu::View:
      return "View";
    case Menu::Audio:
      return "Audio";
    case Menu::Convert:
      return "Convert";
    case Menu::Settings:
      return "Settings";
    case Menu::Help:
      return "Help";
    case Menu::None:
      return "None";
  }
  return "?";
}

std::string_view menuTitle(Menu menu) {
  switch (menu) {
    case Menu::File:
      return text::kMenuFile;
    case Menu::Edit:
      return text::kMenuEdit;
    case Menu::View:
      return text::kMenuView;
    case Menu::Audio:
      return text::kMenuAudio;
    case Menu::Convert:
      return text::kMenuConvert;
    case Menu::Settings:
      return text::kMenuSettings;
    case Menu::Help:
      return text::kMenuHelp;
    case Menu::None:
      return {};
  }
  return {};
}

const char* toString(Feature feature) {
  switch (feature) {
    case Feature::Editor:
      return "Editor";
    case Feature::Audio:
      return "Audio";
    case Feature::SamiTools:
      return "SamiTools";
    case Feature::Batch:
      return "Batch";
    case Feature::Associations:
      return "Associations";
    case Feature::WavToMp3:
      return "WavToMp3";
    case Feature::ConverterDialogs:
      return "ConverterDialogs";
  }
  return "?";
}

std::span<const EditorCommand> editorCommands() {
  return kCommands;
}

const EditorCommand* findCommand(int id) {
  if (id == kSeparator) return nullptr;
  const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                               [id](const EditorCommand& c) { return c.id == id; });
  return it == kCommands.end() ? nullptr : &*it;
}

bool isEnabled(int id, const CommandState& state) {
  const EditorCommand* command = findCommand(id);
  if (command == nullptr) return false;
  if ((state.features & static_cast<unsigned>(command->feature)) == 0) return false;
  return command->enabled(state);
}

std::string_view statusText(int id) {
  switch (id) {
    case command::kSetAssociations:
      return text::kSetAssociationsStatus;
    case command::kRemoveAssociations:
      return text::kRemoveAssociationsStatus;
    case command::kWavToMp3:
      return text::kWavToMp3Status;
    default: {
      const EditorCommand* command = findCommand(id);
      return command != nullptr ? command->text : std::string_view();
    }
  }
}

bool isChecked(int id, const CommandState& state) {
  const EditorCommand* command = findCommand(id);
  return command != nullptr && command->checked != nullptr && command->checked(state);
}

std::span<const int> mainToolbarButtons() {
  return kMainToolbarButtons;
}

std::span<const int> syncToolbarButtons() {
  return kSyncToolbarButtons;
}

}  // namespace norva::editor
