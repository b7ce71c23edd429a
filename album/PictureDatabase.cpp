#include "album/PictureDatabase.h"

#include <algorithm>
#include <cstring>

#include "base/Errors.h"
#include "platform/FileStream.h"

namespace album {

namespace {
constexpr size_t kNameFieldSize = 32;
constexpr int64_t kRecordCountOffset = 76;
constexpr int64_t kRecordListOffset = 78;
constexpr int64_t kRecordEntrySize = 8;
constexpr int64_t kGapAfterRecordList = 2;
}  // namespace

PictureSize pictureSizeForFile(int64_t fileSize) {
  return fileSize > kSmallPictureFileLimit ? PictureSize::Large : PictureSize::Small;
}

PictureDatabase::PictureDatabase(const std::string& path)
    : PictureDatabase(std::make_unique<platform::FileStream>(path, platform::FileMode::OpenReadExclusive)) {}

PictureDatabase::PictureDatabase(std::unique_ptr<base::Stream> stream) : stream_(std::move(stream)) {
  fileSize_ = stream_->size();
  readName();
}

PictureDatabase::~PictureDatabase() = default;

void PictureDatabase::readName() {
  char field[kNameFieldSize];
  stream_->setPosition(0);
  size_t got = 0;
  while (got < kNameFieldSize) {
    const size_t n = stream_->read(field + got, kNameFieldSize - got);
    if (n == 0) break;
    got += n;
  }
  name_.assign(field, std::find(field, field + got, '\0'));
  const size_t prefixLength = std::strlen(kPictureNamePrefix);
  namePrefixMatches_ = got >= prefixLength && std::memcmp(field, kPictureNamePrefix, prefixLength) == 0;
}

bool PictureDatabase::hasPictureName() const { return namePrefixMatches_; }

uint16_t PictureDatabase::recordCount() {
  if (recordCount_ < 0) {
    if (!stream_) throw base::EReadError();
    uint8_t bytes[2];
    stream_->setPosition(kRecordCountOffset);
    stream_->readBuffer(bytes, sizeof bytes);
    recordCount_ = bytes[0] * 256 + bytes[1];
  }
  return static_cast<uint16_t>(recordCount_);
}

int64_t PictureDatabase::pixelOffset() {
  return kRecordListOffset + kRecordEntrySize * recordCount() + kGapAfterRecordList;
}

// A file that ends before its pixel offset reports a read error, except one that
// is exactly one byte short, which reports a write error.
void PictureDatabase::raiseTruncated() const {
  if (fileSize_ == kRecordListOffset + kRecordEntrySize * recordCount_ + kGapAfterRecordList - 1)
    throw base::EWriteError();
  throw base::EReadError();
}

int64_t PictureDatabase::pixelByteCount() {
  const int64_t offset = pixelOffset();
  if (fileSize_ < offset) raiseTruncated();
  return fileSize_ - offset;
}

void PictureDatabase::decodeInto(base::Bitmap& target) {
  const int64_t available = pixelByteCount();
  const PictureSize size = pictureSize();
  base::Bitmap picture = blankPicture(size);
  // Rows are stored bottom row first, so the first pixel byte lands bottom left.
  const size_t count = static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(picture.bits().size())));
  stream_->setPosition(pixelOffset());
  stream_->readBuffer(picture.bits().data(), count);
  target = std::move(picture);
}

void PictureDatabase::close() { stream_.reset(); }

void FlipBitmapVertical(base::Bitmap& bitmap) { bitmap.flipVertical(); }

namespace {
base::Bitmap decodeWhole(PictureDatabase& database) {
  if (!database.hasPictureName()) throw EInvalidDatabase();
  base::Bitmap picture;
  database.decodeInto(picture);
  database.close();
  FlipBitmapVertical(picture);
  return picture;
}
}  // namespace

base::Bitmap decodePicture(const std::string& path) {
  PictureDatabase database(path);
  return decodeWhole(database);
}

base::Bitmap decodePicture(const void* bytes, size_t count) {
  PictureDatabase database(std::make_unique<base::ConstMemoryStream>(bytes, count));
  return decodeWhole(database);
}

}  // namespace album
