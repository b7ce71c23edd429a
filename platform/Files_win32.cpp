#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>

#include "base/Errors.h"
#include "platform/Files.h"
#include "platform/Win32Error.h"

namespace platform {

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool createDirectory(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD err = GetLastError();
  if (err == ERROR_ALREADY_EXISTS && directoryExists(path)) return true;
  SetLastError(err);
  return false;
}

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

void setBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }

bool setCurrentDirectory(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

// A path that is already absolute is kept as written, separators and all.
std::string absolutePath(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  if (path.empty() || drive || unc) return path;
  const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::string full(needed, '\0');
  const DWORD n = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
  if (n == 0 || n >= needed) return path;
  full.resize(n);
  return full;
}

std::string lastErrorText() { return win32ErrorText(GetLastError()); }

std::string configFolder() {
  const char* appData = std::getenv("APPDATA");
  return appData && *appData ? std::string(appData) + "\\QuilloryAlbum" : std::string();
}

namespace {

// UTF-16 text in the ANSI code page; nullopt when a character has no byte there.
std::optional<std::string> ansiText(const wchar_t* text) {
  BOOL lossy = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lossy);
  if (needed <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, out.data(), needed, nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

// A known folder's path in the ANSI code page, or "".
std::string knownFolder(REFKNOWNFOLDERID id) {
  PWSTR folder = nullptr;
  std::optional<std::string> ansi;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &folder))) ansi = ansiText(folder);
  CoTaskMemFree(folder);
  return ansi.value_or(std::string());
}

}  // namespace

std::string homeFolder() { return knownFolder(FOLDERID_Profile); }

std::string picturesFolder() { return knownFolder(FOLDERID_Pictures); }

std::string programFilePath() {
  char buffer[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n);
}

std::string programFolder() {
  const std::string file = programFilePath();
  const auto cut = file.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
}

}  // namespace platform
