#include <cstdlib>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "platform/RegFile.h"
#include "platform/Registry.h"

namespace platform {

namespace {

std::string registryFilePath() {
  if (const char* path = std::getenv("QUILLORY_REGISTRY"); path && *path) return path;
  const std::string config = configFolder();
  return config.empty() ? std::string() : config + "/registry.reg";
}

// The one key `fullPath` of the file; an unreadable or foreign file, or one
// that is no regular file, holds no keys.
std::optional<RegFile> readRegistryFile(const std::string& fullPath) {
  try {
    FileStream in(registryFilePath(), FileMode::OpenRead);
    const std::string wanted = foldRegistryName(fullPath);
    return RegFile::read(in, [&wanted](const std::string& folded) { return folded == wanted; });
  } catch (const base::Exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<RegistryKey> RegistryKey::openCurrentUser(const std::string& path) {
  const std::string fullPath = "HKEY_CURRENT_USER\\" + path;
  const auto file = readRegistryFile(fullPath);
  if (!file) return std::nullopt;
  const RegistryValues* values = file->key(fullPath);
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
