#include "album/ExportAll.h"

#include <cctype>

#include "album/PictureDatabase.h"
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
// by someone else since the folder was read. False when the album is full.
bool writeAtLowestFreeNumber(const base::Bitmap& picture, const std::string& folder, ExportNumbers& numbers) {
  while (const auto number = numbers.lowestFree()) {
    const std::string path = folder + ExportNumbers::fileName(*number);
    try {
      writeNewPicture(picture, path);
      numbers.take(*number);
      return true;
    } catch (const base::EFCreateError&) {
      if (!pathExists(path)) throw;
      numbers.take(*number);
    }
  }
  return false;
}

}  // namespace

ExportNumbers::ExportNumbers(const std::string& folder) : taken_(kMax + 1, false) {
  for (const std::string& name : platform::listDirectory(folder, "Pic_*.bmp"))
    if (const int n = numberOf(name)) taken_[static_cast<size_t>(n)] = true;
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

int ExportNumbers::numberOf(const std::string& entryName) {
  if (!startsWith(entryName, "Pic_") || !endsWith(entryName, ".bmp")) return 0;
  const std::string digits = entryName.substr(4, entryName.size() - 8);
  if (digits.empty() || digits.size() > 4 || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n <= kMax ? n : 0;
}

std::string ExportNumbers::fileName(int number) { return "Pic_" + std::to_string(number) + ".bmp"; }

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

ExportResult exportPictures(const std::vector<std::string>& databases, const std::string& exportFolder,
                            const PictureDecoder& decode, ExportReport& report) {
  if (databases.empty()) return ExportResult::Nothing;
  if (!platform::directoryExists(exportFolder) && !platform::createDirectory(exportFolder)) {
    report.error(exportmsg::CannotCreate + exportFolder);
    return ExportResult::FolderFailed;
  }
  ExportNumbers numbers(exportFolder);
  // One picture for the whole run: each decoding replaces it while the old one
  // is still held, so the allocator reuses its memory instead of returning it.
  base::Bitmap picture;
  for (size_t i = 0; i < databases.size(); ++i) {
    report.progress(i, databases.size());
    if (!decode(databases[i], picture)) {
      report.message(kInvalidDatabase);
      return ExportResult::InvalidDatabase;
    }
    if (!writeAtLowestFreeNumber(picture, exportFolder, numbers)) {
      report.message(exportmsg::AlbumFull);
      return ExportResult::AlbumFull;
    }
  }
  report.progress(databases.size(), databases.size());
  report.message(exportmsg::Exported + exportFolder);
  return ExportResult::Exported;
}

ExportResult exportUserAlbum(const std::string& programFolder, const std::string& userName,
                             const std::string& userFolder, const std::vector<std::string>& entries,
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
    databases.push_back(userFolder + "Backup" + platform::kPathSeparator + entry);
  return exportPictures(databases, exportFolder, decode, report);
}

}  // namespace album
