#include "base/Errors.h"

#include <system_error>

namespace base {

std::string formatMessage(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size() + 32);
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      const char d = format[i + 1];
      if (d == '%') {
        out += '%';
        ++i;
        continue;
      }
      if ((d == 's' || d == 'd') && next != args.end()) {
        out += *next++;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string systemErrorText(int code) {
  std::string text = std::system_category().message(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

EFileError::EFileError(const char* format, std::string path, std::string reason)
    : EStreamError(formatMessage(format, {path, reason})), path_(std::move(path)), reason_(std::move(reason)) {}

ERegistryException::ERegistryException(std::string_view name)
    : Exception(formatMessage(msg::InvalidRegType, {name})) {}

EListError::EListError(long long index) : Exception(formatMessage(msg::ListIndex, {std::to_string(index)})) {}

}  // namespace base
