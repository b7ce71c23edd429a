// The Palm folder the window opened last, kept for its next start and for
// qalbum in a file of the program's own: palm-folder in the program's
// configuration folder (platform::configFolder) holds the folder's path as
// bytes, nothing else.
#pragma once

#include <cstddef>
#include <string>

namespace users {

// Files larger than this are not read.
inline constexpr size_t kMaxRememberedBytes = 64u << 10;

// The file; "" when no configuration folder is known.
std::string rememberedFolderFile();

// The Palm folder remembered; "" when none is or the file cannot be read.
std::string rememberedPalmFolder();

// Remembers `folder`, making the configuration folder when missing; false when
// it cannot be written (the folder opens all the same).
bool rememberPalmFolder(const std::string& folder);

}  // namespace users
