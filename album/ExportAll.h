// Export All: writes every picture database of a list as a numbered BMP file
// (Pic_1.bmp, Pic_2.bmp, ...) into an export folder, always at the lowest
// numbers not yet taken, never replacing a file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/PictureDate.h"
#include "album/PictureWriter.h"

namespace album {

// Decodes the picture database at `path` into `into` (decodePictureAndInfo,
// or the same with a look at each picture on its way). Returns false when the
// file is not a picture database; raises the platform's errors when it cannot
// be opened or read.
using PictureDecoder = std::function<bool(const std::string& path, PictureAndInfo& into)>;

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
  // Every picture took its name: "The pictures was successfully exported to <folder>".
  virtual void finished(const std::string& text) { message(text); }
  // Called as each database's turn comes, before its picture is written: `done`
  // of `total` are written.
  virtual void progress(size_t done, size_t total) { (void)done, (void)total; }
};

// What a database that fails (not a picture database, unreadable, not
// writable) does to an export.
enum class OnFailure {
  // The window's way: "Invalid database file!" for one that fails the name
  // check, ExportReport::stop for the others; the export ends.
  Stop,
  // Named through ExportReport::error as "<absolute path>: <message>"; the export ends.
  NameAndStop,
  // Named the same way and skipped; the export goes on.
  NameAndSkip,
};

// How an export writes and what it does when a database fails.
struct ExportOptions {
  PictureFormat format = PictureFormat::Bmp;  // Pic_<n>.bmp, or Pic_<n>.png of the same pixels and palette
  int scale = 1;                              // whole-pixel enlargement, 1 to 8
  OnFailure onFailure = OnFailure::Stop;
  std::string author;  // the child's name (UTF-8, as shown) that PNG files record, if any

  bool skipsFailures() const { return onFailure == OnFailure::NameAndSkip; }
};

struct ExportCounts {
  size_t exported = 0;  // pictures that took their name in the folder
  size_t skipped = 0;
};

enum class ExportEnd {
  Exported,      // every database written, or none given
  FolderFailed,  // the export folder was refused or could not be made: nothing written
  Failed,        // a database failed or the album is full; what was named before stays
  Stopped,       // a failure of the platform, told through ExportReport::stop
};

struct ExportResult {
  ExportEnd end = ExportEnd::Exported;
  ExportCounts counts;
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
                            const PictureDecoder& decode, ExportReport& report, const ExportOptions& options = {});

// Exports `databases` (full paths) into the user's album inside `root` (ending
// with a separator): root + albumName + separator, made when missing, albumName
// being the album folder's file name (users/UserNames.h). An album name that is
// no plain folder name ("", "..", "a/b") gives "Cannot create <folder>" and
// FolderFailed.
ExportResult exportUserDatabases(const std::string& root, const std::string& albumName,
                                 const std::vector<std::string>& databases, const PictureDecoder& decode,
                                 ExportReport& report, const ExportOptions& options = {});
}  // namespace album
