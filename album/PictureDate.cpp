#include "album/PictureDate.h"

#include <ctime>

#include "album/PictureDatabase.h"
#include "platform/FileTime.h"

namespace album {

namespace {
constexpr int64_t kSecondsFrom1904To1970 = 2082844800;
constexpr int64_t k1996 = 820454400;  // 1996-01-01 00:00 UTC
}  // namespace

int64_t palmDateToUnix(uint32_t palmDate) {
  if (palmDate & 0x80000000u) return int64_t{palmDate} - kSecondsFrom1904To1970;
  return int64_t{palmDate};
}

std::optional<int64_t> pictureFileTime(uint32_t created, uint32_t modified, int64_t now) {
  const uint32_t date = modified != 0 ? modified : created;
  if (date == 0) return std::nullopt;
  const int64_t seconds = palmDateToUnix(date);
  if (seconds < k1996 || seconds > now) return std::nullopt;
  return seconds;
}

std::optional<int64_t> pictureFileTime(const PictureDatabase& database) {
  return pictureFileTime(database.creationDate(), database.modificationDate(), static_cast<int64_t>(std::time(nullptr)));
}

std::optional<int64_t> databaseFileTime(const std::string& path) {
  try {
    return pictureFileTime(PictureDatabase(path));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void stampPictureFile(const std::string& picturePath, std::optional<int64_t> fileTime) {
  // A file system that keeps no times (or refuses) leaves the time of writing.
  if (fileTime) platform::setModificationTime(picturePath, *fileTime);
}

}  // namespace album
