#include "editor/save_prompt.h"

#include <string>

#include "editor/editor_messages.h"

namespace norva::editor {

const char* toString(SavePromptCaller caller) {
  switch (caller) {
    case SavePromptCaller::Close:
      return "Close";
    case SavePromptCaller::New:
      return "New";
    case SavePromptCaller::OpenDialog:
      return "OpenDialog";
    case SavePromptCaller::AudioOpen:
      return "AudioOpen";
  }
  return "?";
}

const char* toString(AfterSavePrompt after) {
  return after == AfterSavePrompt::Continue ? "Continue" : "Stop";
}

Message savePrompt(SavePromptCaller caller, std::string_view title) {
  const bool fullWidth = caller == SavePromptCaller::Close || caller == SavePromptCaller::AudioOpen;
  std::string question(text::kSavePromptPrefix);
  question += title;
  question += fullWidth ? text::kQuestionMarkFullWidth : text::kQuestionMark;
  return {question, std::string(fullWidth ? text::kFrameTitle : text::kAppName),
          MessageIcon::Question, MessageButtons::YesNoCancel};
}

AfterSavePrompt afterSavePrompt(Answer answer, bool saved) {
  switch (answer) {
    case Answer::Yes:
      return saved ? AfterSavePrompt::Continue : AfterSavePrompt::Stop;
    case Answer::No:
      return AfterSavePrompt::Continue;
    case Answer::Ok:
    case Answer::Cancel:
      return AfterSavePrompt::Stop;
  }
  return AfterSavePrompt::Stop;
}

Message overwritePrompt(std::string_view path) {
  const std::string_view format = text::kOverwriteQuestion;
  const size_t marker = format.find("%s");
  std::string question(format.substr(0, marker));
  question += path;
  question += format.substr(marker + 2);
  return {question, std::string(text::kOverwriteCaption), MessageIcon::Warning,
          MessageButtons::YesNo};
}

}  // namespace norva::editor
