// qalbum users [--palm-folder DIR]: the users of that Palm folder, else those
// the window finds (with the Palm folder it remembers), one "name<TAB>folder"
// line each: the name shown for the user and the folder, as UTF-8.
#include <iostream>

#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/PalmUsers.h"
#include "platform/Directory.h"
#include "users/UserSources.h"

namespace cli {

int runUsers(const Invocation& call) {
  users::UsersData data;
  try {
    data = palmUsers(call.value("--palm-folder"));
  } catch (const users::EPalmDesktopNotFound& e) {
    printMessage(e.what());
    return fail(msg::PalmFolderHint);
  }
  for (size_t i = 0; i < data.items.size(); ++i)
    std::cout << base::escapeControls(data.userNames[i]) << '\t'
              << base::escapeControls(platform::fileNameToText(data.userDirs[i])) << '\n';
  return 0;
}

}  // namespace cli
