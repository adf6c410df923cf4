#pragma once
// The norva(1) man page in roff, made from norva's own help texts: the overview that
// `norva --help` prints and the help of each subcommand. The help texts are the one source
// of the command line's documentation; this only lays them out for man.
#include <string>
#include <string_view>
#include <vector>

namespace norva::manual {

struct CommandHelp {
  std::string name;  // "lyr"
  std::string text;  // what `norva lyr --help` prints
};

// The subcommand names of the overview's "commands:" list, in their order.
std::vector<std::string> commandNames(std::string_view overview);

// Text made safe for roff: backslashes written as \e, and a line that would start with a
// control character ("." or "'") protected with \&.
std::string roffEscape(std::string_view line);

// The help text of one command as roff body: paragraphs become .PP, indented "term  text"
// entries .TP with the term in bold, their indented continuation lines joined.
std::string helpToRoff(std::string_view help);

// The whole page. `version` goes into the header; `overview` supplies the synopsis and the
// description.
std::string manPage(std::string_view version, std::string_view overview,
                    const std::vector<CommandHelp>& commands);

}  // namespace norva::manual
