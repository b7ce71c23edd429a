// qalbum: the command-line face of Quillory Album.
#include <exception>
#include <iostream>

#include "cli/Commands.h"

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

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  const cli::Args all(argv + 1, argv + argc);
  if (all.empty()) {
    cli::printHelp(std::cerr);
    return 1;
  }
  if (all[0] == "--help" || all[0] == "-h") {
    cli::printHelp(std::cout);
    return 0;
  }
  if (all[0] == "--version") {
    std::cout << "qalbum " << QA_VERSION << '\n';
    return 0;
  }
  for (const cli::Command& c : cli::commands()) {
    if (all[0] != c.name) continue;
    try {
      return c.run(cli::Args(all.begin() + 1, all.end()));
    } catch (const std::exception& e) {
      return cli::fail(e.what());
    }
  }
  std::cerr << "Unknown command \"" << all[0] << "\".\n";
  cli::printHelp(std::cerr);
  return 1;
}
