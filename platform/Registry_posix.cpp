#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/RegFile.h"
#include "platform/Registry.h"

namespace platform {

namespace {

std::string registryFilePath() {
  if (const char* path = std::getenv("QUILLORY_REGISTRY"); path && *path) return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/QuilloryAlbum/registry.reg";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/QuilloryAlbum/registry.reg";
}

// The file's HKEY_CURRENT_USER; an unreadable or foreign file holds no keys.
std::optional<RegFile> readRegistryFile() {
  std::ifstream in(registryFilePath(), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return RegFile::parse(bytes);
}

}  // namespace

std::optional<RegistryKey> RegistryKey::openCurrentUser(const std::string& path) {
  const auto file = readRegistryFile();
  if (!file) return std::nullopt;
  const RegistryValues* values = file->key("HKEY_CURRENT_USER\\" + path);
  if (values == nullptr) return std::nullopt;
  return RegistryKey(*values);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : values_(std::move(other.values_)), open_(other.open_) {
  other.close();
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  values_ = std::move(other.values_);
  open_ = other.open_;
  other.close();
  return *this;
}

RegistryKey::~RegistryKey() = default;

void RegistryKey::close() {
  values_.clear();
  open_ = false;
}

std::optional<RegistryValue> RegistryKey::value(const std::string& name) const {
  if (!open_) return std::nullopt;
  const auto it = values_.find(foldRegistryName(name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform
