#include "base/prompter.h"

#include <gtest/gtest.h>

#include "base/recording_prompter.h"

namespace norva {
namespace {

TEST(Prompter, TellShowsOneOkBoxWithTheGivenIcon) {
  RecordingPrompter prompter({Answer::Cancel});
  tell(prompter, "转化完毕!", "MP3-->MPR", MessageIcon::Warning);
  tell(prompter, "Create file failure!", "Compile Error information");
  EXPECT_EQ(
      prompter.messages,
      (std::vector<Message>{{"转化完毕!", "MP3-->MPR", MessageIcon::Warning, MessageButtons::Ok},
                            {"Create file failure!", "Compile Error information", MessageIcon::None,
                             MessageButtons::Ok}}));
}

}  // namespace
}  // namespace norva
