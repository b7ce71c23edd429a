// Palm folders built for a test: a Palm Desktop with its registry key and
// user library; a family's folders as copied from an old computer, with dated
// pictures, a user without pictures and a damaged database; and a Wine prefix
// whose registry points at one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "album/PictureTemplate.h"
#include "platform/Files.h"
#include "support/Pictures.h"
#include "support/TempDir.h"
#include "support/TestSupport.h"
#include "tools/DatabaseBuilder.h"
#include "users/UserDirectory.h"

namespace testsupport {

namespace fs = std::filesystem;

// The pixels of a small and of a large picture.
inline constexpr size_t kSmallPixels = album::picturePixelCount(album::PictureSize::Small);
inline constexpr size_t kLargePixels = album::picturePixelCount(album::PictureSize::Large);

// Palm seconds (counted from 1904-01-01) for a time in seconds since 1970.
inline uint32_t palmSeconds(int64_t unixSeconds) { return static_cast<uint32_t>(unixSeconds + 2082844800); }

inline void writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A picture database named `name` with `pixels` patterned pixels.
inline void writePictureDatabase(const fs::path& file, const std::string& name, size_t pixels, uint8_t seed,
                                 const album::DatabaseDates& dates = {}) {
  writeBytes(file, album::buildPictureDatabase(name, pixelPattern(pixels, seed), dates));
}

// A small picture database named after its file, created in 2000 and modified
// at `modified` (seconds since 1970) unless that is 0.
inline void writePicture(const fs::path& file, uint8_t seed, int64_t modified) {
  album::DatabaseDates dates;
  dates.created = palmSeconds(946684800);  // 2000-01-01
  dates.modified = modified ? palmSeconds(modified) : 0;
  writePictureDatabase(file, file.stem().string(), kSmallPixels, seed, dates);
}

// One picture of a family's album: where it lies and the time its files must carry.
struct FamilyPicture {
  fs::path database;
  int64_t time;
};

// Palm/Anna/Backup: two pictures; Palm/Ben/backup (lower case, as copied by
// some tools): one picture and one damaged database before it in name order;
// Palm/Cleo/Backup: a memo database only. Returns the good pictures, by user
// in name order and by file name within each.
inline std::vector<FamilyPicture> writeFamily(const fs::path& palm) {
  const std::vector<FamilyPicture> pictures = {
      {palm / "Anna" / "Backup" / "QuilloryPicBoat.pdb", 1050000000},
      {palm / "Anna" / "Backup" / "QuilloryPicSun.pdb", 1060000000},
      {palm / "Ben" / "backup" / "QuilloryPicDog.pdb", 1070000000},
  };
  uint8_t seed = 1;
  for (const FamilyPicture& p : pictures) writePicture(p.database, seed++, p.time);
  // A name that passes the check, then the file ends inside the header.
  std::vector<uint8_t> damaged = album::buildPictureDatabase("QuilloryPicBroken", {});
  damaged.resize(60);
  writeBytes(palm / "Ben" / "backup" / "QuilloryPicBroken.pdb", damaged);
  writeBytes(palm / "Cleo" / "Backup" / "MemoDB.pdb", album::buildPictureDatabase("MemoDB", {1, 2, 3}));
  return pictures;
}

// A Wine prefix whose user.reg names `windowsPath` as Palm Desktop's Path, with
// dosdevices/c: linked to drive_c as Wine makes it.
inline void writeWinePrefix(const fs::path& prefix, const std::string& windowsPath) {
  fs::create_directories(prefix / "dosdevices");
  fs::create_directories(prefix / "drive_c");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
  std::string escaped;
  for (char c : windowsPath) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  std::ofstream reg(prefix / "user.reg", std::ios::binary);
  reg << "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win32\n\n"
      << "[Software\\\\Wine\\\\Explorer] 1262300400\n\"Desktop\"=\"Default\"\n\n"
      << "[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1262300400\n#time=1d0a0b0c0d0e0f0\n"
      << "\"DesktopPath\"=\"C:\\\\Program Files\\\\Palm\"\n\"Path\"=\"" << escaped << "\"\n";
}

// A Palm Desktop in a temporary folder: its registry key, the stand-in
// UserData.dll with its users, and a Backup folder for each user.
class PalmDesktop {
 public:
  const std::string sep = std::string(1, platform::kPathSeparator);
  TempDir dir;
  TestRegistry registry{users::kPalmDesktopKey};

  PalmDesktop() { installUserLibrary(userLibraryFile(), palm(), ""); }

  // The key naming the Palm folder as both DesktopPath and Path.
  void writeRegistry() {
    registry.setString("DesktopPath", palm());
    registry.setString("Path", palm());
  }

  // Lists users (name, folder name) in the library's file and makes their Backup folders.
  void setUsers(const std::vector<std::pair<std::string, std::string>>& users) {
    std::string list;
    uint32_t id = 100;
    for (const auto& [name, folder] : users) {
      list += std::to_string(id++) + '\t' + name + '\t' + folder + '\n';
      fs::create_directories(backup(folder));
    }
    testsupport::writeFile(fs::path(palm()) / "UserData.txt", list);
  }

  std::string palm() const { return dir.path("Palm"); }
  std::string userFolder(const std::string& folder) const { return palm() + sep + folder + sep; }
  std::string backup(const std::string& folder) const { return userFolder(folder) + "Backup"; }

  std::string addPicture(const std::string& folder, const std::string& file, const std::string& name, size_t pixels,
                         uint8_t seed) {
    const std::string path = backup(folder) + sep + file;
    writePictureDatabase(path, name, pixels, seed);
    return path;
  }

  std::string writeFile(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes) {
    const std::string path = backup(folder) + sep + file;
    writeBytes(path, bytes);
    return path;
  }
};

}  // namespace testsupport
