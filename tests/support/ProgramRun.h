// Runs a program of the build as a real process and collects what it did.
#pragma once

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace testsupport {

struct ProgramRun {
  int status;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

struct RunOptions {
  std::string workingDir = {};                // where the program starts; the test's own folder when empty
  std::vector<std::string> environment = {};  // NAME=value settings for the program alone
  std::string stdoutTo = {};                  // a file (e.g. /dev/full) or "&-" (closed) instead of collecting it
  // POSIX shells only:
  std::string shellPrefix = {};  // commands run first, e.g. "ulimit -f 8 &&"
  int timeoutSeconds = 0;   // stops the program after this long, with status 124
  std::string stdinFrom = {};  // a file (a terminal too) the program reads as standard input
};

// The file of a program the build puts beside the test programs, e.g. "qalbum".
std::string builtProgram(const std::string& name);

// `s` quoted for the system's shell.
std::string shellQuoted(const std::string& s);

// `text` without the carriage returns that Windows programs put before line ends.
inline std::string withoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

// Runs program with args through the system's shell; its standard output and
// error pass through files in scratch, which are gone again afterwards.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& scratch,
                      const RunOptions& options = {});

}  // namespace testsupport
