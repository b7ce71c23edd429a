#include "album/ExportAll.h"

#include <cctype>
#include <exception>
#include <optional>
#include <utility>

#include "album/ExportBatch.h"
#include "album/Messages.h"
#include "album/PendingPictures.h"
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

// One export into an existing folder. The pictures of two batches are kept for
// the whole run: each decoding replaces one while the old one is still held, so
// the allocator reuses its memory. PNG data takes long to encode, so the next
// batch of PNG pictures is decoded and encoded in parallel while this one is
// written; a BMP is decoded and written one picture at a time.
class ExportRun {
 public:
  ExportRun(const std::vector<std::string>& databases, const std::string& folder, const PictureDecoder& decode,
            ExportReport& report, const ExportOptions& options, ExportCounts& counts)
      : databases_(databases),
        folder_(folder),
        decode_(decode),
        report_(report),
        options_(options),
        counts_(counts),
        numbers_(folder, extensionOf(options)),
        folderSync_{folder},
        current_(batchSize()),
        next_(batchSize()),
        pending_(folder, numbers_, options, counts.exported) {}

  ExportResult run() {
    size_t first = 0;
    size_t count = decodeFrom(0, current_);
    BackgroundEncoding(current_, options_.png ? count : 0, options_.scale).wait();
    while (count > 0) {
      const size_t nextFirst = first + count;
      // A batch that ends in a stop is the last one.
      const bool stops = !options_.keepGoing && current_[count - 1].failed();
      size_t nextCount = options_.png && !stops ? decodeFrom(nextFirst, next_) : 0;
      BackgroundEncoding encoding(next_, nextCount, options_.scale);
      if (const auto end = writeBatch(first, count)) return *end;
      encoding.wait();
      if (!options_.png && !stops) nextCount = decodeFrom(nextFirst, next_);
      std::swap(current_, next_);
      first = nextFirst;
      count = nextCount;
    }
    return finish();
  }

 private:
  // The names given are made durable once, whichever way the export ends.
  struct FolderSync {
    const std::string& folder;
    ~FolderSync() { platform::syncFolder(folder); }
  };

  size_t batchSize() const { return options_.png ? PendingPictures::kBatch : 1; }
  // Failing databases are named in error reports rather than ending the export with a box or an exception.
  bool named() const { return options_.nameFailures || options_.keepGoing; }

  size_t decodeFrom(size_t first, std::vector<PreparedPicture>& items) {
    return first < databases_.size() ? decodeAhead(databases_, first, decode_, options_.keepGoing, options_.author, items) : 0;
  }

  // Writes the batch's pictures, databases first on; the result when the export ends in it.
  std::optional<ExportResult> writeBatch(size_t first, size_t count) {
    for (size_t k = 0; k < count; ++k)
      if (const auto end = writeOne(first + k, current_[k])) return end;
    return std::nullopt;
  }

  std::optional<ExportResult> writeOne(size_t index, PreparedPicture& item) {
    report_.progress(index, databases_.size());
    const std::string& database = databases_[index];
    if (item.failure) return unreadable(database, item.failure);
    if (!item.decoded) return named() ? skip(database, msg::InvalidDatabase) : invalidDatabase();
    bool added = false;
    try {
      added = pending_.add(item.picture, item.fileTime, options_.png ? &item.png : nullptr);
    } catch (const std::exception& e) {
      if (!named()) {
        pending_.nameAll();  // the pictures before the failing one are exported
        throw;
      }
      return skip(database, e.what());
    }
    if (!added) {
      pending_.nameAll();
      return albumFull();
    }
    if (pending_.full() && !pending_.nameAll()) return albumFull();
    return std::nullopt;
  }

  // A database that could not be opened or read. Named like any failing
  // database, it ends the export with a stop unless failures are named.
  std::optional<ExportResult> unreadable(const std::string& database, const std::exception_ptr& failure) {
    std::string text;
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      text = e.what();
    }
    if (named()) return skip(database, text);
    pending_.nameAll();  // the pictures before the failing one are exported
    report_.stop(failureText(database, text));
    return ExportResult::Stopped;
  }

  // "<path>: <message>", the database named in full so that it can be found and moved aside.
  static std::string failureText(const std::string& database, const std::string& failure) {
    return platform::absolutePath(database) + ": " + failure;
  }

  // Names a failing database; the export goes on past it only with keepGoing.
  std::optional<ExportResult> skip(const std::string& database, const std::string& failure) {
    report_.error(failureText(database, failure));
    ++counts_.skipped;
    if (options_.keepGoing) return std::nullopt;
    if (!pending_.nameAll()) return albumFull();
    return ExportResult::Failed;
  }

  ExportResult invalidDatabase() {
    if (!pending_.nameAll()) return albumFull();
    report_.message(msg::InvalidDatabase);
    return ExportResult::InvalidDatabase;
  }

  ExportResult albumFull() {
    report_.message(msg::AlbumFull);
    return ExportResult::AlbumFull;
  }

  ExportResult finish() {
    if (!pending_.nameAll()) return albumFull();
    report_.progress(databases_.size(), databases_.size());
    if (counts_.skipped > 0) return ExportResult::Failed;
    report_.message(base::formatMessage(msg::Exported, {folder_}));
    return ExportResult::Exported;
  }

  const std::vector<std::string>& databases_;
  const std::string& folder_;
  const PictureDecoder& decode_;
  ExportReport& report_;
  const ExportOptions& options_;
  ExportCounts& counts_;
  ExportNumbers numbers_;
  FolderSync folderSync_;
  std::vector<PreparedPicture> current_, next_;
  PendingPictures pending_;
};

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

std::string cannotCreateFolder(const std::string& folder) {
  const std::string reason = platform::lastErrorText();
  return base::formatMessage(msg::CannotCreateFolder, {platform::absolutePath(folder), reason});
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
    report.error(cannotCreateFolder(exportFolder));
    return ExportResult::FolderFailed;
  }
  try {
    return ExportRun(databases, exportFolder, decode, report, options, counts).run();
  } catch (const std::exception& e) {
    report.stop(e.what());
    return ExportResult::Stopped;
  }
}

ExportResult exportUserAlbum(const std::string& programFolder, const std::string& albumName,
                             const std::string& userFolder, const std::vector<std::string>& entries,
                             const PictureDecoder& decode, ExportReport& report) {
  return exportUserPictures(programFolder, albumName, userFolder + "Backup" + platform::kPathSeparator, entries,
                            decode, report);
}

ExportResult exportUserPictures(const std::string& programFolder, const std::string& albumName,
                                const std::string& backupFolder, const std::vector<std::string>& entries,
                                const PictureDecoder& decode, ExportReport& report) {
  std::vector<std::string> databases;
  databases.reserve(entries.size());
  for (const std::string& entry : entries)
    databases.push_back(backupFolder + entry);
  ExportCounts counts;
  return exportUserDatabases(programFolder, albumName, databases, decode, report, ExportOptions{}, counts);
}

ExportResult exportUserDatabases(const std::string& root, const std::string& albumName,
                                 const std::vector<std::string>& databases, const PictureDecoder& decode,
                                 ExportReport& report, const ExportOptions& options, ExportCounts& counts) {
  if (databases.empty()) return ExportResult::Nothing;
  const std::string exportFolder = root + albumName + platform::kPathSeparator;
  // A name such as "..", "a/b" or "" would name some other folder.
  if (!platform::isPlainFolderName(albumName)) {
    report.error(base::formatMessage(msg::CannotCreate, {exportFolder}));
    return ExportResult::FolderFailed;
  }
  return exportPictures(databases, exportFolder, decode, report, options, counts);
}

}  // namespace album
