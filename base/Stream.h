// Byte streams: a common interface with a position, and an in-memory stream.
// File streams live in platform/ because opening files with share modes is
// the operating system's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace base {

enum class SeekOrigin { Begin, Current, End };

class Stream {
 public:
  virtual ~Stream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual size_t read(void* buffer, size_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual size_t write(const void* buffer, size_t count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t size() = 0;

  int64_t position() { return seek(0, SeekOrigin::Current); }
  void setPosition(int64_t pos) { seek(pos, SeekOrigin::Begin); }
  int64_t remaining() { return size() - position(); }

  // Reads exactly count bytes or raises "Stream read error".
  void readBuffer(void* buffer, size_t count);
  // Writes exactly count bytes or raises "Stream write error".
  void writeBuffer(const void* buffer, size_t count);

  uint8_t readU8();
  uint16_t readU16LE();
  uint32_t readU32LE();
  void writeU8(uint8_t v);
  void writeU16LE(uint16_t v);
  void writeU32LE(uint32_t v);
  void writeI32LE(int32_t v) { writeU32LE(static_cast<uint32_t>(v)); }
};

// A growable stream in memory. Writing past the end grows it.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  MemoryStream(const void* bytes, size_t count);

  size_t read(void* buffer, size_t count) override;
  size_t write(const void* buffer, size_t count) override;
  int64_t seek(int64_t offset, SeekOrigin origin) override;
  int64_t size() override { return static_cast<int64_t>(data_.size()); }

  const std::vector<uint8_t>& bytes() const { return data_; }
  std::vector<uint8_t>& bytes() { return data_; }
  const uint8_t* data() const { return data_.data(); }

 private:
  std::vector<uint8_t> data_;
  size_t pos_ = 0;
};

// A read-only stream over bytes owned by someone else (fuzzers, resources).
class ConstMemoryStream : public Stream {
 public:
  ConstMemoryStream(const void* bytes, size_t count)
      : data_(static_cast<const uint8_t*>(bytes)), size_(count) {}

  size_t read(void* buffer, size_t count) override;
  size_t write(const void*, size_t) override { return 0; }
  int64_t seek(int64_t offset, SeekOrigin origin) override;
  int64_t size() override { return static_cast<int64_t>(size_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace base
