#include "album/WebAlbum.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <string_view>
#include <utility>

#include "album/AlbumPage.h"
#include "album/AlbumPictures.h"
#include "album/ExportBatch.h"
#include "album/Messages.h"
#include "album/PictureDate.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "platform/Directory.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace album {

namespace {

constexpr const char* kPageName = kAlbumPageName;

// Whether a child's folder can lie beside the page: one plain folder name, not the page's own.
bool isChildFolder(const std::string& name) {
  const bool isPage = name.size() == std::string_view(kPageName).size() &&
                      std::equal(name.begin(), name.end(), kPageName, [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) == b;
                      });
  return platform::isPlainFolderName(name) && !isPage;
}

std::string fileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of(std::string("/") + platform::kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

platform::WriteContent contentOf(const std::vector<uint8_t>& bytes) {
  return [&bytes](base::Stream& out) { out.writeBuffer(bytes.data(), bytes.size()); };
}

bool holds(const std::string& path, const std::vector<uint8_t>& bytes) {
  const auto old = platform::readSmallFile(path, bytes.size());
  return old && old->size() == bytes.size() &&
         std::equal(bytes.begin(), bytes.end(), old->begin(), [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); });
}

// Writes `bytes` to `path` unless the file holds them already.
void writeIfChanged(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (!holds(path, bytes)) platform::writeFileReplacing(path, contentOf(bytes));
}

// The pictures of a child's folder. A file that holds its picture already is
// left alone, one that differs is replaced at once; new files, the usual case,
// are written under temporary names, flushed to disk together and then named.
// Each file written takes its database's date.
class PictureFiles {
 public:
  explicit PictureFiles(const std::string& folder) : folder_(folder) {}

  void write(const std::string& path, std::vector<uint8_t> bytes, std::optional<int64_t> fileTime) {
    if (!platform::fileExists(path)) {
      auto file = std::make_unique<platform::FileWriter>(path, platform::FileWriter::Purpose::NewName);
      file->write(contentOf(bytes));
      file->closeForBatch();
      pending_.push_back({std::move(file), path, std::move(bytes), fileTime});
    } else if (!holds(path, bytes)) {
      platform::writeFileReplacing(path, contentOf(bytes));
      stampPictureFile(path, fileTime);
    }
  }

  void nameAll() {
    if (pending_.empty()) return;
    platform::flushBatch(folder_);
    for (Pending& p : pending_) {
      // A file that someone made meanwhile is replaced, as any file of the album.
      if (!p.file->takeNewName(p.path)) platform::writeFileReplacing(p.path, contentOf(p.bytes));
      stampPictureFile(p.path, p.fileTime);
    }
    pending_.clear();
  }

 private:
  struct Pending {
    std::unique_ptr<platform::FileWriter> file;
    std::string path;
    std::vector<uint8_t> bytes;
    std::optional<int64_t> fileTime;
  };
  const std::string& folder_;
  std::vector<Pending> pending_;
};

std::string failureText(const PreparedPicture& item) {
  if (!item.failure) return msg::InvalidDatabase;
  try {
    std::rethrow_exception(item.failure);
  } catch (const std::exception& e) {
    return e.what();
  }
}

// One making of the album: the headers of every child's databases are read and
// ordered first, then the pictures are decoded, encoded in parallel a batch at
// a time and written, then the page.
class WebAlbumRun {
 public:
  WebAlbumRun(const std::vector<AlbumUser>& users, const std::string& folder, ExportReport& report,
              const AlbumOptions& options, std::vector<ExportCounts>& counts)
      : users_(users), folder_(folder), report_(report), options_(options), counts_(counts),
        current_(kExportBatch), next_(kExportBatch) {
    png_.format = PictureFormat::Png;
  }

  AlbumResult run() {
    counts_.assign(users_.size(), {});
    sections_.resize(users_.size());
    for (size_t u = 0; u < users_.size(); ++u)
      if (!readSection(u)) return AlbumResult::Failed;
    for (size_t u = 0; u < users_.size(); ++u)
      if (!writePictures(u)) return AlbumResult::Failed;
    for (size_t u = 0; u < users_.size(); ++u) counts_[u].exported = sections_[u].pictures.size();
    const std::string page = albumPage(sections_);
    writeIfChanged(folder_ + kPageName, std::vector<uint8_t>(page.begin(), page.end()));
    platform::syncFolder(folder_);
    report_.message(base::formatMessage(msg::AlbumMade, {platform::absolutePath(folder_ + kPageName)}));
    return complete_ ? AlbumResult::Made : AlbumResult::Incomplete;
  }

