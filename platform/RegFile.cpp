#include "platform/RegFile.h"

#include <cstdint>
#include <string>

#include "base/ByteOrder.h"
#include "base/Text.h"

namespace platform {

namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";
// How far into a file its header may be.
constexpr size_t kHeaderWindow = 256;

// UTF-16LE to UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is dropped.
std::string utf16ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const size_t units = bytes.size() / 2;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  auto unit = [data](size_t i) -> uint32_t { return base::loadLE16(data + 2 * i); };
  for (size_t i = 0; i < units; ++i) {
    uint32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    base::appendUtf8(out, cp);
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

// The lines of a .reg file read from a stream in pieces, as UTF-8 or 8-bit
// text (a UTF-16LE file is turned into UTF-8 line by line), without their
// line ends. A line longer than the limit given is cut off and its rest skipped,
// so that memory stays small whatever the file holds.
class RegLineSource {
 public:
  explicit RegLineSource(base::Stream& in) : in_(in) {
    fill();
    if (starts("\xFF\xFE")) {
      unicode_ = true;
      at_ = 2;
    } else if (starts("\xEF\xBB\xBF")) {
      at_ = 3;
    }
  }

  // False at the end of the file. With `skipRest` false, a line that reaches
  // the limit ends there and the rest of it is left unread.
  bool next(std::string& line, size_t limit = kLineLimit, bool skipRest = true) {
    line.clear();
    const size_t unit = unicode_ ? 2 : 1;
    bool any = false;
    while (true) {
      if (buffer_.size() - at_ < unit && !fill()) {
        at_ = buffer_.size();  // an odd byte at the end of a UTF-16 file is dropped
        if (!any) return false;
        break;
      }
      any = true;
      const bool newline = buffer_[at_] == '\n' && (unit == 1 || buffer_[at_ + 1] == '\0');
      if (newline) {
        at_ += unit;
        break;
      }
      if (line.size() < limit * unit)
        line.append(&buffer_[at_], unit);
      else if (!skipRest)
        break;
      at_ += unit;
    }
    if (unicode_) line = utf16ToUtf8(line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }

  static constexpr size_t kLineLimit = 1 << 20;

 private:
  bool starts(std::string_view prefix) const { return std::string_view(buffer_).substr(at_).starts_with(prefix); }

  // Moves what is left to the front and reads more; false when nothing more came.
  bool fill() {
    buffer_.erase(0, at_);
    at_ = 0;
    const size_t had = buffer_.size();
    buffer_.resize(had + kChunk);
    const size_t n = in_.read(buffer_.data() + had, kChunk);
    buffer_.resize(had + n);
    return n > 0;
  }

  static constexpr size_t kChunk = 1 << 16;
  base::Stream& in_;
  std::string buffer_;
  size_t at_ = 0;
  bool unicode_ = false;
};

// Reads the lines after the header one after the other into a RegFile,
// keeping the keys that `keep` asks for.
class RegFileReader {
 public:
  // Text in hex values of a version 5 file is UTF-16LE.
  RegFileReader(RegLineSource& lines, bool unicode, const RegFile::KeyFilter& keep)
      : lines_(lines), unicode_(unicode), keep_(keep) {}

  RegFile read() {
    std::string line;
    while (lines_.next(line)) readLine(line);
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
    if (path.empty()) return;
    std::string folded = foldRegistryName(std::string(path));
    if (!keep_ || keep_(folded)) current_ = &file_.keys_[std::move(folded)];
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
    std::string more;
    while (!list.empty() && list.back() == '\\' && lines_.next(more)) {
      list.pop_back();
      list += withoutComment(more);
    }
    auto bytes = parseHexBytes(list);
    if (!bytes) return std::nullopt;
    if (unicode_ && (type == RegistryType::String || type == RegistryType::ExpandString)) *bytes = utf16ToUtf8(*bytes);
    return RegistryValue{type, std::move(*bytes)};
  }

  static std::string_view withoutComment(std::string_view s) { return trim(s.substr(0, s.find(';'))); }

  RegLineSource& lines_;
  bool unicode_;
  const RegFile::KeyFilter& keep_;
  RegFile file_;
  RegistryValues* current_ = nullptr;
};

std::optional<RegFile> RegFile::read(base::Stream& in, const KeyFilter& keep) {
  RegLineSource lines(in);
  // The header comes first, after blank lines at most: a file that does not
  // show it within its first few bytes is refused before any more is read.
  std::string line;
  size_t looked = 0;
  do {
    if (looked > kHeaderWindow || !lines.next(line, kHeaderWindow, false)) return std::nullopt;
    looked += line.size() + 1;
  } while (trim(line).empty());
  const std::string_view header = trim(line);
  if (header != kVersion5Header && header != kVersion4Header) return std::nullopt;
  return RegFileReader(lines, header == kVersion5Header, keep).read();
}

std::optional<RegFile> RegFile::parse(std::string_view bytes) {
  base::ConstMemoryStream in(bytes.data(), bytes.size());
  return read(in, nullptr);
}

const RegistryValues* RegFile::key(std::string_view path) const {
  const auto it = keys_.find(foldRegistryName(std::string(path)));
  return it == keys_.end() ? nullptr : &it->second;
}

}  // namespace platform
