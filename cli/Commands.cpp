#include "cli/Commands.h"

namespace cli {

int runSkinRegion(const Args& args);

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"skin-region", "skin-region BMPFILE --mask RRGGBB", runSkinRegion},
  };
  return table;
}

}  // namespace cli
