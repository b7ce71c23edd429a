// The names a user goes by: the text shown in the window's user list and
// printed by qalbum, and the name of the folder that holds the user's album.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace users {

struct UserName {
  std::string shown;  // UTF-8
  std::string album;  // a file name, as the file system takes it
};

// A user of Palm Desktop's library, named in Windows-1252.
UserName libraryUserName(std::string_view ansi);
// A user found in a Palm folder: the folder's name, whose bytes name the album too.
UserName folderUserName(std::string_view folderName);

// A user whose album (letter case aside) or shown name an earlier user has
// gets " (2)" on both, or the lowest number that leaves both free. Names that
// are no plain folder name stay as they are: their export is refused.
void makeDistinct(std::vector<UserName>& names);

}  // namespace users
