// The command-line grammar every qalbum command shares: options before, between
// or after the arguments, "--" to end them, -h/--help, and usage errors that
// the caller turns into exit status 2.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Option {
  const char* name;         // "--format"
  const char* valueName;    // "bmp|png" (a '|' lists the only values allowed), or nullptr for a switch
  const char* description;  // one line for the command's help
  bool required = false;
  const char* shortName = nullptr;  // "-q", the same option in one letter, or none
};

// What one run of a command received: its positional arguments in order and
// its options by their long name ("--format" -> "png"; a switch maps to "").
struct Invocation {
  std::vector<std::string> args;
  std::map<std::string, std::string> options;

  bool has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> value(const std::string& name) const;
};

struct Command {
  const char* name;       // "convert", or "skin region" for a sub-command
  const char* arguments;  // "PDB OUT": [X] is optional, X... repeats; gives the argument count
  const char* summary;    // one line
  std::vector<Option> options;
  int (*run)(const Invocation& call);
  bool developer = false;  // listed by "qalbum help skin", not by the main help
};

// A wrong command line. The text says what is wrong; the usage follows it on standard error.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The command asked for its help (-h or --help among its options).
struct HelpRequest {};

// Parses the words after the command's name. Throws UsageError for an unknown
// option, a missing option value, a value not allowed, a wrong number of
// arguments or an empty argument.
Invocation parseArguments(const Command& command, const std::vector<std::string>& words);

// "qalbum convert [--format bmp|png] PDB OUT"
std::string usageLine(const Command& command);

// Help is written for a terminal of this many columns.
inline constexpr size_t kHelpWidth = 80;

// `text` broken at its spaces into lines of at most kHelpWidth columns, each
// ending in a newline: the first line begins with `first`, the others with
// `rest`. A bracketed or quoted part ("[--scale N]") stays on one line.
std::string wrapped(const std::string& text, const std::string& first, const std::string& rest);

// "Usage: " and the usage line, wrapped; continued lines are indented deeper
// than any summary.
std::string usageText(const Command& command);

// The usage, the summary and one line per option (with -h, --help).
std::string commandHelp(const Command& command);

}  // namespace cli
