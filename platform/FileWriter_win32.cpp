#include <windows.h>

#include <algorithm>

#include "base/Errors.h"
#include "platform/FileWriter.h"
#include "platform/FileWriterParts.h"
#include "platform/Files.h"
#include "platform/Win32Error.h"
#include "platform/Win32Handle.h"

namespace platform {

namespace {

// A stream over the temporary file's handle that keeps the cause of a failed write.
class HandleStream : public base::Stream {
 public:
  explicit HandleStream(HANDLE handle) : handle_(handle) {}
  DWORD error() const { return error_; }

  size_t read(void* buffer, size_t count) override {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
    return ReadFile(handle_, buffer, chunk, &n, nullptr) ? n : 0;
  }
  size_t write(const void* buffer, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
      DWORD n = 0;
      if (!WriteFile(handle_, static_cast<const char*>(buffer) + done, chunk, &n, nullptr) || n == 0) {
        error_ = GetLastError();
        if (error_ == ERROR_SUCCESS) error_ = ERROR_DISK_FULL;
        break;
      }
      done += n;
    }
    return done;
  }
  int64_t seek(int64_t offset, base::SeekOrigin origin) override { return seekHandle(handle_, offset, origin); }
  int64_t size() override { return handleSize(handle_); }

 private:
  HANDLE handle_;
  DWORD error_ = ERROR_SUCCESS;
};

bool isTaken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

}  // namespace

class FileWriter::Impl {
 public:
  // A folder that refuses new files fails the write: the old file stays whole.
  Impl(const std::string& target, Purpose) : target_(absolutePath(target)) {
    const DWORD err = createTemporary();
    if (err != ERROR_SUCCESS) fail(err);
  }

  ~Impl() { discard(); }

  void write(const WriteContent& content) {
    HandleStream stream(handle_);
    writeThrough(stream, target_, content, [this](DWORD err) { fail(err); }, [this] { discard(); });
  }

  void replaceTarget() {
    finish();
    // A write-protected file stays as it is: replacing it would lose it.
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) fail(ERROR_ACCESS_DENIED);
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      fail(GetLastError());
    temporary_.clear();
  }

  void closeForBatch() { finish(); }

  bool takeNewName(const std::string& path) {
    target_ = absolutePath(path);
    if (handle_ != INVALID_HANDLE_VALUE) finish();
    if (MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) {
      temporary_.clear();
      return true;
    }
    const DWORD err = GetLastError();
    if (isTaken(err)) return false;
    fail(err);
  }

 private:
  DWORD createTemporary() {
    const std::string folder = folderOf(target_);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      temporary_ = folder + temporaryName(temporaryNameRandom());
      handle_ = CreateFileA(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) return ERROR_SUCCESS;
      const DWORD err = GetLastError();
      if (!isTaken(err)) {
        temporary_.clear();
        return err;
      }
    }
    temporary_.clear();
    return ERROR_FILE_EXISTS;
  }

  void finish() {
    if (!FlushFileBuffers(handle_)) fail(GetLastError());
    const HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(h)) fail(GetLastError());
  }

  void discard() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    temporary_.clear();
  }

  [[noreturn]] void fail(DWORD err) {
    discard();
    throw base::EFCreateError(target_, win32ErrorText(err));
  }

  std::string target_;
  std::string temporary_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

FileWriter::FileWriter(const std::string& target, Purpose purpose) : impl_(std::make_unique<Impl>(target, purpose)) {}
FileWriter::~FileWriter() = default;
void FileWriter::write(const WriteContent& content) { impl_->write(content); }
void FileWriter::replaceTarget() { impl_->replaceTarget(); }
bool FileWriter::takeNewName(const std::string& path) { return impl_->takeNewName(path); }
// Each file is flushed as it closes: a handle is what Windows flushes.
void FileWriter::closeForBatch() { impl_->closeForBatch(); }
void flushBatch(const std::string&) {}

// MOVEFILE_WRITE_THROUGH has made each name durable already.
void syncFolder(const std::string&) {}

// Ctrl+C ends a console program without running its destructors; its
// temporary files stay, under names that no picture can have.
void removeTemporaryFilesOnSignals() {}

}  // namespace platform
