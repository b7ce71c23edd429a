// The system's text for a Win32 error code, as FormatMessage gives it.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

inline std::string win32ErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = n ? std::string(text, n) : "System error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  if (!result.empty() && result.back() != '.') result += '.';
  return result;
}

}  // namespace platform
