#include "album/AlbumPictures.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <tuple>

#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "platform/Directory.h"

namespace album {

namespace {

// Dates first, a missing one after every present one.
auto dateKey(const std::optional<int64_t>& date) { return std::make_pair(!date.has_value(), date.value_or(0)); }

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

AlbumPicture readAlbumPicture(const std::string& path, int64_t now) {
  PictureDatabase database(path);
  if (!database.hasPictureName()) throw EInvalidDatabase();
  database.pixelByteCount();  // raises for a file that ends before its pixels
  AlbumPicture picture;
  picture.database = path;
  picture.name = database.name();
  picture.created = saneDate(database.creationDate(), now);
  picture.modified = saneDate(database.modificationDate(), now);
  picture.size = database.pictureSize();
  return picture;
}

void sortAsDrawn(std::vector<AlbumPicture>& pictures) {
  std::stable_sort(pictures.begin(), pictures.end(), [](const AlbumPicture& a, const AlbumPicture& b) {
    return std::make_tuple(dateKey(a.drawn()), dateKey(a.modified), std::cref(a.name), std::cref(a.database)) <
           std::make_tuple(dateKey(b.drawn()), dateKey(b.modified), std::cref(b.name), std::cref(b.database));
  });
}

void nameFiles(std::vector<AlbumPicture>& pictures) {
  std::set<std::string> taken;  // in lower case: some file systems ignore letter case
  for (AlbumPicture& picture : pictures) {
    const auto date = picture.drawn();
    const std::string stem = (date ? isoDate(*date) : std::string("undated")) + " " +
                             platform::toPlainFileName(platform::ansiToFileName(picture.name));
    std::string name = stem + ".png";
    for (int n = 2; !taken.insert(lowerCase(name)).second; ++n) name = stem + " (" + std::to_string(n) + ").png";
    picture.fileName = name;
  }
}

std::string isoDate(int64_t unixSeconds) {
  const CivilTime t = civilTime(unixSeconds);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", t.year, t.month, t.day);
  return text;
}

std::string longDate(int64_t unixSeconds) {
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  const CivilTime t = civilTime(unixSeconds);
  return std::to_string(t.day) + " " + kMonths[t.month - 1] + " " + std::to_string(t.year);
}

}  // namespace album
