// Palm folders as a family copies them from an old computer, built for a test:
// Palm/<user>/Backup/QuilloryPic*.pdb with dated pictures, a user without
// pictures and a damaged database, and a Wine prefix whose registry points at one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/DatabaseBuilder.h"

namespace testsupport {

namespace fs = std::filesystem;

// Palm seconds (counted from 1904-01-01) for a time in seconds since 1970.
inline uint32_t palmSeconds(int64_t unixSeconds) { return static_cast<uint32_t>(unixSeconds + 2082844800); }

inline void writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 160 x 140 picture database named after its file, modified at `modified`
// (seconds since 1970) unless that is 0; its pixels depend on `seed`.
inline void writePicture(const fs::path& file, uint8_t seed, int64_t modified) {
  std::vector<uint8_t> pixels(160 * 140);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i / 160 + seed) % 216);
  album::DatabaseDates dates;
  dates.created = palmSeconds(946684800);  // 2000-01-01
  dates.modified = modified ? palmSeconds(modified) : 0;
  writeBytes(file, album::buildPictureDatabase(file.stem().string(), pixels, dates));
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

}  // namespace testsupport
