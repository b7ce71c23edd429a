#include <windows.h>

#include <vector>

#include "platform/Registry.h"

namespace platform {

std::optional<RegistryKey> RegistryKey::openCurrentUser(const std::string& path) {
  HKEY key = nullptr;
  // Read access only: the program never writes to the registry.
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  return RegistryKey(key);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

RegistryKey::~RegistryKey() { close(); }

void RegistryKey::close() {
  if (handle_ != nullptr) RegCloseKey(static_cast<HKEY>(handle_));
  handle_ = nullptr;
}

std::optional<RegistryValue> RegistryKey::value(const std::string& name) const {
  if (handle_ == nullptr) return std::nullopt;
  const HKEY key = static_cast<HKEY>(handle_);
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data;
  // The value may grow between the two calls; ask again with the size it reports.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.resize(size);
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size);
    if (status == ERROR_SUCCESS) {
      data.resize(size);
      return RegistryValue{static_cast<RegistryType>(type), std::string(data.begin(), data.end())};
    }
  }
  return std::nullopt;
}

}  // namespace platform
