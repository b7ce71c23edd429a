// qalbum users: the Palm Desktop users, one "name<TAB>folder" line each.
#include <iostream>

#include "users/UserDirectory.h"
#include "cli/Commands.h"

namespace cli {

int runUsers(const Args& args) {
  if (!args.empty()) return fail("Usage: qalbum users");
  const app::UsersData data = app::GetUsersData();
  if (data.error) return fail(*data.error);
  for (size_t i = 0; i < data.items.size(); ++i) std::cout << data.userNames[i] << '\t' << data.userDirs[i] << '\n';
  return 0;
}

}  // namespace cli
