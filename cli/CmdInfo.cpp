// qalbum info PDB...: what the program reads from each picture database.
#include <iostream>
#include <sstream>

#include "album/PictureDatabase.h"
#include "base/Text.h"
#include "cli/Commands.h"

namespace cli {

namespace {

// One block of lines for a database; raises the errors that decoding raises.
std::string describe(const std::string& path) {
  album::PictureDatabase db(path);
  if (!db.hasPictureName()) throw album::EInvalidDatabase();
  const album::PictureSize size = db.pictureSize();
  std::ostringstream out;
  // The path as the file system spells it, the name as the database does (Windows-1252).
  out << base::escapeControls(base::fileNameToUtf8(path)) << '\n'
      << "  name: " << base::escapeControls(base::cp1252ToUtf8(db.name())) << '\n'
      << "  records: " << db.recordCount() << '\n'
      << "  file size: " << db.fileSize() << " bytes\n"
      << "  picture size: " << album::pictureWidth(size) << " x " << album::pictureHeight(size) << '\n'
      << "  pixel bytes: " << db.pixelByteCount() << '\n';
  return out.str();
}

}  // namespace

int runInfo(const Args& args) {
  if (args.empty()) return fail("Usage: qalbum info PDB...");
  int status = 0;
  bool first = true;
  for (const std::string& path : args) {
    try {
      const std::string block = describe(path);
      std::cout << (first ? "" : "\n") << block;
      first = false;
    } catch (const std::exception& e) {
      std::cout.flush();
      status = fail(e.what());
    }
  }
  return status;
}

}  // namespace cli
