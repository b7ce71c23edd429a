// qalbum info PDB...: what the program reads from each picture database. A
// database that fails is named with its message, and the next one follows.
#include <iostream>
#include <sstream>

#include "album/PictureDatabase.h"
#include "cli/Commands.h"

namespace cli {

namespace {

// One block of lines for a database; raises the errors that decoding raises.
std::string describe(const std::string& path) {
  album::PictureDatabase db(path);
  if (!db.hasPictureName()) throw album::EInvalidDatabase();
  const album::PictureSize size = db.pictureSize();
  std::ostringstream out;
  out << path << '\n'
      << "  name: " << db.name() << '\n'
      << "  records: " << db.recordCount() << '\n'
      << "  file size: " << db.fileSize() << " bytes\n"
      << "  picture size: " << album::pictureWidth(size) << " x " << album::pictureHeight(size) << '\n'
      << "  pixel bytes: " << db.pixelByteCount() << '\n';
  return out.str();
}

}  // namespace

int runInfo(const Invocation& call) {
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
