#include "support/ProgramRun.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Files.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace testsupport {

namespace {

#ifdef _WIN32
const char* const kProgramSuffix = ".exe";

int exitStatus(int raw) { return raw; }

std::string commandStart(const RunOptions& options) {
  std::string start;
  if (!options.workingDir.empty()) start += "cd /d " + shellQuoted(options.workingDir) + " && ";
  for (const std::string& setting : options.environment) start += "set " + shellQuoted(setting) + " && ";
  return start;
}

// cmd.exe drops the outermost pair of quotes.
std::string forShell(const std::string& command) { return "\"" + command + "\""; }
#else
const char* const kProgramSuffix = "";

int exitStatus(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }

std::string commandStart(const RunOptions& options) {
  std::string start;
  if (!options.workingDir.empty()) start += "cd " + shellQuoted(options.workingDir) + " && ";
  if (!options.shellPrefix.empty()) start += options.shellPrefix + " ";
  for (const std::string& setting : options.environment) {
    const size_t eq = setting.find('=');
    start += setting.substr(0, eq + 1) + shellQuoted(setting.substr(eq + 1)) + " ";
  }
  if (options.timeoutSeconds > 0) start += "timeout " + std::to_string(options.timeoutSeconds) + " ";
  return start;
}

std::string forShell(const std::string& command) { return command; }
#endif

std::string textOf(const std::string& file) {
  const std::vector<uint8_t> bytes = TempDir::read(file);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::string builtProgram(const std::string& name) { return platform::programFolder() + name + kProgramSuffix; }

std::string shellQuoted(const std::string& s) {
#ifdef _WIN32
  return "\"" + s + "\"";
#else
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
#endif
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& scratch,
                      const RunOptions& options) {
  const std::string outFile = scratch.path("stdout.txt");
  const std::string errFile = scratch.path("stderr.txt");
  const std::string out = options.stdoutTo.empty() ? shellQuoted(outFile)
                          : options.stdoutTo == "&-" ? options.stdoutTo
                                                      : shellQuoted(options.stdoutTo);
  std::string command = commandStart(options) + shellQuoted(program);
  for (const std::string& a : args) command.append(" ").append(shellQuoted(a));
  command.append(" >").append(out).append(" 2>").append(shellQuoted(errFile));
  if (!options.stdinFrom.empty()) command.append(" <").append(shellQuoted(options.stdinFrom));
  const int raw = std::system(forShell(command).c_str());
  ProgramRun run{exitStatus(raw), options.stdoutTo.empty() ? textOf(outFile) : std::string(), textOf(errFile)};
  std::remove(outFile.c_str());
  std::remove(errFile.c_str());
  return run;
}

}  // namespace testsupport
