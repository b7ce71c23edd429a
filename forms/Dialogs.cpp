// What every toolkit's dialogs share: the texts and folders they are given.
#include "forms/Dialogs.h"

namespace forms {

std::string withFullStop(const std::string& text) {
  if (text.empty() || text.back() == '.') return text;
  return text + '.';
}

std::string dialogFolder(const std::string& folderWithSeparator) {
  std::string folder = folderWithSeparator;
  const bool afterDrive = folder.size() == 3 && folder[1] == ':';
  if (!afterDrive && folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace forms
