#include "cli/Commands.h"

namespace cli {

int runUsers(const Args& args);

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"users", "users                 the Palm Desktop users and their folders", runUsers},
  };
  return table;
}

}  // namespace cli
