#include "album/PictureDatabase.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "platform/FileStream.h"

namespace album {

namespace {
constexpr size_t kNameFieldSize = 32;
constexpr size_t kRecordCountOffset = 76;
constexpr int64_t kRecordListOffset = 78;
constexpr int64_t kRecordEntrySize = 8;
constexpr int64_t kGapAfterRecordList = 2;
}  // namespace

PictureSize pictureSizeForFile(int64_t fileSize) {
  return fileSize > kSmallPictureFileLimit ? PictureSize::Large : PictureSize::Small;
}

// A file just opened is at its start already.
PictureDatabase::PictureDatabase(const std::string& path)
    : PictureDatabase(std::make_unique<platform::FileStream>(path, platform::FileMode::OpenReadExclusive), true) {}

PictureDatabase::PictureDatabase(std::unique_ptr<base::Stream> stream) : PictureDatabase(std::move(stream), false) {}

PictureDatabase::PictureDatabase(std::unique_ptr<base::Stream> stream, bool atStart) : stream_(std::move(stream)) {
  fileSize_ = stream_->size();
  readHeader(atStart);
}

PictureDatabase::~PictureDatabase() = default;

// Reads the name field and the record count together; the count is checked for
// presence only when it is asked for.
void PictureDatabase::readHeader(bool atStart) {
  if (!atStart) stream_->setPosition(0);
  while (headerLength_ < sizeof header_) {
    const size_t n = stream_->read(header_ + headerLength_, sizeof header_ - headerLength_);
    if (n == 0) break;
    headerLength_ += n;
  }
  const size_t fieldLength = std::min(headerLength_, kNameFieldSize);
  const uint8_t* end = std::find(header_, header_ + fieldLength, uint8_t{0});
  name_.assign(reinterpret_cast<const char*>(header_), static_cast<size_t>(end - header_));
  const size_t prefixLength = std::strlen(kPictureNamePrefix);
  namePrefixMatches_ = fieldLength >= prefixLength && std::memcmp(header_, kPictureNamePrefix, prefixLength) == 0;
}

bool PictureDatabase::hasPictureName() const { return namePrefixMatches_; }

namespace {
constexpr size_t kCreationDateOffset = 36;
constexpr size_t kModificationDateOffset = 40;
constexpr size_t kTypeOffset = 60;
constexpr size_t kCreatorOffset = 64;
}  // namespace

uint32_t PictureDatabase::creationDate() const {
  if (headerLength_ < kCreationDateOffset + 4) return 0;
  return base::loadBE32(header_ + kCreationDateOffset);
}

uint32_t PictureDatabase::modificationDate() const {
  if (headerLength_ < kModificationDateOffset + 4) return 0;
  return base::loadBE32(header_ + kModificationDateOffset);
}

std::string PictureDatabase::type() const {
  if (headerLength_ < kTypeOffset + 4) return {};
  return std::string(reinterpret_cast<const char*>(header_ + kTypeOffset), 4);
}

std::string PictureDatabase::creator() const {
  if (headerLength_ < kCreatorOffset + 4) return {};
  return std::string(reinterpret_cast<const char*>(header_ + kCreatorOffset), 4);
}

uint16_t PictureDatabase::recordCount() const {
  if (headerLength_ < kRecordCountOffset + 2) throw base::EReadError();
  return base::loadBE16(header_ + kRecordCountOffset);
}

int64_t PictureDatabase::pixelOffset() const {
  return kRecordListOffset + kRecordEntrySize * recordCount() + kGapAfterRecordList;
}

int64_t PictureDatabase::pixelByteCount() const {
  const int64_t offset = pixelOffset();
  // A file that ends before its pixel offset reports a read error, except one
  // that is exactly one byte short, which reports a write error.
  if (fileSize_ == offset - 1) throw base::EWriteError();
  if (fileSize_ < offset) throw base::EReadError();
  return fileSize_ - offset;
}

void PictureDatabase::decodeInto(base::Bitmap& target) {
  const int64_t offset = pixelOffset();
  const int64_t available = pixelByteCount();
  const PictureSize size = pictureSize();
  if (!stream_) throw base::EReadError();
  // The target takes the template's headers and palette and keeps its pixel
  // memory when it has this size already: no fresh allocation per picture.
  target.reshapeLike(blankPicture(size));
  std::vector<uint8_t>& bits = target.bits();
  // Rows are stored bottom row first, so the first pixel byte lands bottom left.
  const size_t count = static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(bits.size())));
  try {
    if (static_cast<int64_t>(headerLength_) != offset) stream_->setPosition(offset);
    stream_->readBuffer(bits.data(), count);
  } catch (...) {
    target.clear();
    throw;
  }
  // Pixels the file does not reach keep the template's index 0.
  std::fill(bits.begin() + static_cast<std::ptrdiff_t>(count), bits.end(), uint8_t{0});
}

void PictureDatabase::close() { stream_.reset(); }

void FlipBitmapVertical(base::Bitmap& bitmap) { bitmap.flipVertical(); }

bool decodeDatabase(PictureDatabase& database, base::Bitmap& picture, const DecodeSteps& steps) {
  if (!database.hasPictureName()) return false;
  if (steps.nameChecked) steps.nameChecked();
  database.recordCount();  // a file too short for it fails before the size is known
  if (steps.sizeKnown) steps.sizeKnown(database.pictureSize());
  database.decodeInto(picture);
  database.close();
  FlipBitmapVertical(picture);
  return true;
}

bool decodePictureDatabase(const std::string& path, base::Bitmap& picture) {
  PictureDatabase database(path);
  return decodeDatabase(database, picture);
}

namespace {
void decodeWhole(PictureDatabase& database, base::Bitmap& picture) {
  if (!decodeDatabase(database, picture)) throw EInvalidDatabase();
}

base::Bitmap decodeWhole(PictureDatabase& database) {
  base::Bitmap picture;
  decodeWhole(database, picture);
  return picture;
}
}  // namespace

base::Bitmap decodePicture(const std::string& path) {
  PictureDatabase database(path);
  return decodeWhole(database);
}

void decodePicture(const std::string& path, base::Bitmap& into) {
  PictureDatabase database(path);
  decodeWhole(database, into);
}

base::Bitmap decodePicture(const void* bytes, size_t count) {
  PictureDatabase database(std::make_unique<base::ConstMemoryStream>(bytes, count));
  return decodeWhole(database);
}

}  // namespace album
