#include "man_page.h"

#include <optional>
#include <sstream>

namespace norva::manual {
namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

size_t indentOf(std::string_view line) {
  const size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// An entry line: two blanks, a term, at least two blanks, its text. The text may be empty
// when the term stands alone.
struct Entry {
  std::string_view term;
  std::string_view text;
};

std::optional<Entry> entryOf(std::string_view line) {
  if (indentOf(line) != 2) return std::nullopt;
  const std::string_view rest = line.substr(2);
  const size_t gap = rest.find("  ");
  if (gap == std::string_view::npos) return Entry{trimmed(rest), {}};
  return Entry{rest.substr(0, gap), trimmed(rest.substr(gap))};
}

// A term in bold, with its hyphens written as minus signs so that man pages can be searched
// for the options.
std::string boldTerm(std::string_view term) {
  std::string out = "\\fB";
  for (const char c : roffEscape(term)) {
    if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out + "\\fR";
}

}  // namespace

std::vector<std::string> commandNames(std::string_view overview) {
  std::vector<std::string> names;
  bool inList = false;
  for (const std::string_view line : splitLines(overview)) {
    if (line == "commands:") {
      inList = true;
      continue;
    }
    if (!inList) continue;
    if (indentOf(line) != 2) break;
    const std::string_view rest = line.substr(2);
    names.emplace_back(rest.substr(0, rest.find(' ')));
  }
  return names;
}

std::string roffEscape(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 4);
  if (!line.empty() && (line.front() == '.' || line.front() == '\'')) out += "\\&";
  for (const char c : line) {
    if (c == '\\')
      out += "\\e";
    else
      out += c;
  }
  return out;
}

std::string helpToRoff(std::string_view help) {
  std::ostringstream out;
  enum class Block { None, Paragraph, Entry } block = Block::None;
  for (const std::string_view line : splitLines(help)) {
    if (trimmed(line).empty()) {
      block = Block::None;
      continue;
    }
    const size_t indent = indentOf(line);
    if (indent > 2 && block != Block::None) {  // continues the paragraph or entry above
      out << roffEscape(trimmed(line)) << '\n';
      continue;
    }
    if (const auto entry = entryOf(line)) {
      if (entry->text.empty()) {
        out << ".PP\n" << boldTerm(entry->term) << '\n';
        block = Block::Paragraph;
      } else {
        out << ".TP\n" << boldTerm(entry->term) << '\n' << roffEscape(entry->text) << '\n';
        block = Block::Entry;
      }
      continue;
    }
    if (block != Block::Paragraph) out << ".PP\n";
    out << roffEscape(trimmed(line)) << '\n';
    block = Block::Paragraph;
  }
  return out.str();
}

std::string manPage(std::string_view version, std::string_view overview,
                    const std::vector<CommandHelp>& commands) {
  std::ostringstream out;
  out << ".TH NORVA 1 \"\" \"norva " << roffEscape(version) << "\" \"NORVA RD710\"\n"
      << ".SH NAME\n"
      << "norva \\- the NORVA RD710 converters, preview and player tools on the command line\n"
      << ".SH SYNOPSIS\n";
  // The overview's usage lines and its list of commands make the synopsis; what follows the
  // list is the description.
  std::ostringstream description;
  enum class Part { Usage, List, Description } part = Part::Usage;
  for (const std::string_view line : splitLines(overview)) {
    const std::string_view text = trimmed(line);
    if (part == Part::Usage) {
      if (line == "commands:") {
        part = Part::List;
      } else if (!text.empty()) {
        const std::string_view usage = text.rfind("usage: ", 0) == 0 ? text.substr(7) : text;
        out << roffEscape(usage) << "\n.br\n";
      }
    } else if (part == Part::List) {
      if (indentOf(line) == 2) {
        out << "norva " << roffEscape(text) << "\n.br\n";
      } else {
        part = Part::Description;
      }
    } else {
      description << line << '\n';
    }
  }
  out << ".SH DESCRIPTION\n" << helpToRoff(description.str()) << ".SH COMMANDS\n";
  for (const CommandHelp& command : commands) {
    out << ".SS \"norva " << roffEscape(command.name) << "\"\n";
    std::string_view text = command.text;
    if (text.rfind("usage: ", 0) == 0) {
      const size_t end = text.find('\n');
      out << ".PP\n"
          << roffEscape(text.substr(7, end == std::string_view::npos ? end : end - 7)) << '\n';
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    out << helpToRoff(text);
  }
  out << ".SH FILES\n"
      << ".TP\n"
      << "\\fBRD710_CHS.pdf\\fR\n"
      << "The user manual, beside the suite's programs; the lyric editor, the device manager "
         "and the logo converter open it with F1.\n";
  return out.str();
}

}  // namespace norva::manual
