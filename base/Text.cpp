#include "base/Text.h"

#include <array>
#include <cstdint>

namespace base {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t cp1252CodePoint(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The length of the sequence a byte starts, its payload bits and the least
// code point that length may encode; length 0 for a byte that cannot start one.
struct Lead {
  size_t length;
  char32_t bits;
  char32_t least;
};

Lead leadOf(uint8_t b) {
  if (b < 0x80) return {1, b, 0};
  if (b >= 0xC2 && b <= 0xDF) return {2, b & 0x1Fu, 0x80};
  if (b >= 0xE0 && b <= 0xEF) return {3, b & 0x0Fu, 0x800};
  if (b >= 0xF0 && b <= 0xF4) return {4, b & 0x07u, 0x10000};
  return {0, 0, 0};
}

// Decodes the character at bytes[pos] and moves pos past it; kInvalid (and
// one byte on) for a malformed sequence.
char32_t decodeUtf8(std::string_view bytes, size_t& pos) {
  const Lead lead = leadOf(static_cast<uint8_t>(bytes[pos]));
  const auto invalid = [&pos] {
    ++pos;
    return kInvalid;
  };
  if (lead.length == 0 || bytes.size() - pos < lead.length) return invalid();
  char32_t c = lead.bits;
  for (size_t i = 1; i < lead.length; ++i) {
    const auto next = static_cast<uint8_t>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return invalid();
    c = (c << 6) | (next & 0x3Fu);
  }
  if (c < lead.least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return invalid();
  pos += lead.length;
  return c;
}

std::optional<char> cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

void appendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string cp1252ToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) appendUtf8(out, cp1252CodePoint(static_cast<uint8_t>(c)));
  return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t c = decodeUtf8(utf8, pos);
    out += c == kInvalid ? '?' : cp1252Byte(c).value_or('?');
  }
  return out;
}

std::optional<std::string> utf8ToCp1252Exactly(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<char> byte = cp1252Byte(decodeUtf8(utf8, pos));
    if (!byte) return std::nullopt;
    out += *byte;
  }
  return out;
}

bool isValidUtf8(std::string_view bytes) {
  for (size_t pos = 0; pos < bytes.size();)
    if (decodeUtf8(bytes, pos) == kInvalid) return false;
  return true;
}

std::string fileNameToUtf8(std::string_view bytes) {
  return isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
}

std::string escapeInvalidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t start = pos;
    if (decodeUtf8(bytes, pos) == kInvalid)
      appendHex(out, "\\x", static_cast<uint8_t>(bytes[start]), 2);
    else
      out.append(bytes.substr(start, pos - start));
  }
  return out;
}

std::string escapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const char32_t c = decodeUtf8(utf8, pos);
    if (c < 0x20 || c == 0x7F)
      appendHex(out, "\\x", static_cast<unsigned>(c), 2);
    else if (c >= 0x80 && c < 0xA0)
      appendHex(out, "\\u", static_cast<unsigned>(c), 4);
    else
      out.append(utf8.substr(start, pos - start));
  }
  return out;
}

}  // namespace base
