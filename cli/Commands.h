// The sub-commands of qalbum. Each takes the arguments after its own name,
// prints its messages, and returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;  // one line for --help, after "qalbum "
  int (*run)(const Args& args);
};

// Every command of the tool, in the order --help lists them.
const std::vector<Command>& commands();

// Prints a message text alone on a line of standard error; returns exit status 1.
int fail(const std::string& message);

}  // namespace cli
