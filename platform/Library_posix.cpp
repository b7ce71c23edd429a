#include <dlfcn.h>

#include "platform/Library.h"

namespace platform {

Library::Library(const std::string& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

void* Library::symbol(const char* name) const { return handle_ ? ::dlsym(handle_, name) : nullptr; }

void Library::unload() {
  if (handle_ != nullptr) ::dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace platform
