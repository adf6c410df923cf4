// The man page's layout of norva's help texts.
#include <gtest/gtest.h>

#include "man_page.h"

namespace norva::manual {
namespace {

TEST(ManPage, EscapesWhatRoffWouldTakeAsControl) {
  const struct {
    const char* line;
    const char* expected;
  } rows[] = {
      {"plain text", "plain text"},
      {".lyr files", "\\&.lyr files"},  // would be a request
      {"'quoted", "\\&'quoted"},        // would be a request with no break
      {"a.b 'c'", "a.b 'c'"},           // only the first character matters
      {"C:\\E\\x.exe", "C:\\eE\\ex.exe"},
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(roffEscape(row.line), row.expected) << row.line;
}

TEST(ManPage, HelpEntriesBecomeTaggedParagraphs) {
  const struct {
    const char* help;
    const char* expected;
  } rows[] = {
      {"Compiles a file.\nSecond line.\n", ".PP\nCompiles a file.\nSecond line.\n"},
      {"  -o OUT                 the file to write (replaced\n"
       "                         when it exists)\n",
       ".TP\n\\fB\\-o OUT\\fR\nthe file to write (replaced\nwhen it exists)\n"},
      {"  --font small|large  the font\n", ".TP\n\\fB\\-\\-font small|large\\fR\nthe font\n"},
      {"One.\n\nTwo.\n", ".PP\nOne.\n.PP\nTwo.\n"},
      {"commands:\n  create                 make a player\n",
       ".PP\ncommands:\n.TP\n\\fBcreate\\fR\nmake a player\n"},
      {"  .hidden                a dot file\n", ".TP\n\\fB\\&.hidden\\fR\na dot file\n"},
  };
  for (const auto& row : rows) EXPECT_EQ(helpToRoff(row.help), row.expected) << row.help;
}

const char* const kOverview =
    "usage: norva COMMAND [ARGS]\n"
    "       norva --version\n"
    "\n"
    "commands:\n"
    "  lyr IN -o OUT [--font auto|small|large]\n"
    "  screens IN.lyr\n"
    "  player create [--card MiB] | attach  (options: --drive 0|1)\n"
    "\n"
    "exit codes: 0 done, 64 usage error\n";

TEST(ManPage, CommandNamesComeFromTheOverviewList) {
  EXPECT_EQ(commandNames(kOverview), (std::vector<std::string>{"lyr", "screens", "player"}));
  EXPECT_TRUE(commandNames("usage: norva COMMAND\n").empty());
}

TEST(ManPage, PageHasSynopsisDescriptionAndOneSectionACommand) {
  const std::string page =
      manPage("1.2.3", kOverview, {{"lyr", "usage: norva lyr IN -o OUT\n\nCompiles.\n"}});
  EXPECT_EQ(page.rfind(".TH NORVA 1 \"\" \"norva 1.2.3\"", 0), 0u) << page;
  EXPECT_NE(page.find(".SH SYNOPSIS\nnorva COMMAND [ARGS]\n.br\nnorva --version"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("norva screens IN.lyr\n.br\n"), std::string::npos) << page;
  EXPECT_NE(page.find(".SH DESCRIPTION\n.PP\nexit codes: 0 done, 64 usage error\n"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(".SS \"norva lyr\"\n.PP\nnorva lyr IN -o OUT\n.PP\nCompiles.\n"),
            std::string::npos)
      << page;
}

}  // namespace
}  // namespace norva::manual
