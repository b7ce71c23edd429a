// A picture database read from standard input, named "-" where a command takes
// a database's path.
#pragma once

#include <memory>
#include <string>

#include "album/PictureDatabase.h"
#include "cli/CommandLine.h"

namespace cli {

// Raises a UsageError when one of `paths` is "-" and standard input is a
// terminal, where a command would wait for a database to be typed in.
void checkStandardInputIfNamed(const Args& paths);

// The database at `path`, or for "-" the one standard input holds: read to its
// end, keeping the bytes decoding reads and counting the others for its size.
std::unique_ptr<album::PictureDatabase> openDatabase(const std::string& path);

}  // namespace cli
