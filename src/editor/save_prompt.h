#pragma once
// The question "save the file?" asked before the document is replaced or closed, and what
// happens after the answer.
#include <string_view>

#include "base/prompter.h"

namespace norva::editor {

// Who asks: the question mark and caption differ.
enum class SavePromptCaller { Close, New, OpenDialog, AudioOpen };

const char* toString(SavePromptCaller caller);

// "保存文件 " + title + "？" or "?", Yes/No/Cancel, question icon, the caller's caption.
Message savePrompt(SavePromptCaller caller, std::string_view title);

enum class AfterSavePrompt { Continue, Stop };

const char* toString(AfterSavePrompt after);

// Yes goes on only when the save it ran really saved (a cancelled or refused Save As must not
// let New or Open empty the unsaved text); No goes on; Cancel stops.
AfterSavePrompt afterSavePrompt(Answer answer, bool saved);

// The question before an existing file is replaced: its path in the text, Yes/No, warning icon.
Message overwritePrompt(std::string_view path);

}  // namespace norva::editor
