#include "cli/commands.h"

#include <array>

namespace norva::cli {

int runLyr(Args args);
int runLrc(Args args);
int runUnlyr(Args args);
int runScreens(Args args);
int runSmi(Args args);
int runTimetable(Args args);
int runLogo(Args args);
int runInfo(Args args);
int runPlay(Args args);
int runMpr(Args args);
int runTxt16(Args args);
int runBatchLrc(Args args);
int runBatchMpr(Args args);
int runWav2Mp3(Args args);
#ifdef NORVA_CLI_HAS_DEVICE
int runPlayer(Args args);
int runHex2bin(Args args);
#endif

namespace {

constexpr std::string_view kLyrHelp =
    "Compiles the lyric editor's timed text into the player's lyric file (LYR).\n"
    "\n"
    "IN holds paragraphs that start with <milliseconds>; <br> inside a paragraph starts a new\n"
    "player line. A SAMI file (--sami, or IN ending in .smi) is turned into timed text first.\n"
    "\n"
    "  -o OUT                 the LYR file to write (replaced when it exists; - writes it to\n"
    "                         standard output); IN may be - for standard input\n"
    "  --font auto|small|large  the player font: small is 8 x 8 pixels, 6 lines a screen;\n"
    "                         large is 16 pixels high, 3 lines a screen; auto (the default)\n"
    "                         takes large when the text has two-byte (Chinese) characters\n"
    "  --sami                 read IN as SAMI captions\n"
    "  --allow-empty          write a lyric of no screen when IN has no timed paragraph\n"
    "                         (without it such a text is refused)\n"
    "  --on-warning yes|no|cancel  the answer to the warning that a screen has more lines\n"
    "                         than the player shows: yes ignores all further warnings, no (the\n"
    "                         default) keeps checking, cancel stops without writing anything\n";

constexpr std::string_view kLrcHelp =
    "Compiles an LRC file ([mm:ss.xx] tags, several a line, and [offset:ms]) into a LYR file.\n"
    "\n"
    "  -o OUT                 the LYR file to write (replaced when it exists; - writes it to\n"
    "                         standard output); IN may be - for standard input\n"
    "  --font small|large     compile as the lyric editor's command on an open LRC document,\n"
    "                         with its messages, in that player font; without --font the file\n"
    "                         is compiled as the batch converter does, as it is on disk\n"
    "  --on-warning yes|no|cancel  the answer to the screen layout warning (see norva lyr)\n";

constexpr std::string_view kUnlyrHelp =
    "Turns a LYR file back into the timed text the lyric editor shows (GBK, CR LF).\n"
    "\n"
    "  -o OUT                 write the text to OUT (replaced when it exists); without -o, or\n"
    "                         with -o -, it goes to standard output; IN may be - for standard\n"
    "                         input\n";

constexpr std::string_view kScreensHelp =
    "Lists the screens of a LYR file with their times (mm:ss.t), decoded to UTF-8, the lines\n"
    "of a screen joined by \" / \". IN may be - for standard input.\n";

constexpr std::string_view kLogoHelp =
    "Turns a picture (BMP, JPEG, GIF, icon, cursor, WMF/EMF, WBMP or LGO) into the player's\n"
    "128 x 64 black-and-white logo (LGO), as the logo converter does.\n"
    "\n"
    "IN may be - for standard input.\n"
    "\n"
    "  -o OUT.lgo             the logo file to write (replaced when it exists; - writes it to\n"
    "                         standard output; --overwrite, which older scripts pass, is\n"
    "                         accepted and changes nothing)\n"
    "  --show FILE            print the logo of FILE (- for standard input) with block\n"
    "                         characters, two pixel rows a line, instead of writing a file\n"
    "  --threshold T          the brightness threshold, 0 to 765 (the sum of red, green and\n"
    "                         blue of a pixel; darker pixels turn black); 389 by default\n"
    "\n"
    "The pictures are read by the plugin libnorva_pictures.so, found beside norva, in the\n"
    "suite's library folder, or as the file named by NORVA_PICTURES_LIBRARY.\n";

constexpr std::string_view kInfoHelp =
    "Shows what the preview's header search finds in an MP3, MP2 or MPR file: where the first\n"
    "frame is, its MPEG version, layer, sampling rate, channel mode, bit rate and frame size,\n"
    "the Xing/Info header, the total frames and the milliseconds per frame. FILE may be - for\n"
    "standard input.\n";

constexpr std::string_view kPlayHelp =
    "Plays an MP3 or MPR file with the lyric the player would show (the .LYR file beside an\n"
    "MP3, in any letter case, or the lyric at the head of an MPR file), showing the time\n"
    "(minutes, seconds and tenths: mm:ss.t) and the current lyric screen every 200 ms.\n"
    "Keys: space pauses and resumes, left/right seek by 5 %, + and - change the volume by 10,\n"
    "q quits; what a key changed is shown (paused, playing, volume N).\n"
    "FILE may be - for standard input (then no key is read); it is an MP3 without lyric\n"
    "unless --mpr says it is an MPR file.\n"
    "\n"
    "  --audio alsa|null      alsa plays on ALSA's default device (NORVA_ALSA_DEVICE names\n"
    "                         another PCM) and falls back to the null device, without sound,\n"
    "                         when none can be opened; null plays without sound\n"
    "  --speed N|max          run the null device N times faster (N above 0, at most 1000), or\n"
    "                         as fast as it decodes (max), printing every screen change with\n"
    "                         its time\n"
    "  --seek P               start at P thousandths of the file (0 to 1000; 500 is the middle)\n"
    "  --mpr                  with FILE -: standard input is an MPR file, its lyric at its head\n";

constexpr std::string_view kMprHelp =
    "Merges an MP3 file and its lyric into one MPR file for the player.\n"
    "\n"
    "LYRIC is compiled by its extension: .lrc as LRC, .tly as timed text; anything else must be\n"
    "a LYR file. One of MP3 and LYRIC may be - for standard input (a LYRIC - is read as LYR).\n"
    "\n"
    "  -o OUT                 the MPR file to write (replaced when it exists; - writes it to\n"
    "                         standard output); by default the MP3's name ending in MPR,\n"
    "                         beside it (-o is needed when the MP3 is -)\n"
    "  --on-warning yes|no|cancel  the answer to the screen layout warning (see norva lyr)\n";

constexpr std::string_view kPlayerHelp =
    "Manages the simulated player (its state folder is $NORVA_PLAYER_DIR, by default\n"
    "$XDG_DATA_HOME/norva/player) through the same device services as the device manager.\n"
    "Names are the player's long file names; the order of ls is the player's play order.\n"
    "\n"
    "commands:\n"
    "  create                 make a new player with a 32 MiB internal memory\n"
    "  attach, detach         plug the player in, pull it out\n"
    "  status                 capacity, free space, firmware version and font\n"
    "  ls                     one line an entry: index, size in bytes, local time, name (TABs)\n"
    "  put FILE...            copy files to the player\n"
    "  get NAME...            copy files from the player (into the folder given with -o)\n"
    "  rm NAME...             delete files\n"
    "  mv NAME NEWNAME        rename a file\n"
    "  up NAME, down NAME     move a file one place earlier or later in the play order\n"
    "  format                 erase every file of the memory\n"
    "  fsck                   check the memory's file system\n"
    "  firmware FILE          write the codec firmware from an Intel HEX or binary file\n"
    "  font put FILE, font get DIR, font info, font erase   the player's LCD font\n"
    "\n"
    "options:\n"
    "  --card MiB             with create: an external card of MiB mebibytes (1 to 63)\n"
    "  -o DIR                 with get: the folder the files are copied into\n"
    "  --low                  with format: erase the whole memory first (low-level format)\n"
    "  --boot                 with firmware: write the boot code instead of the codec code\n"
    "  --drive 0|1            the memory: 0 internal (the default), 1 the external card\n"
    "  --on-exists yes|no|cancel  the answer when a file copied to the PC (or the font) exists\n"
    "                         already: yes (the default) replaces it, no skips it, cancel stops\n";

constexpr std::string_view kHex2binHelp =
    "Converts an Intel HEX firmware file into the binary image the player is sent, as the\n"
    "device manager does before an upgrade. Every record's checksum is checked; a refused\n"
    "file writes nothing. IN.hex may be - for standard input.\n"
    "\n"
    "  -o OUT.bin             the image to write (replaced when it exists; - writes it to\n"
    "                         standard output)\n"
    "  --boot                 the boot code image, from address 0; without it the codec image,\n"
    "                         from address 0x2000 (data below it is dropped)\n";

constexpr std::string_view kSmiHelp =
    "Writes the SAMI caption file the lyric editor exports from timed text (GBK, CR LF).\n"
    "\n"
    "Each paragraph that starts with <milliseconds> opens a caption; the untagged paragraphs\n"
    "after it join that caption. Lines before the first tagged paragraph and lines starting\n"
    "with another tag, such as <br>, are left out. IN may be - for standard input.\n"
    "\n"
    "  -o OUT.smi             the SAMI file to write (replaced when it exists; - writes it to\n"
    "                         standard output); named as given, no extension is added\n";

constexpr std::string_view kTimetableHelp =
    "Shows which screen the sync verification shows from which time for a SAMI file: of\n"
    "captions less than a second after the last one taken only the first counts, a screen\n"
    "has at most 7 lines of 16 bytes, and a blank screen comes first when the first caption\n"
    "starts after the first second. Without -o, one line an entry: the start in\n"
    "milliseconds, a TAB and the screen's lines joined by \" | \" (UTF-8). IN may be - for\n"
    "standard input.\n"
    "\n"
    "  -o OUT                 write the timetable's bytes as the verify dialog holds them\n"
    "                         (replaced when it exists; - writes them to standard output)\n";

constexpr std::string_view kTxt16Help =
    "Converts text files into the UTF-16 text the player shows, as the lyric editor's text\n"
    "encoding converter does: ANSI text (GBK, code page 936) up to its first zero byte becomes\n"
    "UTF-16 little-endian with the byte order mark FF FE; a file that already starts with FF FE\n"
    "is copied unchanged; a file above 1048576 bytes is refused. Each IN is written to DIR\n"
    "under its own name; one line a file on standard output says done, or skipped and why.\n"
    "Of two inputs with one name the second is skipped. Exit status 1 when any file was not\n"
    "converted.\n"
    "\n"
    "  -o DIR                 the folder the converted files are written to (it must exist;\n"
    "                         a file of the same name there is replaced)\n";

constexpr std::string_view kBatchLrcHelp =
    "Compiles LRC files into LYR files as the lyric editor's batch converter does: IN's name\n"
    "with its last four characters replaced by .lyr (lyrics.txt.lrc gives lyrics.txt.lyr).\n"
    "One line a file on standard output says done, or skipped and why; the compiler's\n"
    "messages go to standard error. Of two inputs that would make one output the second is\n"
    "skipped. Exit status 1 when any file was not converted.\n"
    "\n"
    "  -o DIR                 the folder the LYR files are written to (it must exist)\n"
    "  --on-warning yes|no|cancel  the answer to the screen layout warning (see norva lyr);\n"
    "                         cancel passes that file over and goes on with the next\n";

constexpr std::string_view kBatchMprHelp =
    "Merges MP3 files with their lyrics into MPR files as the lyric editor's MPR batch\n"
    "converter does: for song.mp3 the lyric song.tly, song.lyr or song.lrc (by --kind) is taken\n"
    "from the lyric folder and song.mpr written to DIR. An MP3 without its lyric is passed\n"
    "over. One line a file on standard output says done, or skipped and why; the converter's\n"
    "messages go to standard error. Exit status 1 when any file was not converted.\n"
    "\n"
    "  --lyrics DIR           the folder of the lyric files\n"
    "  --kind tly|lyr|lrc     the kind of lyric: timed text, LYR or LRC\n"
    "  -o DIR                 the folder the MPR files are written to (it must exist)\n"
    "  --on-warning yes|no|cancel  the answer to the screen layout warning (see norva lyr);\n"
    "                         cancel passes that file over and goes on with the next\n";

constexpr std::string_view kWav2Mp3Help =
    "Encodes WAV files into MP3 files as the lyric editor's WAV to MP3 converter does: IN's\n"
    "name with its last four characters replaced by .mp3 (a name of four characters or fewer\n"
    "gets .mp3 appended). Each file is encoded into a private temporary file and then put in\n"
    "DIR whole; a file of the same name there is replaced. One line a file on standard output\n"
    "says done, or skipped and why; standard error shows the file being encoded with a dot\n"
    "every half second, and the converter's messages. Of two inputs that would make one output\n"
    "the second is skipped. Ctrl+C cancels: the file being encoded is not written. Exit status\n"
    "1 when any file was not converted, 2 when cancelled.\n"
    "\n"
    "  -o DIR                 the folder the MP3 files are written to (it must exist and take\n"
    "                         new files; a name of two characters or fewer is refused)\n"
    "  --bitrate K            the constant bit rate in kbit/s: 8 to 320 as MPEG audio allows\n"
    "                         (default 128)\n";

}  // namespace

std::span<const Command> allCommands() {
  static const std::array commands{
      Command{"lyr",
              "lyr IN -o OUT [--font auto|small|large] [--sami] [--allow-empty] "
              "[--on-warning yes|no|cancel]",
              kLyrHelp, runLyr},
      Command{"lrc", "lrc IN -o OUT [--font small|large] [--on-warning yes|no|cancel]", kLrcHelp,
              runLrc},
      Command{"unlyr", "unlyr IN [-o OUT]", kUnlyrHelp, runUnlyr},
      Command{"screens", "screens IN.lyr", kScreensHelp, runScreens},
      Command{"smi", "smi IN.tly -o OUT.smi", kSmiHelp, runSmi},
      Command{"timetable", "timetable IN.smi [-o OUT]", kTimetableHelp, runTimetable},
      Command{"logo", "logo IN -o OUT.lgo [--threshold T] | logo --show FILE [--threshold T]",
              kLogoHelp, runLogo},
      Command{"info", "info FILE", kInfoHelp, runInfo},
      Command{"play", "play FILE [--audio alsa|null] [--speed N|max] [--seek P] [--mpr]", kPlayHelp,
              runPlay},
      Command{"mpr", "mpr MP3 LYRIC [-o OUT] [--on-warning yes|no|cancel]", kMprHelp, runMpr},
      Command{"txt16", "txt16 IN... -o DIR", kTxt16Help, runTxt16},
      Command{"batch-lrc", "batch-lrc IN... -o DIR [--on-warning yes|no|cancel]", kBatchLrcHelp,
              runBatchLrc},
      Command{"batch-mpr",
              "batch-mpr MP3... --lyrics DIR --kind tly|lyr|lrc -o DIR "
              "[--on-warning yes|no|cancel]",
              kBatchMprHelp, runBatchMpr},
      Command{"wav2mp3", "wav2mp3 IN... -o DIR [--bitrate K]", kWav2Mp3Help, runWav2Mp3},
#ifdef NORVA_CLI_HAS_DEVICE
      Command{"player",
              "player create [--card MiB] | attach | detach | status | ls | put FILE... | "
              "get NAME... -o DIR | rm NAME... | mv NAME NEWNAME | up NAME | down NAME | "
              "format [--low] | fsck | firmware FILE [--boot] | font put FILE | font get DIR | "
              "font info | font erase  (options: --drive 0|1, --on-exists yes|no|cancel)",
              kPlayerHelp, runPlayer},
      Command{"hex2bin", "hex2bin IN.hex -o OUT.bin [--boot]", kHex2binHelp, runHex2bin},
#endif
  };
  return commands;
}

}  // namespace norva::cli
