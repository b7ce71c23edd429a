// Input files as streams, opened for reading shared or with no sharing at all.
// Files are written through FileWriter.h.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "base/Stream.h"

namespace platform {

enum class FileMode {
  OpenRead,           // read only, others may read and write too
  OpenReadExclusive,  // read only, no other open of the file while this one lasts
};

class FileStream : public base::Stream {
 public:
  // Raises "Cannot open file "%s". %s" with the absolute path and the system's reason;
  // a folder, FIFO, socket or device is refused with kNotRegularFile.
  FileStream(const std::string& path, FileMode mode);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  size_t read(void* buffer, size_t count) override;
  size_t write(const void* buffer, size_t count) override;  // writes nothing
  int64_t seek(int64_t offset, base::SeekOrigin origin) override;
  int64_t size() override;

  void close();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  // The size of a file that nobody else may open while this stream lasts; -1 when it may change.
  int64_t fixedSize_ = -1;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

// The whole content of the regular file at `path` when it holds at most
// `maxBytes`; nullopt when it cannot be opened, is no regular file or is larger.
inline std::optional<std::string> readSmallFile(const std::string& path, uint64_t maxBytes) {
  try {
    FileStream file(path, FileMode::OpenRead);
    const int64_t size = file.size();
    if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    text.resize(file.read(text.data(), text.size()));
    return text;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace platform
