#include "support/TestSupport.h"

#include <cstdio>
#include <stdexcept>

#include "platform/Files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace testsupport {

namespace fs = std::filesystem;

void TestRegistry::setString(const std::string& name, const std::string& text) { set({name, 1, text}); }
void TestRegistry::setExpandString(const std::string& name, const std::string& text) { set({name, 2, text}); }
void TestRegistry::setDWord(const std::string& name, uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  set({name, 4, bytes});
}

#ifdef _WIN32

TestRegistry::TestRegistry(std::string keyPath) : keyPath_(std::move(keyPath)) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    usable_ = false;
  }
}

// Removes the key and then each parent that has become empty.
TestRegistry::~TestRegistry() {
  if (!usable_) return;
  std::string path = keyPath_;
  while (!path.empty() && RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS) {
    const size_t cut = path.rfind('\\');
    if (cut == std::string::npos || path.compare(0, cut, "Software") == 0) break;
    path.resize(cut);
  }
}

void TestRegistry::createKey() {
  if (!usable_) throw std::runtime_error("the registry key belongs to a real installation");
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create the registry key");
  RegCloseKey(key);
}

void TestRegistry::set(Value value) {
  createKey();
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_SET_VALUE, &key);
  if (value.type != REG_DWORD) value.data += '\0';
  const LONG status = RegSetValueExA(key, value.name.c_str(), 0, value.type,
                                     reinterpret_cast<const BYTE*>(value.data.data()),
                                     static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the registry value " + value.name);
}

#else

namespace {

// UTF-8 to UTF-16LE bytes, as the registry editor stores text.
std::string utf16le(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    uint32_t cp = c;
    size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    for (size_t k = 1; k <= extra && i + k < text.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += extra + 1;
    auto unit = [&](uint32_t u) {
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>(u >> 8);
    };
    if (cp >= 0x10000) {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}

std::string hexList(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (i) out += ',';
    if (i && i % 20 == 0) out += "\\\r\n  ";
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string registryLine(const std::string& name, uint32_t type, const std::string& data) {
  std::string line = "\"";
  line += escaped(name);
  line += "\"=";
  if (type == 1) return line + "\"" + escaped(data) + "\"";
  if (type == 4) {
    char text[16];
    const auto b = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(data[i])); };
    std::snprintf(text, sizeof text, "%08x", b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    return line + "dword:" + text;
  }
  return line + "hex(" + std::to_string(type) + "):" + hexList(utf16le(data + '\0'));
}

}  // namespace

TestRegistry::TestRegistry(std::string keyPath) : keyPath_(std::move(keyPath)) {
  if (const char* previous = std::getenv("QUILLORY_REGISTRY")) previousEnv_ = previous;
  ::setenv("QUILLORY_REGISTRY", (folder_.root() / "registry.reg").c_str(), 1);
}

TestRegistry::~TestRegistry() {
  if (previousEnv_)
    ::setenv("QUILLORY_REGISTRY", previousEnv_->c_str(), 1);
  else
    ::unsetenv("QUILLORY_REGISTRY");
}

void TestRegistry::createKey() { writeRegistryFile();
}

void TestRegistry::set(Value value) {
  std::erase_if(values_, [&](const Value& v) { return v.name == value.name; });
  values_.push_back(std::move(value));
  writeRegistryFile();
}

// A version 5 export in UTF-16LE with a byte-order mark, as the registry editor writes it.
void TestRegistry::writeRegistryFile() const {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" + keyPath_ + "]\r\n";
  for (const Value& v : values_) text += registryLine(v.name, v.type, v.data) + "\r\n";
  std::string bytes = "\xFF\xFE";
  bytes += utf16le(text);
  writeFile(folder_.root() / "registry.reg", bytes);
}

#endif

fs::path userLibraryFile() { return fs::path(platform::programFolder()) / "UserData.dll"; }

fs::path userLibraryWithoutDirectoryFile() { return fs::path(platform::programFolder()) / "nodir" / "UserData.dll"; }

fs::path userLibrary32File() {
  const fs::path file = fs::path(platform::programFolder()) / "i686" / "UserData.dll";
  return fs::is_regular_file(file) ? file : fs::path();
}

void installUserLibrary(const fs::path& library, const fs::path& folder, const std::string& userList) {
  fs::create_directories(folder);
  fs::copy_file(library, folder / "UserData.dll", fs::copy_options::overwrite_existing);
  writeFile(folder / "UserData.txt", userList);
}

}  // namespace testsupport
