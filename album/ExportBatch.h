// The stages of an export before its writing, one batch of databases at a
// time: the databases decoded in order, then the files of their pictures
// encoded in parallel.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "album/ExportAll.h"

namespace album {

// Databases a batch holds: enough to keep every core encoding and the names
// of a batch flushed to disk together. Fewer when their pixels, enlarged,
// pass kExportBatchPixels, as two batches of files are held in memory.
inline constexpr size_t kExportBatch = 32;
inline constexpr size_t kExportBatchPixels = size_t{32} << 20;

// A database on its way through an export, in the order of the databases.
struct PreparedPicture {
  bool isPicture = false;          // false: not a picture database
  std::exception_ptr failure;      // raised by the decoding
  PictureAndInfo decoded;          // the picture keeps its memory from one database to the next
  std::vector<uint8_t> bytes;      // the picture's file
  std::exception_ptr encodeFailure;

  bool failed() const { return failure || !isPicture; }
};

// Decodes the database at `path` into `item`, with `author` for its PNG file.
void decodeInto(PreparedPicture& item, const std::string& path, const PictureDecoder& decode,
                const std::string& author);

// Decodes the databases from `first` on into `items`, as many as it holds and
// kExportBatchPixels allows, with the options' author; stops after a database
// that fails unless the export skips it. Returns how many items were filled.
size_t decodeBatch(const std::vector<std::string>& databases, size_t first, const PictureDecoder& decode,
                   const ExportOptions& options, std::vector<PreparedPicture>& items);

// Encodes the files of the first `count` items that were decoded, on as many
// threads as the machine has cores (each keeps its own compressor), while the
// caller goes on; wait() or the destructor waits for the end. BMP files at
// the pictures' size are copied at once on the caller's thread.
class BatchEncoding {
 public:
  BatchEncoding(std::vector<PreparedPicture>& items, size_t count, const ExportOptions& options);
  ~BatchEncoding() { wait(); }
  BatchEncoding(const BatchEncoding&) = delete;
  BatchEncoding& operator=(const BatchEncoding&) = delete;

  void wait();

 private:
  void work();

  std::vector<PreparedPicture>& items_;
  const size_t count_;
  const ExportOptions& options_;
  std::atomic<size_t> next_{0};
  std::vector<std::thread> threads_;
};

}  // namespace album
