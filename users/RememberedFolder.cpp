#include "users/RememberedFolder.h"

#include <cstdlib>
#include <exception>

#include "base/Text.h"
#include "platform/FileStream.h"

namespace users {

namespace {

#ifndef _WIN32
std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
#endif

std::string_view trimmed(std::string_view s) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Appends a UTF-16 code unit from an escape; a surrogate pair becomes one code
// point, a lone surrogate U+FFFD.
class CodeUnits {
 public:
  explicit CodeUnits(std::string& out) : out_(out) {}
  void add(char32_t unit) {
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      flush();
      high_ = unit;
      return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF && high_) {
      base::appendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    flush();
    base::appendUtf8(out_, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
  }
  void flush() {
    if (high_) base::appendUtf8(out_, 0xFFFD);
    high_ = 0;
  }

 private:
  std::string& out_;
  char32_t high_ = 0;
};

// The character a one-letter escape stands for; 0 when the letter is no escape.
char simpleEscape(char c) {
  switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    case '"': case '\'': case '?': case '\\': return c;
    default: return 0;
  }
}

// Undoes QSettings' value escaping: spaces outside quotes are dropped at both
// ends, '"' opens and closes quoting, backslash escapes (letters, \xHHHH,
// octal) give characters. nullopt when a ',' outside quotes makes a list.
std::optional<std::string> unescapeValue(std::string_view v) {
  std::string out;
  CodeUnits units(out);
  bool quoted = false;
  size_t spacesPending = 0;  // spaces outside quotes count only between other characters
  for (size_t i = 0; i < v.size();) {
    const char c = v[i];
    if (c == '"') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (!quoted && c == ',') return std::nullopt;
    if (!quoted && (c == ' ' || c == '\t')) {
      ++spacesPending;
      ++i;
      continue;
    }
    if (spacesPending && !out.empty()) out.append(spacesPending, ' ');
    spacesPending = 0;
    if (c != '\\') {
      units.flush();
      out += c;
      ++i;
      continue;
    }
    if (++i == v.size()) break;
    const char e = v[i];
    if (e == 'x') {
      char32_t unit = 0;
      for (++i; i < v.size() && hexDigit(v[i]) >= 0; ++i) unit = ((unit << 4) | static_cast<char32_t>(hexDigit(v[i]))) & 0xFFFF;
      units.add(unit);
    } else if (e >= '0' && e <= '7') {
      char32_t unit = 0;
      for (; i < v.size() && v[i] >= '0' && v[i] <= '7'; ++i) unit = ((unit << 3) | static_cast<char32_t>(v[i] - '0')) & 0xFFFF;
      units.add(unit);
    } else {
      units.flush();
      if (const char s = simpleEscape(e)) out += s;
      ++i;
    }
  }
  units.flush();
  return out;
}

// A value line's value: the text after '=', up to a ';' outside quotes (a comment).
std::string_view valueText(std::string_view v) {
  bool quoted = false;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\\') ++i;
    else if (v[i] == '"') quoted = !quoted;
    else if (v[i] == ';' && !quoted) return v.substr(0, i);
  }
  return v;
}

std::optional<std::string> stringValue(std::string_view raw) {
  const std::string_view v = trimmed(valueText(raw));
  if (v.substr(0, 2) == "@@") return unescapeValue(v.substr(1));
  if (v.substr(0, 8) == "@String(" && v.back() == ')') return unescapeValue(v.substr(8, v.size() - 9));
  if (!v.empty() && v[0] == '@' && v.find('(') != std::string_view::npos) return std::nullopt;
  return unescapeValue(v);
}

}  // namespace

std::string windowSettingsFile() {
#ifdef _WIN32
  return {};
#else
  std::string config = environment("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') {
    const std::string home = environment("HOME");
    if (home.empty()) return {};
    config = home + "/.config";
  }
  return config + "/QuilloryAlbum/QuilloryAlbum.conf";
#endif
}

std::optional<std::string> readIniString(std::string_view text, std::string_view section, std::string_view key) {
  std::optional<std::string> found;
  bool inSection = false;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      inSection = close != std::string_view::npos && trimmed(line.substr(1, close - 1)) == section;
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string_view::npos || trimmed(line.substr(0, eq)) != key) continue;
    found = stringValue(line.substr(eq + 1));  // the last line of a key counts
  }
  return found;
}

std::string rememberedPalmFolder() {
  const std::string path = windowSettingsFile();
  if (path.empty()) return {};
  const std::optional<std::string> text = platform::readSmallFile(path, kMaxSettingsBytes);
  if (!text) return {};
  return readIniString(*text, "General", "PalmFolder").value_or("");
}

}  // namespace users
