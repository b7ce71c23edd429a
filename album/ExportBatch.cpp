#include "album/ExportBatch.h"

#include <algorithm>
#include <system_error>

#include "album/Enlarge.h"
#include "album/PictureDate.h"
#include "album/PngWriter.h"

namespace album {

namespace {

void decodeOne(const std::string& path, const PictureDecoder& decode, const std::string& author,
               PreparedPicture& item) {
  item.reset();
  try {
    item.decoded = decode(path, item.picture);
    if (!item.decoded) return;
    item.info = databasePngInfo(path, author);
    item.fileTime = item.info.modified;
  } catch (const std::exception&) {
    item.failure = std::current_exception();
  }
}

void encodeOne(PreparedPicture& item, int scale) {
  try {
    item.png.bytes = scale > 1 ? encodePng(enlarge(item.picture, scale), item.info) : encodePng(item.picture, item.info);
  } catch (...) {
    item.png.failure = std::current_exception();
  }
}

}  // namespace

size_t decodeAhead(const std::vector<std::string>& databases, size_t first, const PictureDecoder& decode,
                   bool keepGoing, const std::string& author, std::vector<PreparedPicture>& items) {
  size_t count = 0;
  while (count < items.size() && first + count < databases.size()) {
    PreparedPicture& item = items[count];
    decodeOne(databases[first + count], decode, author, item);
    ++count;
    if (item.failed() && !keepGoing) break;
  }
  return count;
}

BackgroundEncoding::BackgroundEncoding(std::vector<PreparedPicture>& items, size_t count, int scale)
    : items_(items), count_(count), scale_(scale) {
  const size_t threads = std::min<size_t>(std::max(1U, std::thread::hardware_concurrency()), count);
  for (size_t t = 0; t < threads; ++t) {
    try {
      threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      break;  // the threads running share the work
    }
  }
  if (threads_.empty()) work();
}

void BackgroundEncoding::wait() {
  for (std::thread& thread : threads_)
    if (thread.joinable()) thread.join();
}

void BackgroundEncoding::work() {
  for (size_t i = next_++; i < count_; i = next_++)
    if (items_[i].decoded) encodeOne(items_[i], scale_);
}

}  // namespace album
