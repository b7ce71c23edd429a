#include "app/CommandLine.h"

namespace app {

namespace {
constexpr const char* kUsage = "Usage: QuilloryAlbum [FOLDER | FILE.pdb]\n";
constexpr int kUsageStatus = 2;
}  // namespace

std::string programHelp() {
  return std::string(kUsage) +
         "Shows, saves and exports the pictures children drew on Palm OS handhelds.\n\n"
         "  FOLDER     opens a Palm folder: its users and their pictures\n"
         "  FILE.pdb   shows the picture of a picture database\n\n"
         "Options:\n"
         "  -h, --help      print this help\n"
         "  -V, --version   print the version\n\n"
         "The command-line tool is qalbum (qalbum --help).\n";
}

std::optional<int> answerInfoOption(const std::vector<std::string>& arguments, std::ostream& out) {
  if (arguments.size() < 2) return std::nullopt;
  const std::string& first = arguments[1];
  if (first == "-h" || first == "--help") {
    out << programHelp();
  } else if (first == "-V" || first == "--version") {
    out << "QuilloryAlbum " << QA_VERSION << '\n';
  } else {
    return std::nullopt;
  }
  out.flush();
  return 0;
}

std::optional<int> refuseExtraPaths(size_t pathCount, std::ostream& err) {
  if (pathCount <= 1) return std::nullopt;
  err << "QuilloryAlbum opens one FOLDER or FILE.pdb at a time.\n" << kUsage;
  return kUsageStatus;
}

}  // namespace app
