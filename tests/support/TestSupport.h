// Helpers for tests that meet the system: registry values written through
// whichever backend the platform reads, and the stand-in Palm Desktop user library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace testsupport {

// One key of HKEY_CURRENT_USER, written for a test and removed afterwards. On
// Windows the values go into the real registry; elsewhere into a registry
// file in a temporary folder that QUILLORY_REGISTRY names while the object lives.
class TestRegistry {
 public:
  explicit TestRegistry(std::string keyPath);
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  // False when the key already existed before the test (a real installation
  // on Windows); the test should then leave it alone.
  bool usable() const { return usable_; }

  void createKey();
  void setString(const std::string& name, const std::string& text);
  void setExpandString(const std::string& name, const std::string& text);
  void setDWord(const std::string& name, uint32_t value);

 private:
  struct Value {
    std::string name;
    uint32_t type;
    std::string data;
  };
  void set(Value value);

  std::string keyPath_;
  bool usable_ = true;
#ifndef _WIN32
  void writeRegistryFile() const;
  TempDir folder_;
  std::vector<Value> values_;
  std::optional<std::string> previousEnv_;
#endif
};

// The stand-in user library and its variant without UmGetUserDirectory, as built.
std::filesystem::path userLibraryFile();
std::filesystem::path userLibraryWithoutDirectoryFile();
// A 32-bit build of the stand-in library beside a 64-bit Windows test program
// (i686/UserData.dll, there when the build was given one); empty when absent.
std::filesystem::path userLibrary32File();

// Puts a copy of the library file into folder, with userList as its UserData.txt.
void installUserLibrary(const std::filesystem::path& library, const std::filesystem::path& folder,
                        const std::string& userList);

}  // namespace testsupport
