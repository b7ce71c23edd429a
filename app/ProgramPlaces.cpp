#include "app/ProgramPlaces.h"

#include "platform/Files.h"

namespace app {

namespace {

constexpr char kSep = platform::kPathSeparator;

// The folder above the program's folder ("/usr/" for "/usr/bin/"), or empty.
std::string installPrefix(const std::string& programFolder) {
  if (programFolder.size() < 2) return {};
  const auto cut = programFolder.find_last_of(std::string(1, kSep) + "/", programFolder.size() - 2);
  return cut == std::string::npos ? std::string() : programFolder.substr(0, cut + 1);
}

// share/quillory-album/ beside the program's folder, or empty.
std::string dataFolder(const std::string& programFolder) {
  const std::string prefix = installPrefix(programFolder);
  return prefix.empty() ? std::string() : prefix + "share" + kSep + "quillory-album" + kSep;
}

}  // namespace

bool isInstalledLayout(const std::string& programFolder) {
  if (platform::fileExists(programFolder + kUninstallerName)) return true;
  const std::string data = dataFolder(programFolder);
  return !data.empty() && platform::directoryExists(data);
}

std::string helpFolder(const std::string& programFolder, const std::string& fileName) {
  if (platform::fileExists(programFolder + fileName)) return programFolder;
  const std::string data = dataFolder(programFolder);
  if (!data.empty() && platform::fileExists(data + fileName)) return data;
  return programFolder;
}

std::string dialogStartFolder(const std::string& programFolder, const std::string& lastFolder,
                              const std::string& picturesFolder) {
  if (!isInstalledLayout(programFolder)) return programFolder;
  return lastFolder.empty() ? platform::withSeparator(picturesFolder) : platform::withSeparator(lastFolder);
}

std::string albumRoot(const std::string& programFolder, const std::string& picturesFolder) {
  if (!isInstalledLayout(programFolder)) return programFolder;
  return platform::withSeparator(picturesFolder) + kInstalledAlbumFolder + kSep;
}

std::string exportRoot(const std::string& programFolder) {
  const std::string pictures = platform::picturesFolder();
  if (pictures.empty()) return programFolder;
  const std::string root = albumRoot(programFolder, pictures);
  if (root != programFolder) {
    platform::createDirectory(pictures);  // ~/Pictures may be missing; Windows always has its folder
    platform::createDirectory(root);
  }
  return root;
}

}  // namespace app
