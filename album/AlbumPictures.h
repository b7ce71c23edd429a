// The pictures of a child's web album: what each database's header says, the
// order in which they were drawn, and the file each one becomes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "album/PictureTemplate.h"

namespace album {

struct AlbumPicture {
  std::string database;              // the database file's full path
  std::string name;                  // the picture's name, Windows-1252
  std::optional<int64_t> created;    // the header's dates when sane (PictureDate.h)
  std::optional<int64_t> modified;
  PictureSize size = PictureSize::Small;
  std::string fileName;              // its PNG file in the child's folder, once named

  // When it was drawn: the creation date, else the modification date.
  std::optional<int64_t> drawn() const { return created ? created : modified; }
};

// Reads the header of the database at `path` without its pixels. Raises
// EInvalidDatabase when it is not a picture database and the stream errors of
// a file that ends before its pixels.
AlbumPicture readAlbumPicture(const std::string& path, int64_t now);

// Puts pictures in the order they were drawn: by the date drawn (undated ones
// last), then the modification date, then the name, then the database's path.
void sortAsDrawn(std::vector<AlbumPicture>& pictures);

// Names each picture's file "<date drawn> <name>.png" ("undated <name>.png"),
// a name met before (letter case aside) taking " (2)", " (3)"... in order.
void nameFiles(std::vector<AlbumPicture>& pictures);

// "2003-06-01"
std::string isoDate(int64_t unixSeconds);
// "1 June 2003"
std::string longDate(int64_t unixSeconds);

}  // namespace album
