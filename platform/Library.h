// A shared library loaded at run time with the platform's loader, unloaded
// when the object goes.
#pragma once

#include <string>
#include <utility>

namespace platform {

class Library {
 public:
  // Loads the library file at path; loaded() tells whether that worked.
  explicit Library(const std::string& path);
  Library(Library&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  Library& operator=(Library&& other) noexcept {
    if (this != &other) {
      unload();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() { unload(); }

  bool loaded() const { return handle_ != nullptr; }
  // The address of an exported symbol; nullptr when absent or not loaded.
  void* symbol(const char* name) const;
  void unload();

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
