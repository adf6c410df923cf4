#pragma once
// The lyric editor's file commands below the windows: New, Open (by path and through the
// dialog), Save, Save As, the close request and the two convert-to-LYR commands, with every
// message they show, and the SAMI export. The windows hold an EditorSession, hand it the text the
// user edits and show the document it keeps.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"
#include "editor/editor_commands.h"
#include "editor/lyric_document.h"
#include "editor/recent_files.h"
#include "editor/save_prompt.h"
#include "editor/service/file_chooser.h"
#include "editor/service/text_encoding.h"

namespace norva::editor {

enum class CommandOutcome {
  Done,               // the command did what it was asked
  Cancelled,          // the user said no somewhere; nothing changed
  Refused,            // it could not be done (a message said why, or the file could not be opened)
  Disabled,           // the command is not enabled in this state
  NotSessionCommand,  // a command the windows carry out themselves
};

const char* toString(CommandOutcome outcome);

class EditorSession {
 public:
  EditorSession(Prompter& prompter, FileChooser& chooser,
                std::vector<std::string> recentFiles = {});

  const LyricDocument& document() const { return document_; }
  LyricDocument& document() { return document_; }
  const RecentFileList& recentFiles() const { return recent_; }

  // The text as the view shows it (UTF-8).
  std::string displayText() const;
  // The user edited the text in the view. A character GBK cannot hold is kept out of the
  // document and named; until the view's text is GBK again, Save, Save As and the converts
  // refuse with a message and write nothing.
  std::optional<char32_t> setTextFromView(std::string_view utf8);
  // An edit made in GBK (the line-break mark, a time tag).
  void editText(std::string gbkText);

  // The status bar's message after an open: which encoding was read.
  const std::string& statusMessage() const { return statusMessage_; }

  // The enabling state of the file and convert commands (the windows add theirs).
  CommandState commandState() const;
  // Runs a file or convert command by its number when it is enabled; the other commands of
  // the table are the windows' own (NotSessionCommand).
  CommandOutcome run(int commandId);

  CommandOutcome newDocument();     // 57600
  CommandOutcome openWithDialog();  // 57601
  // Open by path (the command line, the shell, the recent-file list): the close prompt first,
  // trailing blanks of the path removed, a file with none of the five extensions refused.
  CommandOutcome openPath(std::string_view path);
  CommandOutcome save();    // 57603
  CommandOutcome saveAs();  // 57604
  // The window is asked to close: Done when it may close.
  CommandOutcome requestClose();
  CommandOutcome convertToLyr();     // 32776, Tly, Sami and Lrc documents
  CommandOutcome convertLrcToLyr();  // 32858, Lrc documents
  // 32851, Tly documents: writes the SAMI file of the text; the document does not change.
  CommandOutcome exportSami();

  // Open audio file, before the audio opens: the save prompt of a modified document, then the
  // audio file dialog. Nothing when the user cancelled either.
  std::optional<std::filesystem::path> chooseAudioFile();
  // The audio opened: the text becomes the unsaved TLY document named after `audio`.
  void nameAfterAudio(const std::filesystem::path& audio);
  // Called by the convert commands once the output is chosen, just before they compile (the
  // windows stop the playing audio there).
  void setBeforeCompile(std::function<void()> beforeCompile) {
    beforeCompile_ = std::move(beforeCompile);
  }

 private:
  // The save prompt when the document is modified; Continue when the command may go on.
  AfterSavePrompt promptToSave(SavePromptCaller caller);
  // Reads and loads the file. Without `type` it is read as the document's present type, unless
  // `typeRequired`, when a name with none of the five extensions fails without a message.
  CommandOutcome openFile(const std::filesystem::path& path, std::optional<LyricFileType> type,
                          bool typeRequired, std::string_view tooLargeCaption);
  CommandOutcome compileToLyr();
  bool refuseUnencodable(std::string_view messageFormat);
  bool confirmOverwrite(const std::filesystem::path& chosen, const std::filesystem::path& target);
  void showError(std::string_view text);

  Prompter& prompter_;
  FileChooser& chooser_;
  LyricDocument document_;
  RecentFileList recent_;
  std::optional<char32_t> pendingUnencodable_;
  std::string statusMessage_;
  std::function<void()> beforeCompile_;
};

}  // namespace norva::editor
