// Export All: writes every picture database of a list as a numbered BMP file
// (Pic_1.bmp, Pic_2.bmp, ...) into an export folder, always at the lowest
// numbers not yet taken, never replacing a file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Bitmap.h"

namespace album {

// Decodes the picture database at `path` into `picture`, upright. Returns false
// when the file is not a picture database; raises the platform's errors when it
// cannot be opened or read.
using PictureDecoder = std::function<bool(const std::string& path, base::Bitmap& picture)>;

// Where an export tells its user what happened.
class ExportReport {
 public:
  virtual ~ExportReport() = default;
  virtual void message(const std::string& text) = 0;  // a plain notice
  virtual void error(const std::string& text) = 0;    // an error box
  // A failure of the platform that ended the export: the program's error box.
  // A database that cannot be opened or read is named, "<absolute path>: <message>";
  // a file that cannot be written is named by its own message.
  virtual void stop(const std::string& text) = 0;
  // Called as each database's turn comes, before its picture is written: `done`
  // of `total` are written.
  virtual void progress(size_t done, size_t total) { (void)done, (void)total; }
};

enum class ExportResult { Nothing, Exported, FolderFailed, InvalidDatabase, AlbumFull, Failed, Stopped };

// How an export writes and what it does when a database fails.
struct ExportOptions {
  bool png = false;  // Pic_<n>.png with the same pixels and palette instead of Pic_<n>.bmp
  int scale = 1;     // whole-pixel enlargement, 1 to 8
  // A failing database (not a picture database, unreadable, not writable) is
  // reported through ExportReport::error as "<absolute path>: <message>"; then the export
  // stops, or with keepGoing skips it and goes on. Without either, a database
  // that fails the name check shows "Invalid database file!" and other errors
  // stop the export, as the window's command does.
  bool nameFailures = false;
  bool keepGoing = false;
  std::string author;  // the child's name (UTF-8, as shown) that PNG files record, if any
};

struct ExportCounts {
  size_t exported = 0;  // pictures that took their name in the folder
  size_t skipped = 0;
};

// The numbers 1 to kMax of an export folder, read from the folder once.
class ExportNumbers {
 public:
  static constexpr int kMax = 5000;
  explicit ExportNumbers(const std::string& folder, const std::string& extension = ".bmp");
  std::optional<int> lowestFree() const;
  // The free number after `skip` other free ones.
  std::optional<int> free(size_t skip) const;
  void take(int number);

  // The number n of an entry named exactly "Pic_<n>" + extension (1 to kMax,
  // no leading zero), or 0 for any other name.
  static int numberOf(const std::string& entryName, const std::string& extension = ".bmp");
  static std::string fileName(int number, const std::string& extension = ".bmp");

 private:
  std::vector<bool> taken_;
  int lowest_ = 1;
};

// "Cannot create <folder in full>. <the system's reason>", right after
// platform::createDirectory failed to make `folder`.
std::string cannotCreateFolder(const std::string& folder);

// Exports `databases` (full paths) in order into `exportFolder` (ending with a
// separator), which is created when missing (one level). Never raises: an
// error of the platform that is not named as a failing database (a database
// that cannot be opened or read, an export file that cannot be written) goes
// to ExportReport::stop and ends the export with Stopped; files written before
// stay.
ExportResult exportPictures(const std::vector<std::string>& databases, const std::string& exportFolder,
                            const PictureDecoder& decode, ExportReport& report);
// The same with options; `counts` receives what was written and skipped.
ExportResult exportPictures(const std::vector<std::string>& databases, const std::string& exportFolder,
                            const PictureDecoder& decode, ExportReport& report, const ExportOptions& options,
                            ExportCounts& counts);

// Exports the pictures `entries` of a user's backup folder into the user's
// album beside the program: programFolder + albumName + separator, albumName
// being the album folder's file name (users/UserNames.h).
ExportResult exportUserAlbum(const std::string& programFolder, const std::string& albumName,
                             const std::string& userFolder, const std::vector<std::string>& entries,
                             const PictureDecoder& decode, ExportReport& report);

// The same with the folder that holds the entries given (a flat backup folder
// has no Backup sub-folder; entries may lie in sub-folders of it); it ends with
// a separator.
ExportResult exportUserPictures(const std::string& programFolder, const std::string& albumName,
                                const std::string& backupFolder, const std::vector<std::string>& entries,
                                const PictureDecoder& decode, ExportReport& report);

// Exports `databases` (full paths) into the user's album inside `root` (ending
// with a separator): root + albumName + separator, made when missing. An album
// name that is no plain folder name ("", "..", "a/b") gives "Cannot create
// <folder>" and FolderFailed; no databases give Nothing.
ExportResult exportUserDatabases(const std::string& root, const std::string& albumName,
                                 const std::vector<std::string>& databases, const PictureDecoder& decode,
                                 ExportReport& report, const ExportOptions& options, ExportCounts& counts);
}  // namespace album
