// The message texts of the window.
#pragma once

namespace app::msg {
inline constexpr const char* NoSavedPictures = "There is no saved pictures for the selected user!";
inline constexpr const char* LoadPictureFirst = "Load picture first";
inline constexpr const char* NoHelpAssociation = "No program associated to open chm files!";
inline constexpr const char* CannotOpenHelp = "Can`t open help file: %s";
// A folder opened (dropped, or given on the command line) that holds no pictures.
inline constexpr const char* NoPicturesInFolder = "No Quillory pictures were found in %s";
// The second line when Palm Desktop was not found (its registry key, or its
// folder in a Wine prefix) where users can also come from a Palm folder.
inline constexpr const char* OpenPalmFolderHint =
    "To see the pictures of a Palm folder, drop the folder onto this window or start QuilloryAlbum with the folder.";
}  // namespace app::msg
