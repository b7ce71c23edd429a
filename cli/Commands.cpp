#include "cli/Commands.h"

#include <algorithm>
#include <sstream>

#include "cli/ExportSupport.h"

namespace cli {

namespace {
const Option kPalmFolderOption{"--palm-folder", "DIR", "the users of this Palm folder instead of those the program finds"};
}  // namespace

int runConvert(const Invocation& call);     // CmdConvert.cpp
int runInfo(const Invocation& call);        // CmdInfo.cpp
int runExport(const Invocation& call);      // CmdExport.cpp
int runExportAll(const Invocation& call);   // CmdExportAll.cpp
int runAlbum(const Invocation& call);       // CmdAlbum.cpp
int runUsers(const Invocation& call);       // CmdUsers.cpp
int runHelp(const Invocation& call);        // CmdHelp.cpp
int runSkinList(const Invocation& call);    // CmdSkin.cpp
int runSkinPack(const Invocation& call);    // CmdSkin.cpp
int runSkinExtract(const Invocation& call);  // CmdSkin.cpp
int runSkinRegion(const Invocation& call);  // CmdSkinRegion.cpp

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"convert", "PDB OUT", "Writes the picture of a database to OUT: a BMP file as Save writes it, or a PNG "
                             "image of the same pixels. PDB \"-\" reads standard input, OUT \"-\" writes "
                             "standard output.",
       {{"--format", "bmp|png", "the output format; without it, OUT's extension (.bmp or .png) decides"},
        kScaleOption, kSizeOption},
       runConvert},
      {"info", "PDB...",
       "Prints the name, record count, file size, picture size, pixel bytes, dates, type and creator of each "
       "database. PDB \"-\" reads standard input.",
       {}, runInfo},
      {"export", "FOLDER DEST", "Writes every QuilloryPic*.pdb of FOLDER as DEST/Pic_<n>.bmp, as Export All does.",
       {kPngOption, kScaleOption, kKeepGoingOption, kQuietOption}, runExport},
      {"export-all", "DEST", "Writes every user's pictures into DEST/<album name>/, as Export All does for each user.",
       {kPalmFolderOption, kPngOption, kScaleOption, kKeepGoingOption, kQuietOption}, runExportAll},
      {"album", "DEST", "Makes a web page album of every user's pictures in DEST/index.html.",
       {kPalmFolderOption, {"--keep-going", nullptr, "lists a damaged database in the page and goes on"}, kQuietOption},
       runAlbum},
      {"users", "", "Prints the users whose pictures the program finds, one \"name<TAB>folder\" line each.",
       {kPalmFolderOption}, runUsers},
      {"help", "[COMMAND [SUBCOMMAND]]", "Prints the help of qalbum, of a command or of a group such as skin.", {},
       runHelp},
      {"skin list", "FILE", "Lists the pictures of a skin graphics stream file.", {}, runSkinList, true},
      {"skin pack", "OUT [NAME=BMP...]", "Writes a graphics stream file of the named BMP files.", {}, runSkinPack,
       true},
      {"skin extract", "FILE NAME OUT", "Writes one picture of a graphics stream file as a BMP file.", {},
       runSkinExtract, true},
      {"skin region", "FILE NAME",
       "Prints the rectangles of the window region that a picture's pixels make, then their count.",
       {{"--mask", "RRGGBB", "the mask colour, whose pixels are left out", true}}, runSkinRegion, true},
  };
  return table;
}

namespace {

std::vector<std::string> nameWords(const Command& command) {
  std::istringstream in(command.name);
  std::vector<std::string> result;
  for (std::string w; in >> w;) result.push_back(w);
  return result;
}

// Each command's usage, its summary indented below it; a usage that goes on
// in a second line is indented deeper than the summary.
std::string commandList(const std::vector<const Command*>& list) {
  std::string text;
  for (const Command* c : list) text += wrapped(usageLine(*c), "  ", "        ") + wrapped(c->summary, "      ", "      ");
  return text;
}

}  // namespace

Args wordsAfterName(const Command& command, const Args& words) {
  const size_t length = std::min(nameWords(command).size(), words.size());
  return Args(words.begin() + static_cast<std::ptrdiff_t>(length), words.end());
}

const Command* findCommand(const Args& words) {
  for (const Command& c : commands()) {
    const std::vector<std::string> name = nameWords(c);
    if (words.size() >= name.size() && std::equal(name.begin(), name.end(), words.begin())) return &c;
  }
  return nullptr;
}

std::string mainHelp() {
  std::vector<const Command*> list;
  for (const Command& c : commands())
    if (!c.developer) list.push_back(&c);
  return "Usage: qalbum COMMAND [OPTIONS] [ARGUMENTS]\n"
         "Converts, lists and exports Quillory pictures from Palm OS backup databases.\n\n"
         "Commands:\n" +
         commandList(list) +
         "\nOptions:\n"
         "  -h, --help      print this help (COMMAND --help: the help of COMMAND)\n"
         "  -V, --version   print the version\n"
         "  --              ends the options; later words are arguments\n\n"
         "Exit status: 0 done, 1 the work failed, 2 wrong command line.\n"
         "Commands for skin graphics files: qalbum help skin\n";
}

std::string groupHelp(const std::string& group) {
  std::vector<const Command*> list;
  for (const Command& c : commands())
    if (nameWords(c).size() > 1 && nameWords(c)[0] == group) list.push_back(&c);
  if (list.empty()) return {};
  return "Usage: qalbum " + group + " SUBCOMMAND [ARGUMENTS]\n\nCommands:\n" + commandList(list);
}

}  // namespace cli
