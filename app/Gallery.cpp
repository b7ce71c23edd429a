#include "app/Gallery.h"

#include "album/AlbumPictures.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "base/Text.h"
#include "platform/Files.h"

namespace app {

namespace {

// A name from a database (Windows-1252) as one line of text.
std::string nameText(const std::string& ansi) { return base::escapeControls(base::cp1252ToUtf8(ansi)); }

std::string caption(const album::AlbumPicture& picture) {
  const auto drawn = picture.drawn();
  const std::string date = drawn ? album::longDate(*drawn) : std::string("undated");
  return date + '\n' + nameText(picture.name);
}

}  // namespace

GalleryContent galleryContent(const std::vector<std::string>& databases) {
  const int64_t now = album::currentTime();
  std::vector<album::AlbumPicture> pictures;
  std::vector<std::string> unreadable;
  const auto noteUnreadable = [&unreadable](const std::string& database, const char* failure) {
    unreadable.push_back(base::fileNameToUtf8(platform::fileNameOf(database) + ": " + failure));
  };
  for (const std::string& database : databases) {
    try {
      pictures.push_back(album::readAlbumPicture(database, now));
    } catch (const std::exception& e) {
      noteUnreadable(database, e.what());
    }
  }
  album::sortAsDrawn(pictures);
  GalleryContent content;
  for (const album::AlbumPicture& picture : pictures) {
    try {
      base::Bitmap bitmap;
      if (!album::decodePictureDatabase(picture.database, bitmap)) throw album::EInvalidDatabase();
      content.thumbnails.push_back({picture.database, caption(picture), std::move(bitmap)});
    } catch (const std::exception& e) {
      noteUnreadable(picture.database, e.what());
    }
  }
  if (!unreadable.empty()) {
    content.leftOut = "Left out, as they cannot be read:";
    for (const std::string& line : unreadable) content.leftOut += '\n' + line;
  }
  return content;
}

}  // namespace app
