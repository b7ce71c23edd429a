#include "platform/FileWriter.h"

#include <string_view>

#include "platform/FileWriterParts.h"

namespace platform {

std::string folderOf(const std::string& path) {
#ifdef _WIN32
  const size_t cut = path.find_last_of("\\/:");
#else
  const size_t cut = path.rfind('/');
#endif
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

namespace {
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kTemporaryStart = ".qalbum-", kTemporaryEnd = ".tmp";
constexpr size_t kTemporaryLetters = 8;
}  // namespace

std::string temporaryName(std::mt19937_64& random) {
  std::string name(kTemporaryStart);
  for (size_t i = 0; i < kTemporaryLetters; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name.append(kTemporaryEnd);
}

bool isTemporaryName(const std::string& name) {
  if (name.size() != kTemporaryStart.size() + kTemporaryLetters + kTemporaryEnd.size()) return false;
  if (!name.starts_with(kTemporaryStart) || !name.ends_with(kTemporaryEnd)) return false;
  const std::string_view letters = std::string_view(name).substr(kTemporaryStart.size(), kTemporaryLetters);
  return letters.find_first_not_of(kLetters) == std::string_view::npos;
}

std::mt19937_64& temporaryNameRandom() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  return random;
}

void writeFileReplacing(const std::string& path, const WriteContent& content) {
  FileWriter writer(path, FileWriter::Purpose::Replace);
  writer.write(content);
  writer.replaceTarget();
}

}  // namespace platform
