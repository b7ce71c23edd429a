// QuilloryAlbum's command line, answered before the window needs a display:
// its help and version, and the refusal of more paths than one window shows.
// Standard C++ only.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace app {

// "Usage: QuilloryAlbum [FOLDER | FILE.pdb]" and what the arguments and options mean.
std::string programHelp();

// Prints the help or the version when the first argument after the program's
// name asks for it (-h, --help, -V, --version) and returns exit status 0;
// nullopt for any other command line.
std::optional<int> answerInfoOption(const std::vector<std::string>& arguments, std::ostream& out);

// More than one path: prints the message and the usage and returns exit
// status 2; nullopt for one path or none.
std::optional<int> refuseExtraPaths(size_t pathCount, std::ostream& err);

}  // namespace app
