// qalbum: the command-line face of Quillory Album.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>

#include "base/Errors.h"
#include "cli/Commands.h"
#include "platform/FileWriter.h"

namespace cli {

int fail(const std::string& message) {
  std::cerr << message << '\n';
  return 1;
}

namespace {

void printHelp(std::ostream& out) {
  out << "Usage: qalbum COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const Command& c : commands()) out << "  qalbum " << c.usage << '\n';
  out << "  qalbum --help\n  qalbum --version\n";
}

// What the command printed must have reached standard output whole (not a
// full disk, not a closed descriptor); otherwise the run failed. A closed
// descriptor that nothing was written to is no failure.
int checkedOutput(int status) {
  std::cout.flush();
  const bool written = !std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout);
  const bool closed = std::fclose(stdout) == 0 || errno == EBADF;
  if (written && closed) return status;
  std::cerr << base::msg::StreamWrite << '\n';
  return 1;
}

int run(const Args& all) {
  if (all.empty()) {
    printHelp(std::cerr);
    return 1;
  }
  if (all[0] == "--help" || all[0] == "-h") {
    printHelp(std::cout);
    return 0;
  }
  if (all[0] == "--version") {
    std::cout << "qalbum " << QA_VERSION << '\n';
    return 0;
  }
  for (const Command& c : commands()) {
    if (all[0] != c.name) continue;
    try {
      return c.run(Args(all.begin() + 1, all.end()));
    } catch (const std::exception& e) {
      return fail(e.what());
    }
  }
  std::cerr << "Unknown command \"" << all[0] << "\".\n";
  printHelp(std::cerr);
  return 1;
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  platform::removeTemporaryFilesOnSignals();
  return cli::checkedOutput(cli::run(cli::Args(argv + 1, argv + argc)));
}
