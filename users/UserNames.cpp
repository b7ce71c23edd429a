#include "users/UserNames.h"

#include <cctype>
#include <set>

#include "base/Text.h"
#include "platform/Directory.h"

namespace users {

namespace {

// Album folders may lie on a file system that ignores letter case (a memory stick).
std::string caseless(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

class TakenNames {
 public:
  bool free(const UserName& name) const {
    return !albums_.contains(caseless(name.album)) && !shown_.contains(name.shown);
  }
  void take(const UserName& name) {
    albums_.insert(caseless(name.album));
    shown_.insert(name.shown);
  }

 private:
  std::set<std::string> albums_, shown_;
};

UserName numbered(const UserName& name, int number) {
  const std::string suffix = " (" + std::to_string(number) + ")";
  return {name.shown + suffix, name.album + suffix};
}

}  // namespace

UserName libraryUserName(std::string_view ansi) { return {base::cp1252ToUtf8(ansi), platform::ansiToFileName(ansi)}; }

UserName folderUserName(std::string_view folderName) {
  return {platform::fileNameToText(folderName), std::string(folderName)};
}

void makeDistinct(std::vector<UserName>& names) {
  TakenNames taken;
  std::vector<UserName*> clashing;
  for (UserName& name : names) {
    if (!platform::isPlainFolderName(name.album)) continue;
    if (taken.free(name))
      taken.take(name);
    else
      clashing.push_back(&name);
  }
  for (UserName* name : clashing) {
    int number = 2;
    while (!taken.free(numbered(*name, number))) ++number;
    *name = numbered(*name, number);
    taken.take(*name);
  }
}

}  // namespace users
