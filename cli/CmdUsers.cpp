// qalbum users [--palm-folder DIR]: the users of that Palm folder, else those
// the window finds, one "name<TAB>folder" line each.
#include <iostream>

#include "cli/Commands.h"
#include "users/UserSources.h"

namespace cli {

constexpr const char* kPalmFolderHint = "For a Palm folder copied from another computer: qalbum users --palm-folder DIR";

int runUsers(const Invocation& call) {
  const std::optional<std::string> palmFolder = call.value("--palm-folder");
  const app::UsersData data = palmFolder ? users::palmFolderUsers(*palmFolder) : users::findUsers("");
  if (data.error && *data.error == app::msg::RegistryKeyNotFound && users::kPalmFoldersSearched)
    return fail(*data.error + "\n" + kPalmFolderHint);
  if (data.error) return fail(*data.error);
  for (size_t i = 0; i < data.items.size(); ++i) std::cout << data.userNames[i] << '\t' << data.userDirs[i] << '\n';
  return 0;
}

}  // namespace cli
