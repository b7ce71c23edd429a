#include "cli/Commands.h"

namespace cli {

int runUsers(const Args& args);  // CmdUsers.cpp
int runSkin(const Args& args);   // CmdSkin.cpp

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"users", "users                 the Palm Desktop users and their folders", runUsers},
      {"skin", "skin list FILE | pack OUT NAME=BMP... | extract FILE NAME OUT.bmp | region FILE NAME --mask RRGGBB", runSkin},
  };
  return table;
}

}  // namespace cli
