#include "album/PictureList.h"

#include <algorithm>
#include <compare>

#include "album/PictureDatabase.h"
#include "platform/Directory.h"

namespace album {

namespace {

unsigned char upper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

}  // namespace

bool comesBeforeByName(std::string_view a, std::string_view b) {
  const auto folded = std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end(),
                                                             [](char x, char y) { return upper(x) <=> upper(y); });
  if (folded != 0) return folded < 0;
  return a < b;  // string_view compares bytes as unsigned
}

std::vector<std::string> listPictureDatabases(const std::string& folder) {
  std::vector<std::string> names = platform::readDirectory(folder, kPictureFilePattern);
  std::sort(names.begin(), names.end(), comesBeforeByName);
  return names;
}

}  // namespace album
