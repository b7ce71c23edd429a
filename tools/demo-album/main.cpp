// make-demo-album FOLDER: writes the demo album's picture databases into FOLDER.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tools/demo-album/DemoAlbum.h"

namespace {

constexpr const char* kUsage =
    "Usage: make-demo-album FOLDER\n"
    "Writes the demo album's picture databases into FOLDER (made when missing) and prints their paths.\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  // An option is never taken for a folder name, nor an empty argument for the current folder.
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::cerr << kUsage;
    return 2;
  }
  try {
    const std::string& folder = args[0];
    if (!platform::directoryExists(folder) && !platform::createDirectory(folder)) {
      std::cerr << "Cannot create " << folder << '\n';
      return 1;
    }
    for (const std::string& path : demo::writeDemoAlbum(folder)) std::cout << path << '\n';
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
