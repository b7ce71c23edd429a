#include <windows.h>

#include "platform/Library.h"

namespace platform {

Library::Library(const std::string& path)
    : handle_(LoadLibraryA(path.c_str())), wrongFormat_(handle_ == nullptr && GetLastError() == ERROR_BAD_EXE_FORMAT) {}

void* Library::symbol(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void Library::unload() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace platform
