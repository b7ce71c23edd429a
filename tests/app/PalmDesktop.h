// A Palm Desktop made in a temporary folder: the registry file that
// QUILLORY_REGISTRY names, the stand-in UserData.dll with its users, and a
// folder with a Backup folder for each user.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/DatabaseBuilder.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

class PalmDesktop {
 public:
  const std::string sep = std::string(1, platform::kPathSeparator);

  PalmDesktop() {
    std::filesystem::create_directories(dir.path("Palm"));
    std::filesystem::copy_file(testsupport::userLibraryFile(), dir.path("Palm" + sep + "UserData.dll"));
    ::setenv("QUILLORY_REGISTRY", dir.path("registry.reg").c_str(), 1);
  }
  ~PalmDesktop() { ::unsetenv("QUILLORY_REGISTRY"); }

  // Writes the registry key; `desktopPathValue` is the value as the file spells it.
  void writeRegistry(const std::string& desktopPathValue) {
    std::ofstream reg(dir.path("registry.reg"), std::ios::binary);
    reg << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core]\r\n"
        << "\"DesktopPath\"=" << desktopPathValue << "\r\n"
        << "\"Path\"=\"" << escaped(dir.path("Palm")) << "\"\r\n";
  }
  void writeRegistry() {
    std::string quoted = escaped(dir.path("Palm"));
    quoted.insert(quoted.begin(), '"');
    quoted.push_back('"');
    writeRegistry(quoted);
  }

  // Adds users (name, folder name) to the library's list and makes their Backup folders.
  void setUsers(const std::vector<std::pair<std::string, std::string>>& users) {
    std::ofstream list(dir.path("Palm" + sep + "UserData.txt"), std::ios::binary);
    uint32_t id = 100;
    for (const auto& [name, folder] : users) {
      list << id++ << '\t' << name << '\t' << folder << '\n';
      std::filesystem::create_directories(backup(folder));
    }
  }

  std::string userFolder(const std::string& folder) const { return dir.path("Palm") + sep + folder + sep; }
  std::string backup(const std::string& folder) const { return userFolder(folder) + "Backup"; }

  std::string addPicture(const std::string& folder, const std::string& file, const std::string& name, size_t pixels,
                         uint8_t seed) {
    std::vector<uint8_t> bytes(pixels);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i / 160 + seed);
    return writeFile(folder, file, album::buildPictureDatabase(name, bytes));
  }

  std::string writeFile(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes) {
    const std::string path = backup(folder) + sep + file;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  testsupport::TempDir dir;

 private:
  static std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out;
  }
};
