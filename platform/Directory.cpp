#include "platform/Directory.h"

#include <cctype>

#include "base/Errors.h"
#include "base/Text.h"
#include "platform/Files.h"

namespace platform {

namespace {

bool isSeparator(char c) { return c == '/' || c == kPathSeparator; }

bool sameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

#ifdef _WIN32
bool isReservedDeviceName(std::string_view name) {
  std::string upper;
  for (char c : name.substr(0, name.find('.'))) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* reserved : {"CON", "PRN", "AUX", "NUL"})
    if (upper == reserved) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' && upper[3] <= '9';
}
#endif

}  // namespace

std::vector<std::string> listDirectory(const std::string& folder, const std::string& pattern) {
  try {
    return readDirectory(folder, pattern);
  } catch (const base::EFOpenError&) {
    return {};
  }
}

std::string folderInMessages(const std::string& folder) {
  std::string path = absolutePath(folder.empty() ? "." : folder);
  // "a/b/", "a/b//" and "a/b/." all name a/b; a root ("/", "C:\") keeps its separator.
  while (path.size() >= 2) {
    const char last = path.back(), before = path[path.size() - 2];
    if (!(last == '.' && isSeparator(before)) && !(isSeparator(last) && before != ':')) break;
    path.pop_back();
  }
  return path;
}

bool matchesWildcard(std::string_view name, std::string_view pattern) {
  // Iterative match with backtracking to the last '*'.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && sameLetter(pattern[p], name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {
bool refusedInName(char c) {
  if (c == '/' || c == '\\' || c == '\0') return true;
#ifdef _WIN32
  if (static_cast<unsigned char>(c) < 32 || std::string_view(":*?\"<>|").find(c) != std::string_view::npos) return true;
#endif
  return false;
}
}  // namespace

std::string toPlainFileName(std::string_view name) {
  std::string plain(name);
  for (char& c : plain)
    if (refusedInName(c)) c = '_';
  return plain;
}

#ifdef _WIN32
// Windows file names are Windows-1252 text already.
std::string ansiToFileName(std::string_view name) { return std::string(name); }
std::optional<std::string> systemTextToAnsi(std::string_view text) { return std::string(text); }
std::string fileNameToText(std::string_view name) { return base::fileNameToUtf8(name); }
#else
std::string ansiToFileName(std::string_view name) { return base::cp1252ToUtf8(name); }
std::optional<std::string> systemTextToAnsi(std::string_view text) { return base::utf8ToCp1252Exactly(text); }
std::string fileNameToText(std::string_view name) { return base::escapeInvalidUtf8(name); }
#endif

bool isPlainFolderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
#ifdef _WIN32
    if (refusedInName(c)) return false;
#else
    if (c == '/' || c == '\0') return false;
#endif
  }
#ifdef _WIN32
  // Windows drops trailing dots and spaces, which would name another folder.
  if (name.back() == '.' || name.back() == ' ') return false;
  if (isReservedDeviceName(name)) return false;
#endif
  return true;
}

}  // namespace platform