 private:
  // Reads the headers of a child's databases, in the order drawn, each with its
  // file name; false when a failing database ends the album.
  bool readSection(size_t u) {
    const AlbumUser& user = users_[u];
    AlbumSection& section = sections_[u];
    section.name = user.name;
    section.folder = user.folder;
    if (!isChildFolder(user.folder)) {
      // A name such as ".." or "a/b" would lead the pictures out of the album's folder.
      const std::string text = base::formatMessage(msg::CannotCreate, {folder_ + user.folder});
      report_.error(text);
      section.leftOut.push_back(base::fileNameToUtf8(text));
      counts_[u].skipped = user.databases.size();
      complete_ = false;
      return true;
    }
    for (const std::string& database : user.databases) {
      try {
        section.pictures.push_back(readAlbumPicture(database, now_));
      } catch (const std::exception& e) {
        if (!leaveOut(u, database, e.what())) return false;
      }
    }
    sortAsDrawn(section.pictures);
    nameFiles(section.pictures);
    return true;
  }

  // Names a failing database; the album goes on without it only with keepGoing.
  bool leaveOut(size_t u, const std::string& database, const std::string& failure) {
    report_.error(database + ": " + failure);
    if (!options_.keepGoing) return false;
    sections_[u].leftOut.push_back(base::fileNameToUtf8(fileNameOf(database) + ": " + failure));
    ++counts_[u].skipped;
    complete_ = false;
    return true;
  }

  // Decodes, encodes and writes a child's pictures, the next batch encoded
  // while this one is written; false when a failing database ends the album.
  bool writePictures(size_t u) {
    AlbumSection& section = sections_[u];
    if (section.pictures.empty()) return true;
    const std::string childFolder = folder_ + section.folder + platform::kPathSeparator;
    if (!platform::directoryExists(childFolder) && !platform::createDirectory(childFolder))
      throw base::Exception(base::formatMessage(msg::CannotCreate, {childFolder}));
    std::vector<bool> kept(section.pictures.size(), true);
    PictureFiles files(childFolder);
    size_t first = 0;
    size_t count = decodeFrom(u, 0, current_);
    BatchEncoding(current_, count, png_).wait();
    while (count > 0) {
      const size_t nextCount = decodeFrom(u, first + count, next_);
      BatchEncoding encoding(next_, nextCount, png_);
      for (size_t k = 0; k < count; ++k)
        if (!writeOne(u, files, childFolder, first + k, current_[k], kept)) return false;
      files.nameAll();
      encoding.wait();
      std::swap(current_, next_);
      first += count;
      count = nextCount;
    }
    platform::syncFolder(childFolder);
    std::vector<AlbumPicture> shown;
    for (size_t i = 0; i < kept.size(); ++i)
      if (kept[i]) shown.push_back(std::move(section.pictures[i]));
    section.pictures = std::move(shown);
    return true;
  }

  size_t decodeFrom(size_t u, size_t first, std::vector<PreparedPicture>& items) {
    const std::vector<AlbumPicture>& pictures = sections_[u].pictures;
    size_t count = 0;
    for (; count < items.size() && first + count < pictures.size(); ++count)
      decodeInto(items[count], pictures[first + count].database, decodePictureAndInfo, users_[u].name);
    return count;
  }

  bool writeOne(size_t u, PictureFiles& files, const std::string& childFolder, size_t index, PreparedPicture& item,
                std::vector<bool>& kept) {
    const AlbumPicture& picture = sections_[u].pictures[index];
    report_.progress(done_++, total());
    if (item.failed()) {
      kept[index] = false;
      return leaveOut(u, picture.database, failureText(item));
    }
    if (item.encodeFailure) std::rethrow_exception(item.encodeFailure);
    files.write(childFolder + picture.fileName, std::move(item.bytes), item.decoded.info.modified);
    return true;
  }

  size_t total() const {
    size_t n = 0;
    for (const AlbumSection& s : sections_) n += s.pictures.size();
    return n;
  }

  const std::vector<AlbumUser>& users_;
  const std::string& folder_;
  ExportReport& report_;
  const AlbumOptions& options_;
  std::vector<ExportCounts>& counts_;
  const int64_t now_ = currentTime();
  std::vector<AlbumSection> sections_;
  ExportOptions png_;  // how the pictures' files are encoded
  std::vector<PreparedPicture> current_, next_;
  size_t done_ = 0;
  bool complete_ = true;
};

}  // namespace

AlbumResult makeWebAlbum(const std::vector<AlbumUser>& users, const std::string& folder, ExportReport& report,
                         const AlbumOptions& options, std::vector<ExportCounts>& counts) {
  if (!platform::directoryExists(folder) && !platform::createDirectory(folder)) {
    report.stop(base::formatMessage(msg::CannotCreate, {folder}));
    return AlbumResult::Stopped;
  }
  try {
    return WebAlbumRun(users, folder, report, options, counts).run();
  } catch (const std::exception& e) {
    report.stop(e.what());
    return AlbumResult::Stopped;
  }
}

}  // namespace album
