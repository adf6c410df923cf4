#include <gtest/gtest.h>

#include "editor/save_prompt.h"

namespace norva::editor {
namespace {

TEST(SavePrompt, FourCallersFourForms) {
  struct Row {
    SavePromptCaller caller;
    const char* text;
    const char* caption;
  };
  const Row rows[] = {
      {SavePromptCaller::Close, "保存文件 song.tly？", "NORVA MP3歌词编辑软件"},
      {SavePromptCaller::New, "保存文件 song.tly?", "NORVA RD710歌词编辑软件"},
      {SavePromptCaller::OpenDialog, "保存文件 song.tly?", "NORVA RD710歌词编辑软件"},
      {SavePromptCaller::AudioOpen, "保存文件 song.tly？", "NORVA MP3歌词编辑软件"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(savePrompt(row.caller, "song.tly"),
              (Message{row.text, row.caption, MessageIcon::Question, MessageButtons::YesNoCancel}))
        << toString(row.caller);
}

TEST(SavePrompt, YesGoesOnOnlyWhenTheSaveSaved) {
  struct Row {
    Answer answer;
    bool saved;
    AfterSavePrompt after;
  };
  const Row rows[] = {
      {Answer::Yes, true, AfterSavePrompt::Continue},
      {Answer::Yes, false, AfterSavePrompt::Stop},
      {Answer::No, false, AfterSavePrompt::Continue},
      {Answer::Cancel, false, AfterSavePrompt::Stop},
  };
  for (const Row& row : rows)
    EXPECT_EQ(afterSavePrompt(row.answer, row.saved), row.after)
        << toString(row.answer) << " " << row.saved;
}

}  // namespace
}  // namespace norva::editor
