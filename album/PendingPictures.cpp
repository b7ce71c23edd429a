#include "album/PendingPictures.h"

#include "album/PictureDate.h"

namespace album {

bool PendingPictures::add(const std::vector<uint8_t>& bytes, std::optional<int64_t> fileTime) {
  const auto number = numbers_.free(files_.size());
  if (!number) return false;
  auto file =
      std::make_unique<platform::FileWriter>(folder_ + fileName(*number), platform::FileWriter::Purpose::NewName);
  file->write([&bytes](base::Stream& out) { out.writeBuffer(bytes.data(), bytes.size()); });
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
