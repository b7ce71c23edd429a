// Exceptions of the class library. Each carries the exact message text the
// user sees; the general error handler of a program shows what() as it is.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Messages.h"

namespace base {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError {
 public:
  EReadError() : EStreamError(msg::StreamRead) {}
};
class EWriteError : public EStreamError {
 public:
  EWriteError() : EStreamError(msg::StreamWrite) {}
};
// Opening or creating a file failed; path() is the file, reason() the system's text.
class EFileError : public EStreamError {
 public:
  EFileError(const char* format, std::string path, std::string reason);
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }
 private:
  std::string path_;
  std::string reason_;
};
class EFOpenError : public EFileError {
 public:
  EFOpenError(std::string path, std::string reason) : EFileError(msg::FOpen, std::move(path), std::move(reason)) {}
};
class EFCreateError : public EFileError {
 public:
  EFCreateError(std::string path, std::string reason) : EFileError(msg::FCreate, std::move(path), std::move(reason)) {}
};
class EInvalidGraphic : public Exception {
 public:
  EInvalidGraphic() : Exception(msg::InvalidBitmap) {}
};
class EListError : public Exception {
 public:
  explicit EListError(long long index);
};
class EIntOverflow : public Exception {
 public:
  EIntOverflow() : Exception(msg::IntOverflow) {}
};
// A registry value was read as text but holds another type; name is the value's name.
class ERegistryException : public Exception {
 public:
  explicit ERegistryException(std::string_view name);
};

// Replaces each %s with the next string and each %d with the next number, in order;
// "%%" is a literal percent sign. Missing arguments leave the directive as it is.
std::string formatMessage(std::string_view format, std::initializer_list<std::string_view> args);

// The system's text for an error code (errno on POSIX, GetLastError on Windows),
// ending in a full stop as the Windows texts do.
std::string systemErrorText(int code);

}  // namespace base
