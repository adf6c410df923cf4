#include "editor/service/editor_session.h"

#include <sys/stat.h>

#include <cstdio>
#include <system_error>

#include "base/gbk_codec.h"
#include "base/service/file_io.h"
#include "editor/convert_rules.h"
#include "editor/editor_messages.h"
#include "editor/file_filters.h"
#include "editor/service/document_loader.h"
#include "editor/service/lyrics_adapter.h"

namespace norva::editor {
namespace {

// The largest file the editor opens.
constexpr uint64_t kMaxOpenBytes = 32767;

std::string formatted(std::string_view format, const std::string& argument) {
  std::vector<char> buffer(format.size() + argument.size() + 1);
  std::snprintf(buffer.data(), buffer.size(), std::string(format).c_str(), argument.c_str());
  return buffer.data();
}

std::string namingCharacter(std::string_view format, char32_t character) {
  std::vector<char> buffer(format.size() + 32);
  std::snprintf(buffer.data(), buffer.size(), std::string(format).c_str(),
                codePointToUtf8(character).c_str(), static_cast<unsigned>(character));
  return buffer.data();
}

// A file the user has made read-only is not replaced, although an atomic save could.
bool isReadOnlyFile(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::is_regular_file(status)) return false;
  return (status.permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}

bool writeText(const std::filesystem::path& path, std::string_view text) {
  if (isReadOnlyFile(path)) return false;
  return writeFileAtomically(path, text).ok();
}

}  // namespace

const char* toString(CommandOutcome outcome) {
  switch (outcome) {
    case CommandOutcome::Done:
      return "Done";
    case CommandOutcome::Cancelled:
      return "Cancelled";
    case CommandOutcome::Refused:
      return "Refused";
    case CommandOutcome::Disabled:
      return "Disabled";
    case CommandOutcome::NotSessionCommand:
      return "NotSessionCommand";
  }
  return "?";
}

EditorSession::EditorSession(Prompter& prompter, FileChooser& chooser,
                             std::vector<std::string> recentFiles)
    : prompter_(prompter), chooser_(chooser), recent_(std::move(recentFiles)) {
  document_.resetToNew();
}

std::string EditorSession::displayText() const {
  return gbkToUtf8(document_.text());
}

std::optional<char32_t> EditorSession::setTextFromView(std::string_view utf8) {
  GbkConversion conversion = utf8ToGbkNaming(utf8);
  if (conversion.status != GbkConversion::Status::Ok) {
    pendingUnencodable_ = conversion.unencodable;
    document_.setModified(true);
    return pendingUnencodable_;
  }
  pendingUnencodable_.reset();
  document_.edit(std::move(conversion.gbk));
  return std::nullopt;
}

void EditorSession::editText(std::string gbkText) {
  pendingUnencodable_.reset();
  document_.edit(std::move(gbkText));
}

CommandState EditorSession::commandState() const {
  CommandState state;
  state.features |= static_cast<unsigned>(Feature::SamiTools);  // the export is the session's
  state.type = document_.type();
  state.textEmpty = document_.text().empty();
  state.syncCount = document_.syncCount();
  state.recentFiles = recent_.entries().size();
  return state;
}

CommandOutcome EditorSession::run(int commandId) {
  if (!isEnabled(commandId, commandState())) return CommandOutcome::Disabled;
  switch (commandId) {
    case command::kNew:
      return newDocument();
    case command::kOpen:
      return openWithDialog();
    case command::kSave:
      return save();
    case command::kSaveAs:
      return saveAs();
    case command::kConvertToLyr:
      return convertToLyr();
    case command::kLrcToLyr:
      return convertLrcToLyr();
    case command::kTlyToSami:
      return exportSami();
    default:
      return CommandOutcome::NotSessionCommand;
  }
}

void EditorSession::showError(std::string_view message) {
  prompter_.show({std::string(message), std::string(text::kErrorCaption), MessageIcon::Error,
                  MessageButtons::Ok});
}

bool EditorSession::refuseUnencodable(std::string_view messageFormat) {
  if (!pendingUnencodable_) return false;
  prompter_.show({namingCharacter(messageFormat, *pendingUnencodable_),
                  std::string(text::kFrameTitle), MessageIcon::Warning, MessageButtons::Ok});
  return true;
}

AfterSavePrompt EditorSession::promptToSave(SavePromptCaller caller) {
  if (!document_.modified()) return AfterSavePrompt::Continue;
  const Answer answer = prompter_.show(savePrompt(caller, document_.title()));
  const bool saved = answer == Answer::Yes && save() == CommandOutcome::Done;
  return afterSavePrompt(answer, saved);
}

CommandOutcome EditorSession::newDocument() {
  if (promptToSave(SavePromptCaller::New) == AfterSavePrompt::Stop)
    return CommandOutcome::Cancelled;
  pendingUnencodable_.reset();
  document_.resetToNew();
  statusMessage_.clear();
  return CommandOutcome::Done;
}

CommandOutcome EditorSession::requestClose() {
  return promptToSave(SavePromptCaller::Close) == AfterSavePrompt::Continue
             ? CommandOutcome::Done
             : CommandOutcome::Cancelled;
}

CommandOutcome EditorSession::openPath(std::string_view path) {
  if (promptToSave(SavePromptCaller::Close) == AfterSavePrompt::Stop)
    return CommandOutcome::Cancelled;
  const std::filesystem::path file{std::string(trimTrailingBlanks(path))};
  return openFile(file, fileTypeFromName(file.filename().string()), true, text::kConverterCaption);
}

CommandOutcome EditorSession::openWithDialog() {
  if (promptToSave(SavePromptCaller::OpenDialog) == AfterSavePrompt::Stop)
    return CommandOutcome::Cancelled;
  const std::optional<ChosenFile> chosen = chooser_.choosePathToOpen({openFilters(), {}});
  if (!chosen) return CommandOutcome::Cancelled;
  // A name with none of the five extensions is read as the document's present type.
  return openFile(chosen->path, fileTypeFromName(chosen->path.string()), false, text::kFrameTitle);
}

CommandOutcome EditorSession::openFile(const std::filesystem::path& path,
                                       std::optional<LyricFileType> type, bool typeRequired,
                                       std::string_view tooLargeCaption) {
  const ReadResult file = readWholeFile(path, kMaxOpenBytes);
  if (file.status == ReadResult::Status::CannotOpen) return CommandOutcome::Refused;
  if (file.status == ReadResult::Status::TooLarge) {
    prompter_.show({std::string(text::kFileTooLarge), std::string(tooLargeCaption),
                    MessageIcon::Warning, MessageButtons::Ok});
    return CommandOutcome::Refused;
  }
  if (!type && typeRequired) return CommandOutcome::Refused;
  const LyricFileType documentType = type.value_or(document_.type());
  LoadedText loaded = loadDocumentText(documentType, file.bytes);
  switch (loaded.status) {
    case LoadedText::Status::NotLyr:
      return CommandOutcome::Refused;  // the document as it was
    case LoadedText::Status::Unencodable:
      prompter_.show({namingCharacter(text::kUnencodableOnOpen, loaded.unencodable),
                      std::string(text::kFrameTitle), MessageIcon::Warning, MessageButtons::Ok});
      return CommandOutcome::Refused;
    case LoadedText::Status::Ok:
      break;
  }
  const std::filesystem::path absolute = std::filesystem::absolute(path);
  pendingUnencodable_.reset();
  document_.adoptOpenedFile(absolute, documentType, std::move(loaded.text), loaded.lyrFont);
  recent_.add(absolute.string());
  statusMessage_ = formatted(text::kEncodingRead, toString(loaded.encoding));
  return CommandOutcome::Done;
}

CommandOutcome EditorSession::save() {
  if (document_.untitled()) return saveAs();
  if (refuseUnencodable(text::kUnencodableOnSave)) return CommandOutcome::Refused;
  if (document_.type() == LyricFileType::Lyr) {
    // The font of the opened file's header; a compile that wrote nothing leaves the document
    // modified.
    const LyrFontChoice font = document_.lyrFont().value_or(LyrFontChoice::Large);
    if (compileTimedTextToLyr(document_.text(), document_.path(), font, prompter_) !=
        CompileOutcome::Written)
      return CommandOutcome::Refused;
  } else if (!writeText(document_.path(), document_.text())) {
    showError(text::kCannotSaveReadOnly);
    return CommandOutcome::Refused;
  }
  document_.markSaved();
  recent_.add(document_.path().string());
  return CommandOutcome::Done;
}

CommandOutcome EditorSession::saveAs() {
  if (refuseUnencodable(text::kUnencodableOnSave)) return CommandOutcome::Refused;
  const LyricFileType type = document_.type();
  const std::optional<ChosenFile> chosen =
      chooser_.choosePathToSave({saveAsFilters(type), document_.path().filename()});
  if (!chosen) return CommandOutcome::Cancelled;
  const std::filesystem::path target = saveAsTarget(chosen->path, type, chosen->filterIndex);
  if (!confirmOverwrite(chosen->path, target)) return CommandOutcome::Cancelled;

  std::string written =
      type == LyricFileType::Sami ? samiAsTimedText(document_.text()) : document_.text();
  if (!writeText(target, written)) {
    showError(text::kCannotSave);
    return CommandOutcome::Refused;
  }
  const std::filesystem::path absolute = std::filesystem::absolute(target);
  document_.adoptSavedAs(absolute, typeAfterSaveAs(type), std::move(written));
  recent_.add(absolute.string());
  return CommandOutcome::Done;
}

bool EditorSession::confirmOverwrite(const std::filesystem::path& chosen,
                                     const std::filesystem::path& target) {
  // The dialog asked about the name it returned; a name we extended is asked about here.
  std::error_code error;
  if (target == chosen || !std::filesystem::exists(target, error)) return true;
  return prompter_.show(overwritePrompt(target.string())) == Answer::Yes;
}

CommandOutcome EditorSession::convertToLyr() {
  if (!isEnabled(command::kConvertToLyr, commandState())) return CommandOutcome::Disabled;
  return compileToLyr();
}

CommandOutcome EditorSession::convertLrcToLyr() {
  if (!isEnabled(command::kLrcToLyr, commandState())) return CommandOutcome::Disabled;
  return compileToLyr();
}

CommandOutcome EditorSession::compileToLyr() {
  if (refuseUnencodable(text::kUnencodableOnSave)) return CommandOutcome::Refused;
  const std::string& text = document_.text();
  const std::optional<ChosenFile> chosen =
      chooser_.choosePathToSave({convertFilters(text), document_.path().stem()});
  if (!chosen) return CommandOutcome::Cancelled;
  const std::filesystem::path output = lyrOutputPath(chosen->path);
  if (!confirmOverwrite(chosen->path, output)) return CommandOutcome::Cancelled;
  const LyrFontChoice font = convertFont(text, chosen->filterIndex);
  if (beforeCompile_) beforeCompile_();

  CompileOutcome outcome = CompileOutcome::Refused;
  switch (document_.type()) {
    case LyricFileType::Tly:
      outcome = compileTimedTextToLyr(text, output, font, prompter_);
      break;
    case LyricFileType::Sami:
      outcome = compileTimedTextToLyr(samiAsTimedText(text), output, font, prompter_);
      break;
    case LyricFileType::Lrc: {
      std::string lrc = text;
      if (!lrc.ends_with('\n')) lrc += "\r\n";
      outcome = compileLrcTextToLyr(lrc, output, font, prompter_);
      break;
    }
    case LyricFileType::Text:
    case LyricFileType::Lyr:
      return CommandOutcome::Disabled;
  }
  switch (outcome) {
    case CompileOutcome::Written:
      return CommandOutcome::Done;
    case CompileOutcome::Cancelled:
      return CommandOutcome::Cancelled;
    case CompileOutcome::Refused:
      return CommandOutcome::Refused;
  }
  return CommandOutcome::Refused;
}

CommandOutcome EditorSession::exportSami() {
  if (!isEnabled(command::kTlyToSami, commandState())) return CommandOutcome::Disabled;
  if (refuseUnencodable(text::kUnencodableOnSave)) return CommandOutcome::Refused;
  const std::optional<ChosenFile> chosen = chooser_.choosePathToSave(
      {{{text::kSamiExportLabel, text::kSamiExportPattern}}, document_.path().stem()});
  if (!chosen) return CommandOutcome::Cancelled;
  const std::filesystem::path output = samiOutputPath(chosen->path);
  if (!confirmOverwrite(chosen->path, output)) return CommandOutcome::Cancelled;
  if (!writeText(output, samiFileOf(document_.text()))) {
    prompter_.show({std::string(samiWriteFailedText()), std::string(text::kAppName),
                    MessageIcon::Error, MessageButtons::Ok});
    return CommandOutcome::Refused;
  }
  return CommandOutcome::Done;
}

std::optional<std::filesystem::path> EditorSession::chooseAudioFile() {
  if (promptToSave(SavePromptCaller::AudioOpen) == AfterSavePrompt::Stop) return std::nullopt;
  const std::optional<ChosenFile> chosen = chooser_.choosePathToOpen({audioFilters(), {}});
  if (!chosen) return std::nullopt;
  return chosen->path;
}

void EditorSession::nameAfterAudio(const std::filesystem::path& audio) {
  document_.adoptAudioName(tlyPathForAudio(std::filesystem::absolute(audio)));
}

}  // namespace norva::editor
