// Directory enumeration by wildcard, and the test for a name that can be one
// folder level.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Names (without their folder) of the entries of `folder` that match `pattern`,
// in the order the file system returns them. Files and sub-folders count alike,
// hidden and system ones included. `folder` ends with a separator. Raises
// "Cannot open file "%s". %s" with the folder's absolute path and the system's
// reason when the folder cannot be read (missing, not a folder, no access).
std::vector<std::string> readDirectory(const std::string& folder, const std::string& pattern);
// The same, with an empty list when the folder cannot be read.
std::vector<std::string> listDirectory(const std::string& folder, const std::string& pattern);
// `folder` as messages name it: its absolute path without the separator that ends it.
std::string folderInMessages(const std::string& folder);

// Raises base::EFOpenError with the folder's absolute path and the system's
// reason when `folder` cannot be listed: missing, not a folder, no permission.
void checkFolderReadable(const std::string& folder);

// Whether the file system takes "a.BMP" and "A.bmp" for the same name.
#ifdef _WIN32
inline constexpr bool kFileNamesIgnoreCase = true;
#else
inline constexpr bool kFileNamesIgnoreCase = false;
#endif

// Wildcard match as the Windows file system does it: '*' any run, '?' one
// character, letter case ignored.
bool matchesWildcard(std::string_view name, std::string_view pattern);

// True when `name` names exactly one entry inside a folder: not empty, not "."
// or "..", no path separator, and nothing the platform refuses in a file name.
bool isPlainFolderName(std::string_view name);

// `name` with every character that would make it more than one plain name in a
// folder (path separators, characters the platform refuses) replaced by '_'.
std::string toPlainFileName(std::string_view name);

// An 8-bit ANSI name from inside a file (Windows-1252) as a file name: the same
// bytes on Windows, UTF-8 elsewhere.
std::string ansiToFileName(std::string_view name);
// A name from the file system or the command line as text to show, telling
// every name apart: on Windows read as Windows-1252 unless it is UTF-8,
// elsewhere UTF-8 with each byte that is not written as "\xHH".
std::string fileNameToText(std::string_view name);
// Text the system hands over (command-line arguments) as 8-bit ANSI text: the
// same bytes on Windows, from UTF-8 elsewhere; nullopt when Windows-1252 has
// no byte for one of its characters or it is not UTF-8.
std::optional<std::string> systemTextToAnsi(std::string_view text);

}  // namespace platform
