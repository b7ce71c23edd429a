// The picture databases of a backup folder, in the one order the window lists
// them and every export numbers them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace album {

// The order Windows lists a folder of NTFS in: byte by byte with ASCII letters
// taken as upper case; names that differ only in case (possible elsewhere)
// by their bytes, so that the order is the same on every system.
bool comesBeforeByName(std::string_view a, std::string_view b);

// The names of the entries of `folder` (ending with a separator) that are named
// like picture databases, in that order. Raises "Cannot open file "%s". %s"
// when the folder cannot be read.
std::vector<std::string> listPictureDatabases(const std::string& folder);

}  // namespace album
