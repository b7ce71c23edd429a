// qalbum users [--palm-folder DIR]: the users of that Palm folder, else those
// the window finds (with the Palm folder it remembers), one "name<TAB>folder" line each (UTF-8).
#include <iostream>

#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "users/Messages.h"
#include "users/RememberedFolder.h"
#include "users/UserSources.h"

namespace cli {

int runUsers(const Invocation& call) {
  const std::optional<std::string> palmFolder = call.value("--palm-folder");
  users::UsersData data;
  try {
    data = palmFolder ? users::palmFolderUsers(*palmFolder) : users::findUsers(users::rememberedPalmFolder());
  } catch (const users::EUsersNotFound& e) {
    if (e.what() != std::string_view(users::msg::RegistryKeyNotFound) || !users::kPalmFoldersSearched) throw;
    printMessage(e.what());
    return fail(msg::PalmFolderHint);
  }
  // Names are Windows-1252 as the library gives them; folders are file names.
  for (size_t i = 0; i < data.items.size(); ++i)
    std::cout << base::escapeControls(base::cp1252ToUtf8(data.userNames[i])) << '\t'
              << base::escapeControls(base::fileNameToUtf8(data.userDirs[i])) << '\n';
  return 0;
}

}  // namespace cli
