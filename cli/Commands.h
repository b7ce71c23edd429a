// The commands of qalbum. Each takes its parsed command line, prints its
// messages, and returns the process exit status: 0 done, 1 the work failed.
// A command adds itself with one entry in the table of Commands.cpp and a
// Cmd<Name>.cpp file of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"

namespace cli {

// Every command of the tool, in the order the help lists them.
const std::vector<Command>& commands();

// The command whose name the first words of `words` spell ("convert", "skin
// region"), or nullptr.
const Command* findCommand(const Args& words);
// The words after the command's name.
Args wordsAfterName(const Command& command, const Args& words);

// The main help: the commands for users, with the options of the tool itself.
std::string mainHelp();
// The help of a group of sub-commands ("skin"), or empty when there is no such group.
std::string groupHelp(const std::string& group);

// convert's --size N, defined with the command (CmdConvert.cpp).
extern const Option kSizeOption;

// Prints a message text alone on a line of standard error, as UTF-8 with its
// control characters escaped: the names in it may hold any byte.
void printMessage(std::string_view text);
// Prints the message; returns exit status 1.
int fail(const std::string& message);

}  // namespace cli
