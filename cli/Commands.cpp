#include "cli/Commands.h"

namespace cli {

int runConvert(const Args& args);  // CmdConvert.cpp
int runInfo(const Args& args);     // CmdInfo.cpp
int runUsers(const Args& args);    // CmdUsers.cpp
int runSkin(const Args& args);     // CmdSkin.cpp
int runExport(const Args& args);   // CmdExport.cpp

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"convert", "convert PDB OUT      picture database to OUT (.bmp as Save writes it, or .png)", runConvert},
      {"info", "info PDB...          name, record count, sizes and pixel bytes of each database", runInfo},
      {"export", "export FOLDER DEST   every picture database of FOLDER as Pic_<n>.bmp in DEST", runExport},
      {"users", "users                the Palm Desktop users and their folders", runUsers},
      {"skin", "skin list FILE | pack OUT NAME=BMP... | extract FILE NAME OUT.bmp | region FILE NAME --mask RRGGBB",
       runSkin},
  };
  return table;
}

}  // namespace cli
