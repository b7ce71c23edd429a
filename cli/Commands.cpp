#include "cli/Commands.h"

namespace cli {

int runUsers(const Args& args);
int runExport(const Args& args);

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"users", "users                 the Palm Desktop users and their folders", runUsers},
      {"export", "export FOLDER DEST    every picture database of FOLDER as Pic_<n>.bmp in DEST", runExport},
  };
  return table;
}

}  // namespace cli
