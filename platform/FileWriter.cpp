#include "platform/FileWriter.h"

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

std::string temporaryName(std::mt19937_64& random) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".qalbum-";
  for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name + ".tmp";
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
