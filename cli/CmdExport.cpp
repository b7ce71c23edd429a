// qalbum export FOLDER DEST [--png] [--scale N] [--keep-going] [--quiet]: every picture
// database of FOLDER, in name order, as numbered picture files in DEST, by the
// rules of Export All.
#include <iostream>

#include "base/Errors.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "users/PalmFolder.h"

namespace cli {

namespace {

// A folder without databases that is a Palm folder or a user's folder: says
// which folders hold the pictures.
int notABackupFolder(const std::string& folder, const std::vector<users::PalmUser>& found) {
  printMessage(base::formatMessage(msg::PicturesAreElsewhere, {folder}));
  for (const users::PalmUser& user : found)
    for (const std::string& backup : users::backupFoldersOf(user.folder)) printMessage("  " + user.folder + backup);
  return fail(base::formatMessage(msg::ExportOneOfThese, {folder}));
}

}  // namespace

int runExport(const Invocation& call) {
  const Args& args = call.args;
  const album::ExportOptions options = exportOptions(call);
  const std::string folder = platform::withSeparator(args[0]);
  const std::vector<std::string> databases = pictureDatabases(folder);  // a folder that cannot be read ends the run
  ConsoleReport report(call.has(kQuietOption.name));
  if (databases.empty()) {
    if (const auto found = users::scanPalmFolder(folder); !found.empty()) return notABackupFolder(args[0], found);
    report.message(base::formatMessage(msg::NoPictureDatabase, {platform::folderInMessages(folder)}));
  }
  const album::ExportResult result =
      album::exportPictures(databases, platform::withSeparator(args[1]), album::decodePictureAndInfo, report, options);
  if (result.end == album::ExportEnd::Stopped) return 1;
  printTotals(call, result.counts);
  return result.end == album::ExportEnd::Exported ? 0 : 1;
}

}  // namespace cli
