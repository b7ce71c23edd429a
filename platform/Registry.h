// Read-only access to keys of the current user's registry: the Win32 registry
// on Windows; elsewhere a file in the registry editor's export format, named by
// QUILLORY_REGISTRY, else $XDG_CONFIG_HOME/QuilloryAlbum/registry.reg
// (~/.config/QuilloryAlbum/registry.reg when XDG_CONFIG_HOME is unset or not
// an absolute path).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace platform {

// Value types, numbered as the Win32 registry numbers them; other numbers may occur.
enum class RegistryType : uint32_t {
  None = 0,
  String = 1,
  ExpandString = 2,
  Binary = 3,
  DWord = 4,
  MultiString = 7,
  QWord = 11,
};

struct RegistryValue {
  RegistryType type = RegistryType::None;
  // 8-bit text for the string types (as stored, possibly with its terminating zero),
  // the raw bytes for every other type.
  std::string data;

  bool isText() const { return type == RegistryType::String || type == RegistryType::ExpandString; }
};

// Values of one key, by name; names compare without regard to ASCII case.
using RegistryValues = std::map<std::string, RegistryValue>;

// ASCII lower case, the form in which key and value names are compared.
std::string foldRegistryName(std::string name);

// An open key below HKEY_CURRENT_USER, opened for reading only.
class RegistryKey {
 public:
  // Opens the key at path ("Software\Vendor\Product"); nullopt when it does not exist.
  static std::optional<RegistryKey> openCurrentUser(const std::string& path);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  // The value's type and data; nullopt when absent or after close(). "" is the default value.
  std::optional<RegistryValue> value(const std::string& name) const;
  // A value read as text: empty when absent or without data; the text ends at its first
  // zero character. Raises ERegistryException when the value holds another type.
  std::string readString(const std::string& name) const;
  void close();

 private:
#ifdef _WIN32
  explicit RegistryKey(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
#else
  explicit RegistryKey(RegistryValues values) : values_(std::move(values)), open_(true) {}
  RegistryValues values_;
  bool open_ = false;
#endif
};

}  // namespace platform
