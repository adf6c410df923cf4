#include "lyrics/sami_export.h"

#include <gtest/gtest.h>

#include <string>

namespace norva::lyr {
namespace {

// The file's fixed start, written out line by line from the layout the player's PC side uses.
const std::string kExpectedHead =
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
const std::string kExpectedTail = "</BODY>\r\n</SAMI>";

TEST(SamiExport, ThreeParagraphsGiveTwoBlocksByteForByte) {
  const std::string file = exportSami("<1000>first\r\nsecond\r\n<2500>third\r\n");
  EXPECT_EQ(file, kExpectedHead +
                      "<Sync Start=1000>\r\n"
                      "<P Class=ENCC>first\r\n"
                      "<P Class=ENCC>second\r\n"
                      "\r\n"
                      "<Sync Start=2500>\r\n"
                      "<P Class=ENCC>third\r\n"
                      "\r\n" +
                      kExpectedTail);
  EXPECT_EQ(file.size(), 932u);  // 810 of head, 106 of blocks, 16 of tail
}

struct BodyCase {
  const char* name;
  const char* text;
  const char* body;  // what comes between "<BODY>\r\n" and "</BODY>"
};

class SamiExportBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(SamiExportBody, WritesTheBlocks) {
  const std::string file = exportSami(GetParam().text);
  EXPECT_EQ(file, kExpectedHead + GetParam().body + kExpectedTail);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SamiExportBody,
    ::testing::Values(
        BodyCase{"Empty", "", ""}, BodyCase{"NoTagAtAll", "just words\r\nmore", ""},
        BodyCase{"LastLineWithoutLineEnd", "<1000>a\r\n<2000>b",
                 "<Sync Start=1000>\r\n<P Class=ENCC>a\r\n\r\n"
                 "<Sync Start=2000>\r\n<P Class=ENCC>b\r\n\r\n"},
        BodyCase{"UntaggedLastLineWithoutLineEnd", "<1000>a\r\nb",
                 "<Sync Start=1000>\r\n<P Class=ENCC>a\r\n<P Class=ENCC>b\r\n\r\n"},
        BodyCase{"TagAloneAtTheEnd", "<1000>", "<Sync Start=1000>\r\n<P Class=ENCC>\r\n\r\n"},
        // The <br> line ends the block; the untagged line after it has no block to join.
        BodyCase{"BreakLineLeftOut", "<1000>a\r\n<br>b\r\nc\r\n<2000>d\r\n",
                 "<Sync Start=1000>\r\n<P Class=ENCC>a\r\n\r\n"
                 "<Sync Start=2000>\r\n<P Class=ENCC>d\r\n\r\n"},
        BodyCase{"UntaggedFirstLines", "title\r\nsinger\r\n\r\n<500>x\r\n",
                 "<Sync Start=500>\r\n<P Class=ENCC>x\r\n\r\n"},
        BodyCase{"DigitsAsWritten", "<007>x\r\n", "<Sync Start=007>\r\n<P Class=ENCC>x\r\n\r\n"},
        BodyCase{"BreakInsideKept", "<10>a<br>b\r\n",
                 "<Sync Start=10>\r\n<P Class=ENCC>a<br>b\r\n\r\n"},
        BodyCase{"EmptyLineJoinsTheBlock", "<10>a\r\n\r\nb\r\n",
                 "<Sync Start=10>\r\n<P Class=ENCC>a\r\n<P Class=ENCC>\r\n<P Class=ENCC>b\r\n\r\n"},
        BodyCase{"EmptyAndLetteredTagsLeftOut", "<>a\r\n<12a>b\r\n<-5>c\r\n<3>d",
                 "<Sync Start=3>\r\n<P Class=ENCC>d\r\n\r\n"},
        BodyCase{"UnclosedTagEndsTheBody", "<10>a\r\n<20 b",
                 "<Sync Start=10>\r\n<P Class=ENCC>a\r\n\r\n"},
        BodyCase{"ChineseKept", "<10>\xC4\xE3\xBA\xC3\r\n",
                 "<Sync Start=10>\r\n<P Class=ENCC>\xC4\xE3\xBA\xC3\r\n\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace norva::lyr
