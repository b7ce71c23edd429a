// qalbum help [COMMAND [SUBCOMMAND]]: the help of the tool, a command or a group.
#include <iostream>

#include "base/Errors.h"
#include "cli/Commands.h"
#include "cli/Messages.h"

namespace cli {

int runHelp(const Invocation& call) {
  std::string name;
  for (const std::string& word : call.args) name += (name.empty() ? "" : " ") + word;
  std::string text;
  if (name.empty()) {
    text = mainHelp();
  } else if (const Command* c = findCommand(call.args); c && name == c->name) {
    text = commandHelp(*c);
  } else if (call.args.size() == 1) {
    text = groupHelp(name);
  }
  if (text.empty()) throw UsageError(base::formatMessage(msg::UnknownCommand, {name}));
  std::cout << text;
  return 0;
}

}  // namespace cli
