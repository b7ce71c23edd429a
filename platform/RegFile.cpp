#include "platform/RegFile.h"

#include <cstdint>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";

void appendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16LE to UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is dropped.
std::string utf16ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const size_t units = bytes.size() / 2;
  auto unit = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
  };
  for (size_t i = 0; i < units; ++i) {
    uint32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool isBlankOrComment(std::string_view rest) {
  rest = trim(rest);
  return rest.empty() || rest.front() == ';';
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to `maxDigits` hex digits, the whole of s; nullopt otherwise.
std::optional<uint64_t> parseHex(std::string_view s, size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  uint64_t v = 0;
  for (char c : s) {
    const int d = hexDigit(c);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<uint64_t>(d);
  }
  return v;
}

// "aa,bb, cc" to bytes; nullopt when a member is not one or two hex digits.
std::optional<std::string> parseHexBytes(std::string_view list) {
  std::string out;
  list = trim(list);
  if (list.empty()) return out;
  while (true) {
    const size_t comma = list.find(',');
    const std::string_view item = trim(list.substr(0, comma));
    if (comma == std::string_view::npos && item.empty()) break;  // a trailing comma
    const auto byte = parseHex(item, 2);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return out;
}

// A quoted string at the start of s, with \\ and \" escapes; s is moved past it.
std::optional<std::string> takeQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return std::nullopt;
}

}  // namespace

// Reads the lines of a file one after the other into a RegFile.
class RegFileReader {
 public:
  RegFileReader(std::vector<std::string_view> lines, bool unicode) : lines_(std::move(lines)), unicode_(unicode) {}

  RegFile read() {
    for (next_ = 0; next_ < lines_.size();) readLine(lines_[next_++]);
    return std::move(file_);
  }

 private:
  void readLine(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') return readKeyLine(line);
    if (current_ != nullptr) readValueLine(line);
  }

  void readKeyLine(std::string_view line) {
    current_ = nullptr;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || !isBlankOrComment(line.substr(close + 1))) return;
    std::string_view path = line.substr(1, close - 1);
    if (!path.empty() && path.front() == '-') {
      file_.keys_.erase(foldRegistryName(std::string(path.substr(1))));
      return;
    }
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (!path.empty()) current_ = &file_.keys_[foldRegistryName(std::string(path))];
  }

  void readValueLine(std::string_view line) {
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = takeQuoted(line);
      if (!quoted) return;
      name = std::move(*quoted);
    }
    line = trim(line);
    if (line.empty() || line.front() != '=') return;
    line = trim(line.substr(1));
    const std::string key = foldRegistryName(name);
    if (!line.empty() && line.front() == '-' && isBlankOrComment(line.substr(1))) {
      current_->erase(key);
      return;
    }
    if (auto value = readData(line)) (*current_)[key] = std::move(*value);
  }

  std::optional<RegistryValue> readData(std::string_view data) {
    if (!data.empty() && data.front() == '"') {
      auto text = takeQuoted(data);
      if (!text || !isBlankOrComment(data)) return std::nullopt;
      return RegistryValue{RegistryType::String, std::move(*text)};
    }
    if (data.starts_with("dword:")) {
      data.remove_prefix(6);
      const size_t end = data.find(';');
      const auto v = parseHex(trim(data.substr(0, end)), 8);
      if (!v) return std::nullopt;
      std::string bytes;
      for (int i = 0; i < 4; ++i) bytes += static_cast<char>((*v >> (8 * i)) & 0xFF);
      return RegistryValue{RegistryType::DWord, std::move(bytes)};
    }
    if (data.starts_with("hex")) return readHexData(data.substr(3));
    return std::nullopt;
  }

  // "hex:aa,bb" (binary) or "hex(N):aa,bb" (type N), possibly continued over lines ending in "\".
  std::optional<RegistryValue> readHexData(std::string_view data) {
    RegistryType type = RegistryType::Binary;
    if (!data.empty() && data.front() == '(') {
      const size_t close = data.find(')');
      if (close == std::string_view::npos) return std::nullopt;
      const auto number = parseHex(data.substr(1, close - 1), 8);
      if (!number) return std::nullopt;
      type = static_cast<RegistryType>(*number);
      data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':') return std::nullopt;
    std::string list(withoutComment(data.substr(1)));
    while (!list.empty() && list.back() == '\\' && next_ < lines_.size()) {
      list.pop_back();
      list += withoutComment(lines_[next_++]);
    }
    auto bytes = parseHexBytes(list);
    if (!bytes) return std::nullopt;
    if (unicode_ && (type == RegistryType::String || type == RegistryType::ExpandString)) *bytes = utf16ToUtf8(*bytes);
    return RegistryValue{type, std::move(*bytes)};
  }

  static std::string_view withoutComment(std::string_view s) { return trim(s.substr(0, s.find(';'))); }

  std::vector<std::string_view> lines_;
  bool unicode_;
  size_t next_ = 0;
  RegFile file_;
  RegistryValues* current_ = nullptr;
};

std::optional<RegFile> RegFile::parse(std::string_view bytes) {
  std::string decoded;
  std::string_view text = bytes;
  if (bytes.starts_with("\xFF\xFE")) {
    decoded = utf16ToUtf8(bytes.substr(2));
    text = decoded;
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }

  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }

  size_t first = 0;
  while (first < lines.size() && trim(lines[first]).empty()) ++first;
  if (first == lines.size()) return std::nullopt;
  const std::string_view header = trim(lines[first]);
  if (header != kVersion5Header && header != kVersion4Header) return std::nullopt;
  const bool unicode = header == kVersion5Header;
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first) + 1);
  return RegFileReader(std::move(lines), unicode).read();
}

const RegistryValues* RegFile::key(std::string_view path) const {
  const auto it = keys_.find(foldRegistryName(std::string(path)));
  return it == keys_.end() ? nullptr : &it->second;
}

}  // namespace platform
