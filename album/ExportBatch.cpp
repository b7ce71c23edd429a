#include "album/ExportBatch.h"

#include <algorithm>
#include <system_error>

namespace album {

namespace {

void encodeOne(PreparedPicture& item, const ExportOptions& options) {
  try {
    item.bytes = pictureFileBytes(item.decoded.picture, options.format, item.decoded.info, options.scale);
  } catch (...) {
    item.encodeFailure = std::current_exception();
  }
}

}  // namespace

void decodeInto(PreparedPicture& item, const std::string& path, const PictureDecoder& decode,
                const std::string& author) {
  item.failure = nullptr;
  item.encodeFailure = nullptr;
  try {
    item.isPicture = false;
    item.isPicture = decode(path, item.decoded);
    item.decoded.info.author = author;
  } catch (const std::exception&) {
    item.failure = std::current_exception();
  }
}

size_t decodeBatch(const std::vector<std::string>& databases, size_t first, const PictureDecoder& decode,
                   const ExportOptions& options, std::vector<PreparedPicture>& items) {
  const size_t enlargement = static_cast<size_t>(options.scale) * static_cast<size_t>(options.scale);
  size_t count = 0, pixels = 0;
  while (count < items.size() && first + count < databases.size() && pixels < kExportBatchPixels) {
    PreparedPicture& item = items[count];
    decodeInto(item, databases[first + count], decode, options.author);
    ++count;
    if (item.failed() && !options.skipsFailures()) break;
    if (item.isPicture) pixels += item.decoded.picture.bits().size() * enlargement;
  }
  return count;
}

BatchEncoding::BatchEncoding(std::vector<PreparedPicture>& items, size_t count, const ExportOptions& options)
    : items_(items), count_(count), options_(options) {
  // A BMP file at the picture's size is its pixels behind a header: copying
  // them costs less than handing them to other threads.
  const bool worthThreads = options.format == PictureFormat::Png || options.scale > 1;
  const size_t cores = worthThreads ? std::max(1U, std::thread::hardware_concurrency()) : 0;
  const size_t threads = std::min<size_t>(cores, count);
  for (size_t t = 0; t < threads; ++t) {
    try {
      threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      break;  // the threads running share the work
    }
  }
  if (threads_.empty()) work();
}

void BatchEncoding::wait() {
  for (std::thread& thread : threads_)
    if (thread.joinable()) thread.join();
}

void BatchEncoding::work() {
  for (size_t i = next_++; i < count_; i = next_++)
    if (items_[i].isPicture) encodeOne(items_[i], options_);
}

}  // namespace album
