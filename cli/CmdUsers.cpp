// qalbum users: the Palm Desktop users, one "name<TAB>folder" line each (UTF-8).
#include <iostream>

#include "app/UserDirectory.h"
#include "base/Text.h"
#include "cli/Commands.h"

namespace cli {

int runUsers(const Args& args) {
  if (!args.empty()) return fail("Usage: qalbum users");
  const app::UsersData data = app::GetUsersData();
  if (data.error) return fail(*data.error);
  // Names are Windows-1252 as the library gives them; folders are file names.
  for (size_t i = 0; i < data.items.size(); ++i)
    std::cout << base::escapeControls(base::cp1252ToUtf8(data.userNames[i])) << '\t'
              << base::escapeControls(base::fileNameToUtf8(data.userDirs[i])) << '\n';
  return 0;
}

}  // namespace cli
