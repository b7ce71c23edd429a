#include "base/Stream.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/Errors.h"

namespace base {

void Stream::readBuffer(void* buffer, size_t count) {
  if (count != 0 && read(buffer, count) != count) throw EReadError();
}

void Stream::writeBuffer(const void* buffer, size_t count) {
  if (count != 0 && write(buffer, count) != count) throw EWriteError();
}

uint8_t Stream::readU8() {
  uint8_t v;
  readBuffer(&v, 1);
  return v;
}

uint16_t Stream::readU16LE() {
  uint8_t b[2];
  readBuffer(b, 2);
  return loadLE16(b);
}

uint32_t Stream::readU32LE() {
  uint8_t b[4];
  readBuffer(b, 4);
  return loadLE32(b);
}

void Stream::writeU8(uint8_t v) { writeBuffer(&v, 1); }

void Stream::writeU16LE(uint16_t v) {
  uint8_t b[2];
  storeLE16(b, v);
  writeBuffer(b, 2);
}

void Stream::writeU32LE(uint32_t v) {
  uint8_t b[4];
  storeLE32(b, v);
  writeBuffer(b, 4);
}

namespace {
// Resolves a seek request against the current position and size; positions never go below 0.
int64_t resolveSeek(int64_t offset, SeekOrigin origin, size_t pos, size_t size) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = static_cast<int64_t>(pos);
  if (origin == SeekOrigin::End) base = static_cast<int64_t>(size);
  int64_t target = 0;
  if (__builtin_add_overflow(base, offset, &target) || target < 0) target = 0;
  return target;
}
}  // namespace

MemoryStream::MemoryStream(const void* bytes, size_t count)
    : data_(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {}

size_t MemoryStream::read(void* buffer, size_t count) {
  if (pos_ >= data_.size()) return 0;
  const size_t n = std::min(count, data_.size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

size_t MemoryStream::write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  if (pos_ + count > data_.size()) data_.resize(pos_ + count);
  std::memcpy(data_.data() + pos_, buffer, count);
  pos_ += count;
  return count;
}

int64_t MemoryStream::seek(int64_t offset, SeekOrigin origin) {
  pos_ = static_cast<size_t>(resolveSeek(offset, origin, pos_, data_.size()));
  return static_cast<int64_t>(pos_);
}

size_t ConstMemoryStream::read(void* buffer, size_t count) {
  if (pos_ >= size_) return 0;
  const size_t n = std::min(count, size_ - pos_);
  std::memcpy(buffer, data_ + pos_, n);
  pos_ += n;
  return n;
}

int64_t ConstMemoryStream::seek(int64_t offset, SeekOrigin origin) {
  pos_ = static_cast<size_t>(resolveSeek(offset, origin, pos_, size_));
  return static_cast<int64_t>(pos_);
}

}  // namespace base
