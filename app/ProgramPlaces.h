// Where the program finds its help page and puts its exports, by how it lies
// on disk: an installed program sits in a bin/ folder with its files under
// ../share/, or (Windows) beside the uninstaller its installer wrote; a
// portable one (a build folder, a copied folder, a folder unpacked from the
// Windows ZIP) keeps everything beside itself. Standard C++ only.
#pragma once

#include <string>

namespace app {

// The help page that Instructions opens.
inline constexpr const char* kHelpFileName = "QuilloryAlbum.htm";

// The name of the folder under the user's pictures folder that an installed program exports into.
inline constexpr const char* kInstalledAlbumFolder = "Quillory Album";

// The uninstaller that the Windows installer writes beside the program
// (packaging/windows/QuilloryAlbum.nsi); no portable folder has one.
inline constexpr const char* kUninstallerName = "Uninstall.exe";

// True when programFolder (with its trailing separator) is the program folder
// of an installation: a bin/ folder with the program's data folder
// share/quillory-album/ beside it, or a folder holding kUninstallerName.
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

// albumRoot with the platform's pictures folder (platform::picturesFolder),
// its "Quillory Album" folder made when missing; the program's own folder when
// the system names no pictures folder.
std::string exportRoot(const std::string& programFolder);

}  // namespace app
