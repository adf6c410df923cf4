#pragma once
// norva's own lines on stderr, all in one style: "norva: " and the text. A refused command
// ends with one such line that names the file at fault and why, with the system's own text
// when the system refused the file ("No such file or directory", "Permission denied", "No space
// left on device"); the player's message for the refusal, in "[caption] text" form, comes
// before it when there is one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::cli {

// "norva: TEXT" on stderr.
void sayLine(std::string_view text);

// "norva: FILE: CAUSE" on stderr (FILE "-" reads "standard input"); gives kExitRefused.
int refuseFile(std::string_view file, std::string_view cause);

// "norva: standard output: cannot be written: TEXT" with the system's text for `error` (an
// errno value; 0 when unknown); gives kExitRefused.
int refuseStandardOutput(int error);

// The files a refused command worked on, as the user named them ("-" is standard input or
// output and is not looked at again).
struct CommandFiles {
  std::vector<std::string> inputs;
  std::optional<std::string> output;
};

// Finds what the command was refused for and says it with refuseFile: the first input the
// system does not let us read ("cannot be read: ..."), else an output it does not let us write
// ("cannot be written: ..."), else `cause` about the file `suspect` (a fault in its contents).
int refuseCommand(const CommandFiles& files, std::string_view suspect, std::string_view cause);

// The system's text for why `path` cannot be read; nothing when it can be.
std::optional<std::string> whyUnreadable(const std::string& path);
// The system's text for why nothing can be written as `path`; nothing when it can be. Looks
// without leaving anything behind and without touching an existing file.
std::optional<std::string> whyUnwritable(const std::string& path);

}  // namespace norva::cli
