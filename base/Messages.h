// The message texts of the class library.
#pragma once

namespace base::msg {
inline constexpr const char* StreamRead = "Stream read error";
inline constexpr const char* StreamWrite = "Stream write error";
inline constexpr const char* FOpen = "Cannot open file \"%s\". %s";
inline constexpr const char* FCreate = "Cannot create file \"%s\". %s";
inline constexpr const char* InvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* ListIndex = "List index out of bounds (%d)";
inline constexpr const char* IntOverflow = "Integer overflow";
inline constexpr const char* InvalidRegType = "Invalid data type for '%s'";
}  // namespace base::msg
