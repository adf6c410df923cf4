#include "lyrics/sami_export.h"

#include <algorithm>

#include "lyrics/decimal.h"

namespace norva::lyr {
namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kLineEnd = "\r\n";

constexpr std::string_view kHead =
    "<SAMI>\r\n"
    "<HEAD>\r\n"
    "\t<Title>SAMI</Title>\r\n"
    "\t<SAMIParam>\r\n"
    "\r\n"
    "\t</SAMIParam>\r\n"
    "\r\n"
    "\t<STYLE TYPE=\"text/css\"><!--\r\n"
    "\t\tP {\r\n"
    "\t\t\tmargin-left:  8pt;\r\n"
    "\t\t\tmargin-right: 8pt;\r\n"
    "\t\t\tmargin-bottom: 2pt;\r\n"
    "\t\t\tmargin-top:0pt;\r\n"
    "\t\t\ttext-align: left;\r\n"
    "\t\t\tfont-size: 12pt;\r\n"
    "\t\t\tfont-family: System,Fixedsys,arial, sans-serif;\r\n"
    "\t\t\tfont-weight: bold;\r\n"
    "\t\t\tcolor: #fee8c6; }\r\n"
    "\r\n"
    "\t\t.ENUSCC {Name: \"English Captions\"; lang: en-US; SAMI_Type: CC;}\r\n"
    "\r\n"
    "\t\t#Source {\r\n"
    "\t\t\tmargin-left: 4pt;\r\n"
    "\t\t\tmargin-bottom:10pt;\r\n"
    "\t\t\tmargin-top:0pt;\r\n"
    "\t\t\tmargin-right:0pt;\r\n"
    "\t\t\tfont-weight: bold;\r\n"
    "\t\t\tcolor: teal;\r\n"
    "\t\t\tvertical-align: super;\r\n"
    "\t\t\tfont-family: System,Fixedsys, arial, sans-serif;\r\n"
    "\t\t\tfont-size: 10pt;\r\n"
    "\t\t\ttext-align:left;}\r\n"
    "\t\t#Youth {color: greenyellow; font-size: 18pt;}\r\n"
    "\r\n"
    "\t\t#BigPrint-1 {color: yellow; font-size: 24pt;}\r\n"
    "\t\t-->\r\n"
    "\t</STYLE>\r\n"
    "</HEAD>\r\n"
    "\r\n"
    "<BODY>\r\n";
constexpr std::string_view kTail = "</BODY>\r\n</SAMI>";
constexpr std::string_view kSyncOpen = "<Sync Start=";
constexpr std::string_view kParagraphOpen = "<P Class=ENCC>";

bool isPlainNumber(std::string_view tag) {
  return !tag.empty() && std::all_of(tag.begin(), tag.end(), isDigit);
}

// Where the line holding `pos` ends (its CR LF, or the end of the text) and where the next
// line starts (npos when there is no CR LF).
struct LineBounds {
  size_t end;
  size_t next;
};
LineBounds lineFrom(std::string_view text, size_t pos) {
  const size_t crlf = text.find(kLineEnd, pos);
  if (crlf == npos) return {text.size(), npos};
  return {crlf, crlf + kLineEnd.size()};
}

}  // namespace

std::string exportSami(std::string_view text) {
  std::string out(kHead);
  size_t t = 0;
  while (t < text.size()) {
    const size_t open = text.find('<', t);
    if (open == npos) break;
    if (open > t) {  // the line at t does not begin with a tag
      t = lineFrom(text, t).next;
      if (t == npos) break;
      continue;
    }
    const size_t close = text.find('>', t + 1);
    if (close == npos) break;
    const std::string_view tag = text.substr(t + 1, close - t - 1);
    t = close + 1;
    if (!isPlainNumber(tag)) {
      t = lineFrom(text, t).next;
      if (t == npos) break;
      continue;
    }
    out.append(kSyncOpen).append(tag).append(">\r\n");
    // The rest of the tagged line, then every following line that does not start with "<".
    do {
      const LineBounds line = lineFrom(text, t);
      out.append(kParagraphOpen).append(text.substr(t, line.end - t)).append(kLineEnd);
      t = line.next;
    } while (t != npos && t < text.size() && text[t] != '<');
    out.append(kLineEnd);
    if (t == npos) break;
  }
  out.append(kTail);
  return out;
}

}  // namespace norva::lyr
