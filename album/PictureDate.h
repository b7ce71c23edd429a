// The date a picture file takes from its database: the header's modification
// date, else its creation date. Palm dates count seconds from 1904-01-01 when
// their high bit is set, and from 1970-01-01 otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace album {

class PictureDatabase;

// Seconds since 1970-01-01 UTC for a Palm date.
int64_t palmDateToUnix(uint32_t palmDate);

// The modification time for a picture written from a database with these
// dates, or nullopt when the date is zero, before 1996 or after `now` (the
// file then keeps the time of writing).
std::optional<int64_t> pictureFileTime(uint32_t created, uint32_t modified, int64_t now);
std::optional<int64_t> pictureFileTime(const PictureDatabase& database);
// The same for the database file at `path`; nullopt when it cannot be read.
std::optional<int64_t> databaseFileTime(const std::string& path);

// Gives the picture file at `picturePath` the time `fileTime`, when there is one.
void stampPictureFile(const std::string& picturePath, std::optional<int64_t> fileTime);

}  // namespace album
