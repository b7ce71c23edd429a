// make-demo-album FOLDER: writes the demo album's picture databases into FOLDER.
#include <exception>
#include <iostream>

#include "platform/Files.h"
#include "tools/demo-album/DemoAlbum.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: make-demo-album FOLDER\n";
    return 1;
  }
  try {
    const std::string folder = argv[1];
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
