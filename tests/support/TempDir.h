// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes; the one temporary folder of every test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& root() const { return path_; }
  // The folder, or `name` inside it, as the program's text paths write it.
  std::string path(const std::string& name = {}) const { return name.empty() ? path_.string() : (path_ / name).string(); }

  // Writes `name` inside the folder and returns its path.
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  static std::vector<uint8_t> read(const std::string& file);
  // The names in the folder, in the order the system lists them.
  std::vector<std::string> entries() const;

 private:
  std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The names in `folder` in byte order; none when it does not exist.
std::vector<std::string> sortedEntries(const std::filesystem::path& folder);

}  // namespace testsupport
