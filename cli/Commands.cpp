#include "cli/Commands.h"

namespace cli {

int runConvert(const Args& args);  // CmdConvert.cpp
int runInfo(const Args& args);     // CmdInfo.cpp
int runUsers(const Args& args);    // CmdUsers.cpp
int runSkin(const Args& args);     // CmdSkin.cpp
int runExport(const Args& args);   // CmdExport.cpp
int runExportAll(const Args& args);  // CmdExportAll.cpp

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"convert", "convert PDB OUT [--scale N]  picture database to OUT (.bmp as Save writes it, or .png)",
       runConvert},
      {"info", "info PDB...          name, record count, sizes, pixel bytes, dates, type and creator", runInfo},
      {"export", "export FOLDER DEST [--png] [--scale N] [--keep-going]  every picture database of FOLDER as "
       "Pic_<n>.bmp in DEST", runExport},
      {"export-all", "export-all [--palm-folder DIR] DEST [--png] [--scale N] [--keep-going]  every user's pictures "
       "into DEST/<user name>/", runExportAll},
      {"users", "users [--palm-folder DIR]  the users and their folders", runUsers},
      {"skin", "skin list FILE | pack OUT NAME=BMP... | extract FILE NAME OUT.bmp | region FILE NAME --mask RRGGBB",
       runSkin},
  };
  return table;
}

}  // namespace cli
