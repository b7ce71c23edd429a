#include "album/PendingPictures.h"

#include "album/Enlarge.h"
#include "album/PictureDate.h"

namespace album {

namespace {

// png is the picture's PNG data when exporting PNG; a BMP is written from the picture itself.
void writePictureBytes(base::Stream& out, const base::Bitmap& picture, const EncodedPng* png) {
  if (png) {
    if (png->failure) std::rethrow_exception(png->failure);
    out.writeBuffer(png->bytes.data(), png->bytes.size());
  } else {
    picture.saveToStream(out);
  }
}

}  // namespace

bool PendingPictures::add(const base::Bitmap& picture, std::optional<int64_t> fileTime, const EncodedPng* png) {
  const auto number = numbers_.free(files_.size());
  if (!number) return false;
  auto file =
      std::make_unique<platform::FileWriter>(folder_ + fileName(*number), platform::FileWriter::Purpose::NewName);
  const base::Bitmap* shown = &picture;
  std::optional<base::Bitmap> large;
  if (!png && options_.scale > 1) shown = &large.emplace(enlarge(picture, options_.scale));
  file->write([&](base::Stream& out) { writePictureBytes(out, *shown, png); });
  file->closeForBatch();
  files_.push_back({std::move(file), fileTime});
  return true;
}

bool PendingPictures::nameAll() {
  if (files_.empty()) return true;
  platform::flushBatch(folder_);
  std::vector<Pending> files = std::move(files_);
  files_.clear();
  for (auto& pending : files)
    if (!takeLowestFreeName(pending)) return false;
  return true;
}

bool PendingPictures::takeLowestFreeName(Pending& pending) {
  for (auto number = numbers_.lowestFree(); number; number = numbers_.lowestFree()) {
    const std::string path = folder_ + fileName(*number);
    const bool named = pending.file->takeNewName(path);
    numbers_.take(*number);
    if (named) {
      ++named_;
      stampPictureFile(path, pending.fileTime);
      return true;
    }
  }
  return false;
}

}  // namespace album
