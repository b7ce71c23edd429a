// The message texts of the album: reading picture databases and exporting them.
#pragma once

namespace album::msg {
inline constexpr const char* InvalidDatabase = "Invalid database file!";
inline constexpr const char* CannotCreate = "Cannot create %s";
// The same for a folder the system refused to make: the folder in full, then the system's reason.
inline constexpr const char* CannotCreateFolder = "Cannot create %s. %s";
inline constexpr const char* AlbumFull = "Your Quillory album is full! Please delete some pictures.";
inline constexpr const char* Exported = "The pictures was successfully exported to %s";
inline constexpr const char* AlbumMade = "The album is in %s";
}  // namespace album::msg
