// What the gallery shows of one user: the pictures as thumbnails, each with its
// date and name, in the order they were drawn (as the web album has them), and
// the databases that cannot be read.
#pragma once

#include <string>
#include <vector>

#include "forms/Gallery.h"

namespace app {

struct GalleryContent {
  std::vector<forms::TThumbnail> thumbnails;  // data: the database's full path
  std::string leftOut;                        // empty when every database was read
};

// The content for `databases` (full paths).
GalleryContent galleryContent(const std::vector<std::string>& databases);

}  // namespace app
