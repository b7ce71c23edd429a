// qalbum export-all [--palm-folder DIR] DEST [--png] [--scale N] [--keep-going]
// [--quiet]: every user's pictures into the user's album DEST/<album name>/, by
// the rules of Export All for each user, then one summary line per user.
#include <iostream>

#include "album/Messages.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "cli/PalmUsers.h"
#include "platform/Files.h"

namespace cli {

namespace {

album::ExportResult exportUser(const users::UsersData& found, size_t user, const std::string& dest,
                               const album::ExportOptions& options, ConsoleReport& report) {
  album::ExportOptions withAuthor = options;
  withAuthor.author = found.userNames[user];
  return album::exportUserDatabases(dest, found.albumNames[user], userDatabases(found.userDirs[user]),
                                    album::decodePictureAndInfo, report, withAuthor);
}

}  // namespace

int runExportAll(const Invocation& call) {
  const Args& args = call.args;
  const album::ExportOptions options = exportOptions(call);
  const users::UsersData found = palmUsers(call.value("--palm-folder"));  // a failure ends the run with its text
  if (found.items.empty()) return fail(msg::NoUserWithPictures);

  const std::string dest = platform::withSeparator(args[0]);
  if (!platform::directoryExists(dest) && !platform::createDirectory(dest))
    return fail(album::cannotCreateFolder(dest));
  ConsoleReport report(true);
  const bool quiet = call.has(kQuietOption.name);
  album::ExportCounts total;
  int status = 0;
  for (size_t i = 0; i < found.items.size(); ++i) {
    album::ExportResult run;
    try {
      run = exportUser(found, i, dest, options, report);
    } catch (const std::exception& e) {
      return report.fail(e.what());
    }
    if (run.end == album::ExportEnd::Stopped) return 1;
    total.exported += run.counts.exported;
    total.skipped += run.counts.skipped;
    // --quiet leaves out the users whose pictures all went.
    const bool allWent = run.end == album::ExportEnd::Exported;
    if (!quiet || !allWent || run.counts.skipped > 0)
      std::cout << base::escapeControls(found.userNames[i]) << ": " << countsText(run.counts) << '\n';
    if (allWent) continue;
    status = 1;
    // A refused album name costs only that user; other failures end the run
    // unless the export goes on past them.
    if (run.end != album::ExportEnd::FolderFailed && !options.skipsFailures()) return status;
  }
  printTotals(call, total);
  return status;
}

}  // namespace cli
