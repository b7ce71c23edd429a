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
  Library(Library&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), wrongFormat_(std::exchange(other.wrongFormat_, false)) {}
  Library& operator=(Library&& other) noexcept {
    if (this != &other) {
      unload();
      handle_ = std::exchange(other.handle_, nullptr);
      wrongFormat_ = std::exchange(other.wrongFormat_, false);
    }
    return *this;
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() { unload(); }

  bool loaded() const { return handle_ != nullptr; }
  // True when loading failed because the file is no library this program can
  // load: on Windows ERROR_BAD_EXE_FORMAT, which a 32-bit library gives in a
  // 64-bit program (and any file that is no program file at all). Never elsewhere.
  bool wrongFormat() const { return wrongFormat_; }
  // The address of an exported symbol; nullptr when absent or not loaded.
  void* symbol(const char* name) const;
  void unload();

 private:
  void* handle_ = nullptr;
  bool wrongFormat_ = false;
};

}  // namespace platform
