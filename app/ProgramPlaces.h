// Where the program finds its help page and puts its exports, by how it lies
// on disk: an installed program sits in a bin/ folder with its files under
// ../share/, a portable one (a build folder, a copied folder, Windows) keeps
// everything beside itself. Standard C++ only.
#pragma once

#include <string>

namespace app {

// The help page that Instructions opens.
inline constexpr const char* kHelpFileName = "QuilloryAlbum.htm";

// The name of the folder under the user's pictures folder that an installed program exports into.
inline constexpr const char* kInstalledAlbumFolder = "Quillory Album";

// True when programFolder (with its trailing separator) is the bin/ folder of an
// installation: the program's data folder share/quillory-album/ lies beside it.
bool isInstalledLayout(const std::string& programFolder);

// The folder, with its trailing separator, to open the help page `fileName` in: the
// program's own folder when the page lies there, else the installed data folder
// when it lies there, else the program's own folder.
std::string helpFolder(const std::string& programFolder, const std::string& fileName);

// The folder, with its trailing separator, that the Open and Save As dialogs start
// in: the program's own folder; for an installed program the folder last used
// (empty: none yet), else picturesFolder.
std::string dialogStartFolder(const std::string& programFolder, const std::string& lastFolder,
                              const std::string& picturesFolder);

// The folder, with its trailing separator, that Export All makes the user's folder
// in: the program's own folder, or for an installed program picturesFolder's
// "Quillory Album" folder.
std::string albumRoot(const std::string& programFolder, const std::string& picturesFolder);

}  // namespace app
