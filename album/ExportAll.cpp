#include "album/ExportAll.h"

#include <cctype>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PngWriter.h"
#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/FileStream.h"
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

bool pathExists(const std::string& path) { return platform::fileExists(path) || platform::directoryExists(path); }

// Writes one picture at the lowest free number, moving on when a name was taken
// by someone else since the folder was read. The path written, or nullopt when
// the album is full.
std::optional<std::string> writeAtLowestFreeNumber(const base::Bitmap& picture, const std::string& folder,
                                                   ExportNumbers& numbers, const ExportOptions& options) {
  const std::string extension = options.png ? ".png" : ".bmp";
  while (const auto number = numbers.lowestFree()) {
    const std::string path = folder + ExportNumbers::fileName(*number, extension);
    try {
      if (options.png)
        writeNewPng(picture, path);
      else
        writeNewPicture(picture, path);
      numbers.take(*number);
      return path;
    } catch (const base::EFCreateError&) {
      if (!pathExists(path)) throw;
      numbers.take(*number);
    }
  }
  return std::nullopt;
}

enum class Outcome { Written, AlbumFull };

// Decodes one database and writes its picture with the database's date.
// Returns false when it is not a picture database.
bool exportOne(const std::string& database, const std::string& exportFolder, const PictureDecoder& decode,
               ExportNumbers& numbers, const ExportOptions& options, base::Bitmap& picture, Outcome& outcome) {
  if (!decode(database, picture)) return false;
  std::optional<base::Bitmap> large;
  if (options.scale > 1) large = enlarge(picture, options.scale);
  const auto path = writeAtLowestFreeNumber(large ? *large : picture, exportFolder, numbers, options);
  outcome = path ? Outcome::Written : Outcome::AlbumFull;
  if (path) stampPictureFile(*path, databaseFileTime(database));
  return true;
}

}  // namespace

ExportNumbers::ExportNumbers(const std::string& folder, const std::string& extension) : taken_(kMax + 1, false) {
  for (const std::string& name : platform::listDirectory(folder, "Pic_*" + extension))
    if (const int n = numberOf(name, extension)) taken_[static_cast<size_t>(n)] = true;
}

std::optional<int> ExportNumbers::lowestFree() const {
  for (int n = lowest_; n <= kMax; ++n)
    if (!taken_[static_cast<size_t>(n)]) return n;
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

void writeNewPicture(const base::Bitmap& picture, const std::string& path) {
  platform::FileStream file(path, platform::FileMode::CreateNew);
  try {
    picture.saveToStream(file);
  } catch (...) {
    file.close();
    platform::removeFile(path);
    throw;
  }
}

void writeNewPng(const base::Bitmap& picture, const std::string& path) {
  const std::vector<uint8_t> image = encodePng(picture);
  platform::FileStream file(path, platform::FileMode::CreateNew);
  try {
    file.writeBuffer(image.data(), image.size());
  } catch (...) {
    file.close();
    platform::removeFile(path);
    throw;
  }
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
  ExportNumbers numbers(exportFolder, options.png ? ".png" : ".bmp");
  // One picture for the whole run: each decoding replaces it while the old one
  // is still held, so the allocator reuses its memory instead of returning it.
  base::Bitmap picture;
  const bool named = options.nameFailures || options.keepGoing;
  for (size_t i = 0; i < databases.size(); ++i) {
    report.progress(i, databases.size());
    Outcome outcome = Outcome::Written;
    std::string failure;
    try {
      if (!exportOne(databases[i], exportFolder, decode, numbers, options, picture, outcome)) {
        if (!named) {
          report.message(kInvalidDatabase);
          return ExportResult::InvalidDatabase;
        }
        failure = kInvalidDatabase;
      }
    } catch (const std::exception& e) {
      if (!named) throw;
      failure = e.what();
    }
    if (!failure.empty()) {
      report.error(databases[i] + ": " + failure);
      ++counts.skipped;
      if (options.keepGoing) continue;
      return ExportResult::Failed;
    }
    if (outcome == Outcome::AlbumFull) {
      report.message(exportmsg::AlbumFull);
      return ExportResult::AlbumFull;
    }
    ++counts.exported;
  }
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
  const std::string exportFolder = programFolder + userName + platform::kPathSeparator;
  // A user name such as "..", "a/b" or "" would name some other folder.
  if (!platform::isPlainFolderName(userName)) {
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
