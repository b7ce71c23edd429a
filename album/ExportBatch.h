// Preparing a batch of an export ahead of its writing: the databases decoded
// in order, and the PNG data of their pictures encoded in parallel.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "album/ExportAll.h"
#include "album/PngWriter.h"
#include "base/Bitmap.h"

namespace album {

// A picture's PNG data, encoded ahead of its writing, or what stopped the encoding.
struct EncodedPng {
  std::vector<uint8_t> bytes;
  std::exception_ptr failure;
};

// A database decoded ahead of its turn in the export, in the order of the databases.
struct PreparedPicture {
  bool decoded = false;
  std::exception_ptr failure;  // thrown by the decoding or the reading of the date
  base::Bitmap picture;
  std::optional<int64_t> fileTime;
  PngInfo info;  // what its PNG file records of the database
  EncodedPng png;

  // Empties it for the next database; the picture keeps its memory.
  void reset() {
    decoded = false;
    failure = nullptr;
    fileTime.reset();
    info = {};
    png = {};
  }
  bool failed() const { return failure || !decoded; }
};

// Decodes the databases from first on into items, as many as items holds, and
// reads their names and dates (with `author`, the child's name, for the PNG
// files); stops after a database that ends the export unless keepGoing.
// Returns how many items were filled.
size_t decodeAhead(const std::vector<std::string>& databases, size_t first, const PictureDecoder& decode,
                   bool keepGoing, const std::string& author, std::vector<PreparedPicture>& items);

// Encodes the PNG data of the first count decoded pictures on as many threads
// as the machine has cores (each keeps its own compressor) while the caller
// goes on; wait() or the destructor waits for the end.
class BackgroundEncoding {
 public:
  BackgroundEncoding(std::vector<PreparedPicture>& items, size_t count, int scale);
  ~BackgroundEncoding() { wait(); }
  BackgroundEncoding(const BackgroundEncoding&) = delete;
  BackgroundEncoding& operator=(const BackgroundEncoding&) = delete;

  void wait();

 private:
  void work();

  std::vector<PreparedPicture>& items_;
  const size_t count_;
  const int scale_;
  std::atomic<size_t> next_{0};
  std::vector<std::thread> threads_;
};

}  // namespace album
