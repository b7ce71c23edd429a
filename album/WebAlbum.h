// The web album: every child's pictures as PNG files, each in a folder named
// after the child, and one page, index.html, that shows them in the order they
// were drawn, a heading per year, a picture opened large, printable as a
// contact sheet. Made again from the same backup it changes no file; new
// pictures are added.
#pragma once

#include <string>
#include <vector>

#include "album/ExportAll.h"

namespace album {

// The album's page in its folder.
inline constexpr const char* kAlbumPageName = "index.html";

struct AlbumUser {
  std::string name;                    // the child's name as shown (UTF-8)
  std::string folder;                  // the child's album folder, a file name (users/UserNames.h)
  std::vector<std::string> databases;  // full paths of the child's picture databases
};

struct AlbumOptions {
  // A database that fails is named through ExportReport::error as "<path>:
  // <message>". Without keepGoing the album then ends before anything is
  // written; with it the page leaves the picture out and lists it.
  bool keepGoing = false;
};

enum class AlbumResult {
  Made,        // every picture is in the album
  Incomplete,  // the page is made without the pictures named as errors
  Failed,      // a database failed: the page was not written (nor anything, as one usually fails first)
  Stopped,     // a failure of the platform ended it (ExportReport::stop); the page was not written
};

// Makes the album of `users`, in their order, in `folder` (ending with a
// separator; made when missing, one level): folder + "index.html" and
// folder + <child's folder> + "/<date> <name>.png". A child's folder that is
// no plain folder name, or is the page's, is refused ("Cannot create <folder>"
// through ExportReport::error) and the child's pictures are left out. A file whose content is
// already right is left alone; a written picture takes its database's date.
// `counts` receives, per user, the pictures in the album and those left out.
// Never raises.
AlbumResult makeWebAlbum(const std::vector<AlbumUser>& users, const std::string& folder, ExportReport& report,
                         const AlbumOptions& options, std::vector<ExportCounts>& counts);

}  // namespace album
