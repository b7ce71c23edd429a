// Users found by looking into a folder, without Palm Desktop: a Palm folder
// copied from a Windows computer (<user>/Backup/), one user's folder, or a
// flat backup folder (J-Pilot, pilot-xfer -b) holding the databases itself.
#pragma once

#include <string>
#include <vector>

namespace users {

struct PalmUser {
  std::string name;
  std::string folder;  // ends with a path separator
};

// The users of `folder`, in name order. Only folders that hold at least one
// regular file named like a picture database count; entries that cannot be
// read (no permission, symlink loops, FIFOs) are skipped. Nothing is written.
std::vector<PalmUser> scanPalmFolder(const std::string& folder);

// Where the picture databases of a user folder lie, relative to it: every
// sub-folder named Backup in any letter case ("Backup" itself first, then in
// name order), else "" when the folder holds picture databases itself (a flat
// backup), else "Backup". Each but "" ends with a path separator.
std::vector<std::string> backupFoldersOf(const std::string& userFolder);

// A user's picture databases as paths relative to the user folder: the folders
// of backupFoldersOf in turn, each one's databases in list order. Raises
// base::EFOpenError for a backup folder that cannot be read.
std::vector<std::string> userPictures(const std::string& userFolder);

// True when `folder` holds a regular file named like a picture database.
bool holdsPictureDatabase(const std::string& folder);

}  // namespace users
