#include "album/SafeFile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"

namespace album {

namespace {

constexpr int kTemporaryNameAttempts = 100;

// The target's folder with its trailing separator, or empty for a bare file name.
std::string folderOf(const std::string& path) {
#ifdef _WIN32
  const size_t cut = path.find_last_of("\\/:");
#else
  const size_t cut = path.rfind('/');
#endif
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// A short name in the target's folder, so that a long target name cannot make it too long.
std::string temporaryName(const std::string& path, int attempt) {
  // A per-process counter and the clock make clashes between writers unlikely;
  // exclusive creation makes them harmless.
  static std::atomic<unsigned> counter{0};
  const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  return folderOf(path) + ".~qa" + std::to_string((ticks + counter++) % 1000000007ULL) + "-" + std::to_string(attempt) +
         ".tmp";
}

bool nameTaken(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::path(path), ignored);
}

// Creates a new file under a name nobody uses yet; raises for the target's path.
std::unique_ptr<platform::FileStream> createTemporary(const std::string& path, std::string& temporary) {
  for (int attempt = 0;; ++attempt) {
    temporary = temporaryName(path, attempt);
    try {
      return std::make_unique<platform::FileStream>(temporary, platform::FileMode::CreateNew);
    } catch (const base::EFileError& e) {
      if (attempt + 1 < kTemporaryNameAttempts && nameTaken(temporary)) continue;
      throw base::EFCreateError(path, e.reason());
    }
  }
}

// Moves the new file to the target's name. An existing target is first moved
// aside and removed only once the new file is in place, so that it comes back
// when the move fails. Renaming onto a free name also spares some file systems
// (ext4) a forced write-out of the new file's data.
bool putInPlace(const std::string& temporary, const std::string& path, std::string& reason) {
  if (!platform::fileExists(path)) {
    if (platform::replaceFile(temporary, path)) return true;
    reason = platform::lastErrorText();
    return false;
  }
  // Renaming would replace a write-protected file; creating it in place would not.
  if (!platform::fileWritable(path)) {
    reason = platform::lastErrorText();
    return false;
  }
  std::string aside;
  for (int attempt = 0; aside.empty() || nameTaken(aside); ++attempt) aside = temporaryName(path, attempt);
  if (!platform::replaceFile(path, aside)) {
    reason = platform::lastErrorText();
    return false;
  }
  if (!platform::replaceFile(temporary, path)) {
    reason = platform::lastErrorText();
    platform::replaceFile(aside, path);
    return false;
  }
  platform::removeFile(aside);
  return true;
}

// Runs `write` on the open file `written`; on failure closes and removes it and
// raises "Cannot create file" for the target path.
void writeOrRemove(std::unique_ptr<platform::FileStream> file, const std::string& written, const std::string& path,
                   const std::function<void(base::Stream&)>& write) {
  try {
    write(*file);
  } catch (const base::EStreamError&) {
    const std::string reason = platform::lastErrorText();
    file.reset();
    platform::removeFile(written);
    throw base::EFCreateError(path, reason);
  } catch (...) {
    file.reset();
    platform::removeFile(written);
    throw;
  }
}

// The target itself when its name is still free: there is no older file to keep,
// so it is written in place and removed again on failure.
std::unique_ptr<platform::FileStream> createIfFree(const std::string& path) {
  try {
    return std::make_unique<platform::FileStream>(path, platform::FileMode::CreateNew);
  } catch (const base::EFileError&) {
    return nullptr;
  }
}

}  // namespace

void writeFileReplacing(const std::string& path, const std::function<void(base::Stream&)>& write) {
  if (auto direct = createIfFree(path)) {
    writeOrRemove(std::move(direct), path, path, write);
    return;
  }
  std::string temporary;
  writeOrRemove(createTemporary(path, temporary), temporary, path, write);
  std::string reason;
  if (!putInPlace(temporary, path, reason)) {
    platform::removeFile(temporary);
    throw base::EFCreateError(path, reason);
  }
}

}  // namespace album
