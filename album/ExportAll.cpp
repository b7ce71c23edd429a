#include "album/ExportAll.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PngWriter.h"
#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace album {

namespace {

bool startsWith(const std::string& s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const auto a = static_cast<unsigned char>(s[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (platform::kFileNamesIgnoreCase ? std::tolower(a) != std::tolower(b) : a != b) return false;
  }
  return true;
}

bool endsWith(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() && startsWith(s.substr(s.size() - suffix.size()), suffix);
}

ExportResult albumFull(ExportReport& report) {
  report.message(exportmsg::AlbumFull);
  return ExportResult::AlbumFull;
}

// A picture's PNG data, encoded ahead of its writing, or what stopped the encoding.
struct EncodedPng {
  std::vector<uint8_t> bytes;
  std::exception_ptr failure;
};

// A database decoded ahead of its turn in the export, in the order of the databases.
struct Prepared {
  bool decoded = false;
  std::exception_ptr failure;  // thrown by the decoding or the reading of the date
  base::Bitmap picture;
  std::optional<int64_t> fileTime;
  EncodedPng png;
};

// png is the picture's PNG data when exporting PNG; a BMP is written from the picture itself.
void writePictureBytes(base::Stream& out, const base::Bitmap& picture, const EncodedPng* png) {
  if (png) {
    if (png->failure) std::rethrow_exception(png->failure);
    out.writeBuffer(png->bytes.data(), png->bytes.size());
  } else {
    picture.saveToStream(out);
  }
}

void encodeOne(Prepared& item, int scale) {
  try {
    item.png.bytes = scale > 1 ? encodePng(enlarge(item.picture, scale)) : encodePng(item.picture);
  } catch (...) {
    item.png.failure = std::current_exception();
  }
}

// Encodes the PNG data of the first count decoded pictures on as many threads
// as the machine has cores (each keeps its own compressor) while the caller
// goes on; wait() or the destructor waits for the end.
class BackgroundEncoding {
 public:
  BackgroundEncoding(std::vector<Prepared>& items, size_t count, int scale)
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
  ~BackgroundEncoding() { wait(); }
  BackgroundEncoding(const BackgroundEncoding&) = delete;
  BackgroundEncoding& operator=(const BackgroundEncoding&) = delete;

  void wait() {
    for (std::thread& thread : threads_)
      if (thread.joinable()) thread.join();
  }

 private:
  void work() {
    for (size_t i = next_++; i < count_; i = next_++)
      if (items_[i].decoded) encodeOne(items_[i], scale_);
  }

  std::vector<Prepared>& items_;
  const size_t count_;
  const int scale_;
  std::atomic<size_t> next_{0};
  std::vector<std::thread> threads_;
};

std::string extensionOf(const ExportOptions& options) { return options.png ? ".png" : ".bmp"; }

// Pictures written but not yet named. They are flushed to disk together with
// one call and then take the lowest free numbers in order, moving on when a
// name was taken by someone else since the folder was read; each named file
// then takes its database's date.
class PendingPictures {
 public:
  static constexpr size_t kBatch = 32;

  PendingPictures(const std::string& folder, ExportNumbers& numbers, const ExportOptions& options)
      : folder_(folder), numbers_(numbers), options_(options) {}

  bool full() const { return files_.size() >= kBatch; }

  // Writes the picture (or its PNG data, png) under a temporary name; false when no number is left for it.
  bool add(const base::Bitmap& picture, std::optional<int64_t> fileTime, const EncodedPng* png) {
    const auto number = numbers_.free(files_.size());
    if (!number) return false;
    auto file = std::make_unique<platform::FileWriter>(folder_ + fileName(*number),
                                                       platform::FileWriter::Purpose::NewName);
    const base::Bitmap* shown = &picture;
    std::optional<base::Bitmap> large;
    if (!png && options_.scale > 1) shown = &large.emplace(enlarge(picture, options_.scale));
    file->write([&](base::Stream& out) { writePictureBytes(out, *shown, png); });
    file->closeForBatch();
    files_.push_back({std::move(file), fileTime});
    return true;
  }

  // Flushes and names every pending picture; false when the numbers ran out.
  bool nameAll() {
    if (files_.empty()) return true;
    platform::flushBatch(folder_);
    std::vector<Pending> files = std::move(files_);
    files_.clear();
    for (auto& pending : files)
      if (!takeLowestFreeName(pending)) return false;
    return true;
  }

 private:
  struct Pending {
    std::unique_ptr<platform::FileWriter> file;
    std::optional<int64_t> fileTime;
  };

  std::string fileName(int number) const { return ExportNumbers::fileName(number, extensionOf(options_)); }

  bool takeLowestFreeName(Pending& pending) {
    for (auto number = numbers_.lowestFree(); number; number = numbers_.lowestFree()) {
      const std::string path = folder_ + fileName(*number);
      const bool named = pending.file->takeNewName(path);
      numbers_.take(*number);
      if (named) {
        stampPictureFile(path, pending.fileTime);
        return true;
      }
    }
    return false;
  }

  const std::string& folder_;
  ExportNumbers& numbers_;
  const ExportOptions& options_;
  std::vector<Pending> files_;
};

// Decodes the databases from first on into items, as many as items holds, and
// reads their dates; stops after a database that ends the export unless
// keepGoing. Returns how many items were filled.
size_t decodeAhead(const std::vector<std::string>& databases, size_t first, const PictureDecoder& decode,
                   bool keepGoing, std::vector<Prepared>& items) {
  size_t count = 0;
  while (count < items.size() && first + count < databases.size()) {
    const std::string& path = databases[first + count];
    Prepared& item = items[count++];
    item.decoded = false;
    item.failure = nullptr;
    item.fileTime.reset();
    item.png = {};
    try {
      item.decoded = decode(path, item.picture);
      if (item.decoded) item.fileTime = databaseFileTime(path);
    } catch (const std::exception&) {
      item.failure = std::current_exception();
    }
    if ((item.failure || !item.decoded) && !keepGoing) break;
  }
  return count;
}

}  // namespace

ExportNumbers::ExportNumbers(const std::string& folder, const std::string& extension) : taken_(kMax + 1, false) {
  for (const std::string& name : platform::listDirectory(folder, "Pic_*" + extension))
    if (const int n = numberOf(name, extension)) taken_[static_cast<size_t>(n)] = true;
}

std::optional<int> ExportNumbers::lowestFree() const { return free(0); }

std::optional<int> ExportNumbers::free(size_t skip) const {
  for (int n = lowest_; n <= kMax; ++n)
    if (!taken_[static_cast<size_t>(n)] && skip-- == 0) return n;
  return std::nullopt;
}

void ExportNumbers::take(int number) {
  if (number < 1 || number > kMax) return;
  taken_[static_cast<size_t>(number)] = true;
  // Every number below lowest_ is taken, so the search may start there.
  while (lowest_ <= kMax && taken_[static_cast<size_t>(lowest_)]) ++lowest_;
}

int ExportNumbers::numberOf(const std::string& entryName, const std::string& extension) {
  if (!startsWith(entryName, "Pic_") || !endsWith(entryName, extension)) return 0;
  if (entryName.size() < 4 + extension.size()) return 0;
  const std::string digits = entryName.substr(4, entryName.size() - 4 - extension.size());
  if (digits.empty() || digits.size() > 4 || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n <= kMax ? n : 0;
}

std::string ExportNumbers::fileName(int number, const std::string& extension) {
  return "Pic_" + std::to_string(number) + extension;
}

bool decodePictureDatabase(const std::string& path, base::Bitmap& picture) {
  PictureDatabase database(path);
  if (!database.hasPictureName()) return false;
  database.decodeInto(picture);
  database.close();
  FlipBitmapVertical(picture);
  return true;
}

ExportResult exportPictures(const std::vector<std::string>& databases, const std::string& exportFolder,
                            const PictureDecoder& decode, ExportReport& report) {
  ExportCounts counts;
  return exportPictures(databases, exportFolder, decode, report, ExportOptions{}, counts);
}

ExportResult exportPictures(const std::vector<std::string>& databases, const std::string& exportFolder,
                            const PictureDecoder& decode, ExportReport& report, const ExportOptions& options,
                            ExportCounts& counts) {
  if (databases.empty()) return ExportResult::Nothing;
  if (!platform::directoryExists(exportFolder) && !platform::createDirectory(exportFolder)) {
    report.error(exportmsg::CannotCreate + exportFolder);
    return ExportResult::FolderFailed;
  }
  ExportNumbers numbers(exportFolder, extensionOf(options));
  // The names given are made durable once, whichever way the export ends.
  struct FolderSync {
    const std::string& folder;
    ~FolderSync() { platform::syncFolder(folder); }
  } folderSync{exportFolder};
  // The pictures of two batches, kept for the whole run: each decoding replaces
  // one while the old one is still held, so the allocator reuses its memory.
  // PNG data takes long to encode, so the next batch of PNG pictures is decoded
  // and encoded in parallel while this one is written; a BMP is decoded and
  // written one picture at a time.
  const size_t batch = options.png ? PendingPictures::kBatch : 1;
  std::vector<Prepared> current(batch), next(batch);
  PendingPictures pending(exportFolder, numbers, options);
  const bool named = options.nameFailures || options.keepGoing;
  const auto decodeFrom = [&](size_t first, std::vector<Prepared>& items) {
    return first < databases.size() ? decodeAhead(databases, first, decode, options.keepGoing, items) : 0;
  };
  size_t first = 0;
  size_t count = decodeFrom(0, current);
  BackgroundEncoding(current, options.png ? count : 0, options.scale).wait();
  while (count > 0) {
    const size_t nextFirst = first + count;
    // A batch that ends in a stop is the last one.
    const Prepared& last = current[count - 1];
    const bool stops = !options.keepGoing && (last.failure || !last.decoded);
    size_t nextCount = options.png && !stops ? decodeFrom(nextFirst, next) : 0;
    BackgroundEncoding encoding(next, nextCount, options.scale);
    for (size_t k = 0; k < count; ++k) {
      const size_t i = first + k;
      Prepared& item = current[k];
      report.progress(i, databases.size());
      bool decoded = false, added = false;
      std::string failure;
      try {
        if (item.failure) std::rethrow_exception(item.failure);
        decoded = item.decoded;
        added = decoded && pending.add(item.picture, item.fileTime, options.png ? &item.png : nullptr);
      } catch (const std::exception& e) {
        if (!named) {
          pending.nameAll();  // the pictures before the failing one are exported
          throw;
        }
        failure = e.what();
      }
      if (decoded && !added && failure.empty()) {
        pending.nameAll();
        return albumFull(report);
      }
      if (!decoded && failure.empty()) {
        if (!named) {
          if (!pending.nameAll()) return albumFull(report);
          report.message(kInvalidDatabase);
          return ExportResult::InvalidDatabase;
        }
        failure = kInvalidDatabase;
      }
      if (!failure.empty()) {
        report.error(databases[i] + ": " + failure);
        ++counts.skipped;
        if (options.keepGoing) continue;
        if (!pending.nameAll()) return albumFull(report);
        return ExportResult::Failed;
      }
      ++counts.exported;
      if (pending.full() && !pending.nameAll()) return albumFull(report);
    }
    encoding.wait();
    if (!options.png && !stops) nextCount = decodeFrom(nextFirst, next);
    std::swap(current, next);
    first = nextFirst;
    count = nextCount;
  }
  if (!pending.nameAll()) return albumFull(report);
  report.progress(databases.size(), databases.size());
  if (counts.skipped > 0) return ExportResult::Failed;
  report.message(exportmsg::Exported + exportFolder);
  return ExportResult::Exported;
}

ExportResult exportUserAlbum(const std::string& programFolder, const std::string& userName,
                             const std::string& userFolder, const std::vector<std::string>& entries,
                             const PictureDecoder& decode, ExportReport& report) {
  return exportUserPictures(programFolder, userName, userFolder + "Backup" + platform::kPathSeparator, entries,
                            decode, report);
}

ExportResult exportUserPictures(const std::string& programFolder, const std::string& userName,
                                const std::string& backupFolder, const std::vector<std::string>& entries,
                                const PictureDecoder& decode, ExportReport& report) {
  if (entries.empty()) return ExportResult::Nothing;
  const std::string folderName = platform::ansiToFileName(userName);
  const std::string exportFolder = programFolder + folderName + platform::kPathSeparator;
  // A user name such as "..", "a/b" or "" would name some other folder.
  if (!platform::isPlainFolderName(folderName)) {
    report.error(exportmsg::CannotCreate + exportFolder);
    return ExportResult::FolderFailed;
  }
  std::vector<std::string> databases;
  databases.reserve(entries.size());
  for (const std::string& entry : entries)
    databases.push_back(backupFolder + entry);
  return exportPictures(databases, exportFolder, decode, report);
}

}  // namespace album
