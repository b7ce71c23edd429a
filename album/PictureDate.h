// The date a picture file takes from its database: the header's modification
// date, else its creation date. Palm dates count seconds from 1904-01-01 when
// their high bit is set, and from 1970-01-01 otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "album/PngWriter.h"

namespace album {

class PictureDatabase;

// Seconds since 1970-01-01 UTC for a Palm date.
int64_t palmDateToUnix(uint32_t palmDate);
// The same for a date that is set, from 1996 on and not after `now`; else nullopt.
std::optional<int64_t> saneDate(uint32_t palmDate, int64_t now);
// Seconds since 1970 now.
int64_t currentTime();

// The modification time for a picture written from a database with these
// dates, or nullopt when the date is zero, before 1996 or after `now` (the
// file then keeps the time of writing).
std::optional<int64_t> pictureFileTime(uint32_t created, uint32_t modified, int64_t now);
std::optional<int64_t> pictureFileTime(const PictureDatabase& database);

// A time in UTC by its calendar parts.
struct CivilTime {
  int year;
  unsigned month, day, hour, minute, second;  // month 1 to 12, day 1 to 31
};
CivilTime civilTime(int64_t unixSeconds);
// "Sat, 01 Jan 2000 00:00:00 GMT", as RFC 1123 writes a time.
std::string rfc1123Time(int64_t unixSeconds);

// The picture's name and its database's dates as a PNG file records them: the
// file's date (as above) as its modification time, the creation date when it
// is sane as its creation time, and the child's name (`author`, UTF-8 as the
// user list shows it) when there is one.
PngInfo pngInfo(const PictureDatabase& database, const std::string& author = {});

// A database's picture, upright, and what its picture file records of the
// database (pngInfo): the date the file takes, and in a PNG file its name and dates.
struct PictureAndInfo {
  base::Bitmap picture;
  PngInfo info;
};

// Decodes the database file at `path` into `into`, the picture and its info
// from one open. Returns false when it is not a picture database; raises the
// platform's errors when it cannot be opened or read.
bool decodePictureAndInfo(const std::string& path, PictureAndInfo& into);
// The same for a database opened already.
bool decodeDatabaseAndInfo(PictureDatabase& database, PictureAndInfo& into);

// Gives the picture file at `picturePath` the time `fileTime`, when there is one.
void stampPictureFile(const std::string& picturePath, std::optional<int64_t> fileTime);

}  // namespace album
