// qalbum info PDB...: what the program reads from each picture database ("-"
// reads standard input). A database that fails is named with its message, and
// the next one follows.
#include <ctime>
#include <iostream>
#include <sstream>

#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/StandardInput.h"

namespace cli {

namespace {

// A header date as "YYYY-MM-DD HH:MM:SS UTC", or "none" for zero.
std::string dateText(uint32_t palmDate) {
  if (palmDate == 0) return "none";
  const std::time_t seconds = static_cast<std::time_t>(album::palmDateToUnix(palmDate));
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &seconds);
#else
  gmtime_r(&seconds, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &utc);
  return text;
}

// A four-character code, with bytes outside printable ASCII as '?'.
std::string codeText(std::string code) {
  for (char& c : code)
    if (c < 0x20 || c > 0x7E) c = '?';
  return code;
}

// One block of lines for a database; raises the errors that decoding raises.
std::string describe(const std::string& path) {
  const std::unique_ptr<album::PictureDatabase> database = openDatabase(path);
  const album::PictureDatabase& db = *database;
  if (!db.hasPictureName()) throw album::EInvalidDatabase();
  const album::PictureSize size = db.pictureSize();
  std::ostringstream out;
  // The path as the file system spells it, the name as the database does (Windows-1252).
  out << base::escapeControls(base::fileNameToUtf8(path)) << '\n'
      << "  name: " << base::escapeControls(base::cp1252ToUtf8(db.name())) << '\n'
      << "  records: " << db.recordCount() << '\n'
      << "  file size: " << db.fileSize() << " bytes\n"
      << "  picture size: " << album::pictureWidth(size) << " x " << album::pictureHeight(size) << '\n'
      << "  pixel bytes: " << db.pixelByteCount() << '\n'
      << "  created: " << dateText(db.creationDate()) << '\n'
      << "  modified: " << dateText(db.modificationDate()) << '\n'
      << "  type: " << codeText(db.type()) << '\n'
      << "  creator: " << codeText(db.creator()) << '\n';
  return out.str();
}

}  // namespace

int runInfo(const Invocation& call) {
  checkStandardInputIfNamed(call.args);
  int status = 0;
  bool first = true;
  for (const std::string& path : call.args) {
    try {
      const std::string block = describe(path);
      std::cout << (first ? "" : "\n") << block;
      first = false;
    } catch (const std::exception& e) {
      std::cout.flush();
      status = fail(path + ": " + e.what());
    }
  }
  return status;
}

}  // namespace cli
