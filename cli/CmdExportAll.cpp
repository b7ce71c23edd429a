// qalbum export-all [--palm-folder DIR] DEST [--png] [--scale N] [--keep-going]
// [--quiet]: every user's pictures into DEST/<user name>/, by the rules of
// Export All for each user, then one summary line per user.
#include <iostream>

#include "album/Messages.h"
#include "album/PictureDatabase.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "users/RememberedFolder.h"
#include "users/UserSources.h"

namespace cli {

namespace {

users::UsersData usersFor(const std::optional<std::string>& palmFolder) {
  if (palmFolder) return users::palmFolderUsers(*palmFolder);
  return users::findUsers(users::rememberedPalmFolder());
}

struct UserExport {
  album::ExportResult result;
  album::ExportCounts counts;
};

UserExport exportUser(const std::string& name, const std::string& userFolder, const std::string& dest,
                      const album::ExportOptions& options, ConsoleReport& report) {
  UserExport run{album::ExportResult::Nothing, {}};
  const std::string exportFolder = dest + platform::ansiToFileName(name) + platform::kPathSeparator;
  // A name such as ".." or "a/b" would lead the pictures out of DEST.
  if (!platform::isPlainFolderName(name)) {
    report.error(base::formatMessage(album::msg::CannotCreate, {exportFolder}));
    run.result = album::ExportResult::FolderFailed;
    return run;
  }
  const std::vector<std::string> databases = pictureDatabases(users::backupFolderOf(userFolder));
  run.result = album::exportPictures(databases, exportFolder, album::decodePictureDatabase, report, options, run.counts);
  return run;
}

bool succeeded(album::ExportResult result) {
  return result == album::ExportResult::Exported || result == album::ExportResult::Nothing;
}

}  // namespace

int runExportAll(const Invocation& call) {
  const Args& args = call.args;
  const album::ExportOptions options = exportOptions(call);
  const std::optional<std::string> palmFolder = call.value("--palm-folder");
  if (palmFolder && !platform::directoryExists(withSeparator(*palmFolder)))
    return fail(base::formatMessage(base::msg::FOpen, {platform::absolutePath(*palmFolder), platform::lastErrorText()}));
  const users::UsersData found = usersFor(palmFolder);  // EUsersNotFound ends the run with its text
  if (found.items.empty()) return fail(msg::NoUserWithPictures);

  const std::string dest = withSeparator(args[0]);
  if (!platform::directoryExists(dest) && !platform::createDirectory(dest))
    return fail(base::formatMessage(album::msg::CannotCreate, {dest}));
  ConsoleReport report(true);
  const bool quiet = call.has(kQuietOption.name);
  album::ExportCounts total;
  int status = 0;
  for (size_t i = 0; i < found.items.size(); ++i) {
    UserExport run{album::ExportResult::Failed, {}};
    try {
      run = exportUser(found.userNames[i], found.userDirs[i], dest, options, report);
    } catch (const std::exception& e) {
      return report.fail(e.what());
    }
    if (run.result == album::ExportResult::Stopped) return 1;
    total.exported += run.counts.exported;
    total.skipped += run.counts.skipped;
    // --quiet leaves out the users whose pictures all went.
    if (!quiet || !succeeded(run.result) || run.counts.skipped > 0)
      std::cout << base::escapeControls(base::cp1252ToUtf8(found.userNames[i])) << ": " << countsText(run.counts) << '\n';
    if (succeeded(run.result)) continue;
    status = 1;
    // A refused user name costs only that user; other failures end the run
    // unless the export goes on past them.
    if (run.result != album::ExportResult::FolderFailed && !options.keepGoing) return status;
  }
  printTotals(call, total);
  return status;
}

}  // namespace cli
