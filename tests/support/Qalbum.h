// qalbum as the build makes it, run as a real process for a test.
#pragma once

#include <string>
#include <vector>

#include "support/ProgramRun.h"

namespace testsupport {

inline ProgramRun qalbum(const TempDir& scratch, const std::vector<std::string>& args, const RunOptions& options = {}) {
  return runProgram(builtProgram("qalbum"), args, scratch, options);
}

}  // namespace testsupport
