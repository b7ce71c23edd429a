// qalbum: the command-line face of Quillory Album.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>

#include "base/Errors.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "platform/FileWriter.h"

namespace cli {

void printMessage(std::string_view text) { std::cerr << base::escapeControls(base::fileNameToUtf8(text)) << '\n'; }

int fail(const std::string& message) {
  printMessage(message);
  return 1;
}

namespace {

constexpr int kUsageStatus = 2;

int usageError(const std::string& message, const std::string& usage) {
  printMessage(message);
  std::cerr << usage;
  return kUsageStatus;
}

int runCommand(const Command& command, const Args& words) {
  try {
    return command.run(parseArguments(command, words));
  } catch (const HelpRequest&) {
    std::cout << commandHelp(command);
    return 0;
  } catch (const UsageError& e) {
    return usageError(e.what(), usageText(command) + "Run \"qalbum help " + command.name + "\" for its options.\n");
  } catch (const std::exception& e) {
    return fail(e.what());
  }
}

int run(const Args& all) {
  if (all.empty()) return usageError(msg::NoCommand, mainHelp());
  const std::string& first = all[0];
  if (first == "--help" || first == "-h") {
    std::cout << mainHelp();
    return 0;
  }
  if (first == "--version" || first == "-V") {
    std::cout << "qalbum " << QA_VERSION << '\n';
    return 0;
  }
  if (const Command* command = findCommand(all)) {
    return runCommand(*command, wordsAfterName(*command, all));
  }
  const std::string group = groupHelp(first);
  if (!group.empty()) {
    if (all.size() == 2 && (all[1] == "--help" || all[1] == "-h")) {
      std::cout << group;
      return 0;
    }
    if (all.size() == 1) return usageError(base::formatMessage(msg::NoGroupCommand, {first}), group);
    return usageError(base::formatMessage(msg::UnknownCommand, {first + " " + all[1]}), group);
  }
  if (first.size() > 1 && first[0] == '-')
    return usageError(base::formatMessage(msg::UnknownOption, {first}), mainHelp());
  return usageError(base::formatMessage(msg::UnknownCommand, {first}), mainHelp());
}

// What the command printed must have reached standard output whole (not a
// full disk, not a closed descriptor); otherwise the run failed. A closed
// descriptor that nothing was written to is no failure.
int checkedOutput(int status) {
  std::cout.flush();
  const bool written = !std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout);
  const bool closed = std::fclose(stdout) == 0 || errno == EBADF;
  if (written && closed) return status;
  return fail(base::msg::StreamWrite);
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  platform::removeTemporaryFilesOnSignals();
  return cli::checkedOutput(cli::run(cli::Args(argv + 1, argv + argc)));
}
