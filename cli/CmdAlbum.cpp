// qalbum album [--palm-folder DIR] [--keep-going] [--quiet] DEST: the web album
// of every user's pictures in DEST (index.html and a folder of PNG files per
// user), then one summary line per user and where the page is.
#include <iostream>

#include "album/WebAlbum.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "cli/PalmUsers.h"
#include "platform/Files.h"

namespace cli {

namespace {

// The engine's messages on standard error, as for the exports, except its
// closing notice, where the page is, kept for standard output.
class AlbumConsoleReport : public ConsoleReport {
 public:
  void message(const std::string& text) override { notice = base::escapeControls(base::fileNameToUtf8(text)); }
  std::string notice;
};

std::vector<album::AlbumUser> albumUsers(const users::UsersData& found) {
  std::vector<album::AlbumUser> users;
  for (size_t i = 0; i < found.items.size(); ++i)
    users.push_back({found.userNames[i], found.albumNames[i], userDatabases(found.userDirs[i])});
  return users;
}

}  // namespace

int runAlbum(const Invocation& call) {
  const users::UsersData found = palmUsers(call.value("--palm-folder"));  // a failure ends the run with its text
  if (found.items.empty()) return fail(msg::NoUserWithPictures);
  const std::vector<album::AlbumUser> users = albumUsers(found);
  album::AlbumOptions options;
  options.keepGoing = call.has(kKeepGoingOption.name);
  AlbumConsoleReport report;
  std::vector<album::ExportCounts> counts;
  const album::AlbumResult result =
      album::makeWebAlbum(users, platform::withSeparator(call.args[0]), report, options, counts);
  if (result == album::AlbumResult::Failed || result == album::AlbumResult::Stopped) return 1;
  // --quiet leaves out the users whose pictures all went in, and where the page is.
  const bool quiet = call.has(kQuietOption.name);
  for (size_t i = 0; i < users.size(); ++i)
    if (!quiet || counts[i].skipped > 0)
      std::cout << base::escapeControls(users[i].name) << ": " << counts[i].exported << " in the album, "
                << counts[i].skipped << " left out\n";
  if (!quiet) std::cout << report.notice << '\n';
  return result == album::AlbumResult::Made ? 0 : 1;
}

}  // namespace cli
