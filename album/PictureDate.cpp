#include "album/PictureDate.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "album/PictureDatabase.h"
#include "base/Text.h"
#include "platform/FileTime.h"

namespace album {

namespace {
constexpr int64_t kSecondsFrom1904To1970 = 2082844800;
constexpr int64_t k1996 = 820454400;  // 1996-01-01 00:00 UTC
constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }
}  // namespace

int64_t palmDateToUnix(uint32_t palmDate) {
  if (palmDate & 0x80000000u) return int64_t{palmDate} - kSecondsFrom1904To1970;
  return int64_t{palmDate};
}

std::optional<int64_t> saneDate(uint32_t palmDate, int64_t now) {
  if (palmDate == 0) return std::nullopt;
  const int64_t seconds = palmDateToUnix(palmDate);
  if (seconds < k1996 || seconds > now) return std::nullopt;
  return seconds;
}

int64_t currentTime() { return static_cast<int64_t>(std::time(nullptr)); }

std::optional<int64_t> pictureFileTime(uint32_t created, uint32_t modified, int64_t now) {
  return saneDate(modified != 0 ? modified : created, now);
}

std::optional<int64_t> pictureFileTime(const PictureDatabase& database) {
  return pictureFileTime(database.creationDate(), database.modificationDate(), currentTime());
}

CivilTime civilTime(int64_t unixSeconds) {
  using namespace std::chrono;
  const int64_t days = floorDiv(unixSeconds, kSecondsPerDay);
  const int64_t secondOfDay = unixSeconds - days * kSecondsPerDay;
  const year_month_day date{sys_days{std::chrono::days{days}}};
  return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
          static_cast<unsigned>(secondOfDay / 3600), static_cast<unsigned>(secondOfDay / 60 % 60),
          static_cast<unsigned>(secondOfDay % 60)};
}

std::string rfc1123Time(int64_t unixSeconds) {
  static const char* const kWeekdays[] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};  // 1970-01-01 was a Thursday
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const CivilTime t = civilTime(unixSeconds);
  const int64_t weekday = floorDiv(unixSeconds, kSecondsPerDay) % 7;
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02u %s %04d %02u:%02u:%02u GMT", kWeekdays[(weekday + 7) % 7], t.day,
                kMonths[t.month - 1], t.year, t.hour, t.minute, t.second);
  return text;
}

PngInfo pngInfo(const PictureDatabase& database, const std::string& author) {
  PngInfo info;
  info.modified = pictureFileTime(database);
  info.created = saneDate(database.creationDate(), currentTime());
  info.title = base::cp1252ToUtf8(database.name());
  info.author = author;
  return info;
}

bool decodePictureAndInfo(const std::string& path, PictureAndInfo& into) {
  PictureDatabase database(path);
  return decodeDatabaseAndInfo(database, into);
}

bool decodeDatabaseAndInfo(PictureDatabase& database, PictureAndInfo& into) {
  into.info = pngInfo(database);
  return decodeDatabase(database, into.picture);
}

void stampPictureFile(const std::string& picturePath, std::optional<int64_t> fileTime) {
  // A file system that keeps no times (or refuses) leaves the time of writing.
  if (fileTime) platform::setModificationTime(picturePath, *fileTime);
}

}  // namespace album
