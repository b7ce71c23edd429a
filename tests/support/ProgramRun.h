// Runs a program of the build as a real process and collects what it did.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace testing_support {

struct ProgramRun {
  int status;  // the exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

inline std::string shellQuoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs program with args; its standard output and error land in files of dir
// (standard output in `stdoutPath` instead when given, e.g. a terminal).
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& dir,
                             const std::string& stdoutPath = {}) {
  const std::string out = stdoutPath.empty() ? dir.path("stdout.txt") : stdoutPath;
  std::string command = shellQuoted(program);
  for (const std::string& a : args) command.append(" ").append(shellQuoted(a));
  command.append(" >").append(shellQuoted(out)).append(" 2>").append(shellQuoted(dir.path("stderr.txt")));
  const int raw = std::system(command.c_str());
  auto text = [](const std::string& file) {
    const std::vector<uint8_t> bytes = TempDir::read(file);
    return std::string(bytes.begin(), bytes.end());
  };
  ProgramRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, stdoutPath.empty() ? text(out) : std::string(),
                 text(dir.path("stderr.txt"))};
  std::remove(dir.path("stdout.txt").c_str());
  std::remove(dir.path("stderr.txt").c_str());
  return run;
}

}  // namespace testing_support
