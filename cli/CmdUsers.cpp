// qalbum users [--palm-folder DIR]: the users of that Palm folder, else those
// the window finds (with the Palm folder it remembers), one "name<TAB>folder" line each (UTF-8).
#include <iostream>

#include "base/Text.h"
#include "cli/Commands.h"
#include "users/RememberedFolder.h"
#include "users/UserSources.h"

namespace cli {

constexpr const char* kPalmFolderHint = "For a Palm folder copied from another computer: qalbum users --palm-folder DIR";

int runUsers(const Invocation& call) {
  const std::optional<std::string> palmFolder = call.value("--palm-folder");
  const app::UsersData data = palmFolder ? users::palmFolderUsers(*palmFolder) : users::findUsers(users::rememberedPalmFolder());
  if (data.error && *data.error == app::msg::RegistryKeyNotFound && users::kPalmFoldersSearched)
    return fail(*data.error + "\n" + kPalmFolderHint);
  if (data.error) return fail(*data.error);
  // Names are Windows-1252 as the library gives them; folders are file names.
  for (size_t i = 0; i < data.items.size(); ++i)
    std::cout << base::escapeControls(base::cp1252ToUtf8(data.userNames[i])) << '\t'
              << base::escapeControls(base::fileNameToUtf8(data.userDirs[i])) << '\n';
  return 0;
}

}  // namespace cli
