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

// One export into an existing folder, a batch at a time: the databases are
// decoded in order, their files encoded in parallel while the batch before is
// written, then written and named in order. The pictures of two batches are
// kept for the whole run, so each decoding reuses the memory of an earlier one.
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
        numbers_(folder, extensionOf(options.format)),
        folderSync_{folder},
        current_(kExportBatch),
        next_(kExportBatch),
        pending_(folder, numbers_, options.format, counts.exported) {}

  ExportEnd run() {
    size_t first = 0;
    size_t count = decodeFrom(0, current_);
    BatchEncoding(current_, count, options_).wait();
    while (count > 0) {
      const size_t nextFirst = first + count;
      // No batch is decoded after one that ends the export.
      const bool ends = !options_.skipsFailures() && current_[count - 1].failed();
      const size_t nextCount = ends ? 0 : decodeFrom(nextFirst, next_);
      BatchEncoding encoding(next_, nextCount, options_);
      if (const auto end = writeBatch(first, count)) return *end;
      encoding.wait();
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

  enum class Failure { NotAPicture, Unreadable, Unwritable };

  size_t decodeFrom(size_t first, std::vector<PreparedPicture>& items) {
    return first < databases_.size() ? decodeBatch(databases_, first, decode_, options_, items) : 0;
  }

  // Writes the batch's pictures, databases first on, and names them; the end when the export ends in it.
  std::optional<ExportEnd> writeBatch(size_t first, size_t count) {
    for (size_t k = 0; k < count; ++k)
      if (const auto end = writeOne(first + k, current_[k])) return end;
    if (!pending_.nameAll()) return albumFull();
    return std::nullopt;
  }

  std::optional<ExportEnd> writeOne(size_t index, const PreparedPicture& item) {
    report_.progress(index, databases_.size());
    const std::string& database = databases_[index];
    if (item.failure) return failed(database, textOf(item.failure), Failure::Unreadable);
    if (!item.isPicture) return failed(database, msg::InvalidDatabase, Failure::NotAPicture);
    try {
      if (item.encodeFailure) std::rethrow_exception(item.encodeFailure);
      if (pending_.add(item.bytes, item.decoded.info.modified)) return std::nullopt;
    } catch (const std::exception& e) {
      return failed(database, e.what(), Failure::Unwritable);
    }
    pending_.nameAll();
    return albumFull();
  }

  static std::string textOf(const std::exception_ptr& failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      return e.what();
    }
  }

  // A database that failed with `text`; what was written before it is named
  // before the export ends.
  std::optional<ExportEnd> failed(const std::string& database, const std::string& text, Failure failure) {
    if (options_.onFailure != OnFailure::Stop) return skip(database, text);
    if (failure == Failure::NotAPicture) {
      if (!pending_.nameAll()) return albumFull();
      report_.message(text);
      return ExportEnd::Failed;
    }
    pending_.nameAll();
    // A database that cannot be read is named in full, so that it can be found and moved aside.
    report_.stop(failure == Failure::Unreadable ? failureText(database, text) : text);
    return ExportEnd::Stopped;
  }

  // "<path>: <message>", the database named in full.
  static std::string failureText(const std::string& database, const std::string& failure) {
    return platform::absolutePath(database) + ": " + failure;
  }

  // Names a failing database; the export goes on past it only with NameAndSkip.
  std::optional<ExportEnd> skip(const std::string& database, const std::string& failure) {
    report_.error(failureText(database, failure));
    ++counts_.skipped;
    if (options_.skipsFailures()) return std::nullopt;
    if (!pending_.nameAll()) return albumFull();
    return ExportEnd::Failed;
  }

  ExportEnd albumFull() {
    report_.message(msg::AlbumFull);
    return ExportEnd::Failed;
  }

  ExportEnd finish() {
    report_.progress(databases_.size(), databases_.size());
    if (counts_.skipped > 0) return ExportEnd::Failed;
    report_.finished(base::formatMessage(msg::Exported, {folder_}));
    return ExportEnd::Exported;
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
                            const PictureDecoder& decode, ExportReport& report, const ExportOptions& options) {
  ExportResult result;
  if (databases.empty()) return result;
  if (!platform::directoryExists(exportFolder) && !platform::createDirectory(exportFolder)) {
    report.error(cannotCreateFolder(exportFolder));
    result.end = ExportEnd::FolderFailed;
    return result;
  }
  try {
    result.end = ExportRun(databases, exportFolder, decode, report, options, result.counts).run();
  } catch (const std::exception& e) {
    report.stop(e.what());
    result.end = ExportEnd::Stopped;
  }
  return result;
}

ExportResult exportUserDatabases(const std::string& root, const std::string& albumName,
                                 const std::vector<std::string>& databases, const PictureDecoder& decode,
                                 ExportReport& report, const ExportOptions& options) {
  if (databases.empty()) return {};
  const std::string exportFolder = root + albumName + platform::kPathSeparator;
  // A name such as "..", "a/b" or "" would name some other folder.
  if (!platform::isPlainFolderName(albumName)) {
    report.error(base::formatMessage(msg::CannotCreate, {exportFolder}));
    return {ExportEnd::FolderFailed, {}};
  }
  return exportPictures(databases, exportFolder, decode, report, options);
}

}  // namespace album
